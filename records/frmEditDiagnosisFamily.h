#pragma once
#include "EditDialog.h"

// Edits one diagnosis group: its description.
class frmEditDiagnosisFamily : public EditDialog {
    Q_OBJECT
public:
    explicit frmEditDiagnosisFamily(QWidget* parent = nullptr);

protected:
    bool showRecord(const Recordset& row) override;
    qint16 insertRecord(QString& error) override;
    qint16 updateRecord(QString& error) override;

private:
    QLineEdit* description_ = nullptr;
};
