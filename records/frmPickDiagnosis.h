#pragma once
#include "MultiChoicePicker.h"

// Ticks diagnoses, one group at a time, for the charge editor: 45-character records
// (DiagnosisCode, Description).
class frmPickDiagnosis : public MultiChoicePicker {
    Q_OBJECT
public:
    explicit frmPickDiagnosis(QWidget* parent = nullptr);
};
