#pragma once
#include "MultiChoicePicker.h"

// Ticks procedures for the charge editor: 45-character records (ProcedureCode, Description).
class frmPickProcedures : public MultiChoicePicker {
    Q_OBJECT
public:
    explicit frmPickProcedures(QWidget* parent = nullptr);
};
