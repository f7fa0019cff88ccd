#include "frmPickDiagnosis.h"

#include "VNSQLDiagnosis.h"

frmPickDiagnosis::frmPickDiagnosis(QWidget* parent)
    : MultiChoicePicker({"frmPickDiagnosis", "Diagnosis selection", "SELECT * FROM Diagnosis ORDER BY Description",
                         {{"DiagnosisCode", true}, {"Description", false}}, true,
                         {"CBDiagnosisFamilies", GetDiagnosisFamilyList, "DiagnosisFamilyDescription",
                          "DiagnosisFamilyCode", ""}},
                        parent)
{
}
