#pragma once
#include "StoredState.h"

#include <QString>

// Reads the patient named by CurrentPatientId into CurrentFacilityCode, CurrentWardCode and
// CurrentDoctorCode, as the admission and discharge dialogs open, and answers the patient's
// name. A patient removed meanwhile reads as one not admitted, with no name. `location` keeps
// the location as read, which the dialog's save hands to SetPatientLocation so that it never
// puts back a location that another clerk or a HotSync changed since.
QString LoadStoredPatientLocation(StoredState& location);
