#include "StoredPatientLocation.h"

#include "AppGlobals.h"
#include "ListViewRoutines.h"
#include "Messages.h"
#include "VNSQLPatients.h"

QString LoadStoredPatientLocation(StoredState& location)
{
    AppGlobals& globals = Globals();
    // Read before the location is shown: a change made after it is seen by SetPatientLocation.
    QString error;
    if (!location.Read(StoredPatientLocation(globals.CurrentPatientId), error))
        ShowMessage(error);
    globals.CurrentFacilityCode = 0;
    globals.CurrentWardCode = 0;
    globals.CurrentDoctorCode = 0;
    RecordsetPtr patient = GetPatient(globals.CurrentPatientId);
    if (!patient || patient->RecordCount() == 0)
        return QString();
    patient->MoveFirst();
    globals.CurrentFacilityCode = qint16(patient->Field("InFacilityCode").toInt());
    globals.CurrentWardCode = qint16(patient->Field("InWardCode").toInt());
    globals.CurrentDoctorCode = qint16(patient->Field("InDoctorCode").toInt());
    return ListValueText(patient->Field("Names"));
}
