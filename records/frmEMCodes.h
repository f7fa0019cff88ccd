#pragma once
#include "ListForm.h"

// The evaluation-and-management codes, all, without a billing code, or by facility type.
class frmEMCodes : public ListForm {
    Q_OBJECT
public:
    explicit frmEMCodes(QWidget* parent = nullptr);
};
