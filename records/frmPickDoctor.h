#pragma once
#include "SingleChoicePicker.h"

// Picks one doctor into PickedDoctorCode and PickedDoctorName.
class frmPickDoctor : public SingleChoicePicker {
    Q_OBJECT
public:
    explicit frmPickDoctor(QWidget* parent = nullptr);
};
