#pragma once
#include <QString>

// Reads the patient named by CurrentPatientId into CurrentFacilityCode, CurrentWardCode and
// CurrentDoctorCode, as the admission and discharge dialogs open, and answers the patient's
// name. A patient removed meanwhile reads as one not admitted, with no name.
QString LoadStoredPatientLocation();
