#include "frmEditProcedure.h"

#include "VNSQLProcedures.h"

frmEditProcedure::frmEditProcedure(QWidget* parent)
    : EditDialog({"frmEditProcedure", "Procedure", GlobalCode(&AppGlobals::CurrentProcedureCode),
                  [](qint32 code) { return GetProcedure(qint16(code)); },
                  [](qint32 code) { return StoredProcedure(qint16(code)); }},
                 parent)
{
    description_ = addNameBox("Description:", "TxtDescription");
    billingCode_ = addTextBox("Billing code:", "TxtBillingCode");
    realCode_ = addTextBox("Real code:", "TxtRealCode");
    Load();
}

bool frmEditProcedure::showRecord(const Recordset& row)
{
    description_->setText(row.Field("Description").toString());
    billingCode_->setText(row.Field("BillingProcedureCode").toString());
    realCode_->setText(row.Field("RealProcedureCode").toString());
    return true;
}

// The routines take the real code before the billing code.
qint16 frmEditProcedure::insertRecord(QString& error)
{
    return InsertProcedure(Globals().CurrentProcedureCode, description_->text(), realCode_->text(),
                           billingCode_->text(), error);
}

qint16 frmEditProcedure::updateRecord(QString& error)
{
    return UpdateProcedure(Globals().CurrentProcedureCode, description_->text(), realCode_->text(),
                           billingCode_->text(), loadedState(), error);
}
