#include "frmEditDiagnosisFamily.h"

#include "VNSQLDiagnosisFamilies.h"

frmEditDiagnosisFamily::frmEditDiagnosisFamily(QWidget* parent)
    : EditDialog({"frmEditDiagnosisFamily", "Diagnosis Group", GlobalCode(&AppGlobals::CurrentDiagnosisFamilyCode),
                  [](qint32 code) { return GetDiagnosisFamily(qint16(code)); },
                  [](qint32 code) { return StoredDiagnosisFamily(qint16(code)); }},
                 parent)
{
    description_ = addNameBox("Description:", "TxtDescription");
    Load();
}

bool frmEditDiagnosisFamily::showRecord(const Recordset& row)
{
    description_->setText(row.Field("DiagnosisFamilyDescription").toString());
    return true;
}

qint16 frmEditDiagnosisFamily::insertRecord(QString& error)
{
    return InsertDiagnosisFamily(Globals().CurrentDiagnosisFamilyCode, description_->text(), error);
}

qint16 frmEditDiagnosisFamily::updateRecord(QString& error)
{
    return UpdateDiagnosisFamily(Globals().CurrentDiagnosisFamilyCode, description_->text(), loadedState(), error);
}
