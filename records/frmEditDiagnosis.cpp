#include "frmEditDiagnosis.h"

#include "VNSQLDiagnosis.h"

namespace {

enum LookupIndex { DiagnosisFamilies };

}  // namespace

frmEditDiagnosis::frmEditDiagnosis(QWidget* parent)
    : EditDialog({"frmEditDiagnosis", "Diagnosis", GlobalCode(&AppGlobals::CurrentDiagnosisCode),
                  [](qint32 code) { return GetDiagnosis(qint16(code)); },
                  [](qint32 code) { return StoredDiagnosis(qint16(code)); }},
                 parent)
{
    description_ = addNameBox("Description:", "TxtDescription");
    QComboBox* families = addComboBox("Type:", "CBDiagnosisFamily");
    billingCode_ = addTextBox("Billing code:", "TxtBillingCode");
    realCode_ = addTextBox("Real code:", "TxtRealCode");
    addLookup({QString(), &GetDiagnosisFamilyList, families, "DiagnosisFamilyDescription", "DiagnosisFamilyCode",
               "You have to define Diagnosis Groups first!"});
    Load();
}

bool frmEditDiagnosis::showRecord(const Recordset& row)
{
    description_->setText(row.Field("Description").toString());
    billingCode_->setText(row.Field("BillingDiagnosisCode").toString());
    realCode_->setText(row.Field("RealDiagnosisCode").toString());
    return true;
}

qint16 frmEditDiagnosis::insertRecord(QString& error)
{
    return InsertDiagnosis(Globals().CurrentDiagnosisCode, description_->text(),
                           qint16(lookupCode(DiagnosisFamilies).toInt()), realCode_->text(), billingCode_->text(),
                           error);
}

qint16 frmEditDiagnosis::updateRecord(QString& error)
{
    return UpdateDiagnosis(Globals().CurrentDiagnosisCode, description_->text(),
                           qint16(lookupCode(DiagnosisFamilies).toInt()), realCode_->text(), billingCode_->text(),
                           loadedState(), error);
}
