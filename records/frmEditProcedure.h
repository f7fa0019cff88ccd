#pragma once
#include "EditDialog.h"

// Edits one procedure: its description, billing code and real code.
class frmEditProcedure : public EditDialog {
    Q_OBJECT
public:
    explicit frmEditProcedure(QWidget* parent = nullptr);

protected:
    bool showRecord(const Recordset& row) override;
    qint16 insertRecord(QString& error) override;
    qint16 updateRecord(QString& error) override;

private:
    QLineEdit* description_ = nullptr;
    QLineEdit* billingCode_ = nullptr;
    QLineEdit* realCode_ = nullptr;
};
