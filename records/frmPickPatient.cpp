#include "frmPickPatient.h"

namespace {

QString patientQuery()
{
    if (Globals().PickPatientScope == 1)
        return "SELECT * FROM Patient where InFacilityCode=" + QString::number(Globals().PickPatientFacilityCode) +
               " ORDER BY [Names]";
    if (Globals().PickPatientScope == PickEveryPatient)
        return "SELECT * FROM Patient ORDER BY [Names]";
    return "SELECT * FROM Patient where InFacilityCode=0  ORDER BY [Names]";
}

}  // namespace

frmPickPatient::frmPickPatient(QWidget* parent)
    : SingleChoicePicker({"frmPickPatient", "Patient selection", patientQuery,
                          {{"Names", "Names", 2880}, {"DateOfBirth", "DOB", 1440}}, "PatientId",
                          GlobalCode(&AppGlobals::PickedPatientId), {}, "Select a Patiente first"},
                         parent)
{
}
