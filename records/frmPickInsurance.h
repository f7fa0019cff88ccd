#pragma once
#include "SingleChoicePicker.h"

// Picks one insurance into PickedInsuranceCode.
class frmPickInsurance : public SingleChoicePicker {
    Q_OBJECT
public:
    explicit frmPickInsurance(QWidget* parent = nullptr);
};
