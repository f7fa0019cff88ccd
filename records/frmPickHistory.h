#pragma once
#include "MultiChoicePicker.h"

// Ticks history items, one kind at a time, for the patient editor: 50-character records
// (SicknessCode, SicknessTypeCode, Description).
class frmPickHistory : public MultiChoicePicker {
    Q_OBJECT
public:
    explicit frmPickHistory(QWidget* parent = nullptr);
};
