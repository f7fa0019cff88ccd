#pragma once
#include "EditDialog.h"

// Edits the insurance CurrentInsuranceCode names (0: a new one).
class frmEditInsurance : public EditDialog {
    Q_OBJECT
public:
    explicit frmEditInsurance(QWidget* parent = nullptr);

protected:
    bool showRecord(const Recordset& row) override;
    qint16 insertRecord(QString& error) override;
    qint16 updateRecord(QString& error) override;

private:
    QLineEdit* description_ = nullptr;
    QLineEdit* billingCode_ = nullptr;
};
