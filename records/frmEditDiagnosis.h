#pragma once
#include "EditDialog.h"

// Edits one diagnosis: its description, group, billing code and real code. It cannot be
// used while no diagnosis group exists.
class frmEditDiagnosis : public EditDialog {
    Q_OBJECT
public:
    explicit frmEditDiagnosis(QWidget* parent = nullptr);

protected:
    bool showRecord(const Recordset& row) override;
    qint16 insertRecord(QString& error) override;
    qint16 updateRecord(QString& error) override;

private:
    QLineEdit* description_ = nullptr;
    QLineEdit* billingCode_ = nullptr;
    QLineEdit* realCode_ = nullptr;
};
