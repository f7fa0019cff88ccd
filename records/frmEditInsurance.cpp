#include "frmEditInsurance.h"

#include "VNSQLInsurances.h"

frmEditInsurance::frmEditInsurance(QWidget* parent)
    : EditDialog({"frmEditInsurance", "Insurance", GlobalCode(&AppGlobals::CurrentInsuranceCode),
                  [](qint32 code) { return GetInsurance(qint16(code)); },
                  [](qint32 code) { return StoredInsurance(qint16(code)); }},
                 parent)
{
    description_ = addNameBox("Description:", "TxtDescription");
    billingCode_ = addTextBox("Billing code:", "TxtBillingCode");
    Load();
}

bool frmEditInsurance::showRecord(const Recordset& row)
{
    description_->setText(row.Field("Description").toString());
    billingCode_->setText(row.Field("BillingInsuranceCode").toString());
    return true;
}

qint16 frmEditInsurance::insertRecord(QString& error)
{
    return InsertInsurance(Globals().CurrentInsuranceCode, description_->text(), billingCode_->text(), error);
}

qint16 frmEditInsurance::updateRecord(QString& error)
{
    return UpdateInsurance(Globals().CurrentInsuranceCode, description_->text(), billingCode_->text(), loadedState(),
                           error);
}
