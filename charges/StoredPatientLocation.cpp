#include "StoredPatientLocation.h"

#include "AppGlobals.h"
#include "ListViewRoutines.h"
#include "VNSQLPatients.h"

QString LoadStoredPatientLocation()
{
    AppGlobals& globals = Globals();
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
