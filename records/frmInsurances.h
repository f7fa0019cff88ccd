#pragma once
#include "ListForm.h"

// The list of view 6: every insurance, or those without a billing code.
class frmInsurances : public ListForm {
    Q_OBJECT
public:
    explicit frmInsurances(QWidget* parent = nullptr);
};
