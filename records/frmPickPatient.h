#pragma once
#include "SingleChoicePicker.h"

// Picks one patient into PickedPatientId: with PickPatientScope 1 among those admitted to
// PickPatientFacilityCode, with PickEveryPatient among all, otherwise among those not admitted.
class frmPickPatient : public SingleChoicePicker {
    Q_OBJECT
public:
    explicit frmPickPatient(QWidget* parent = nullptr);
};
