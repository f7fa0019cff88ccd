#pragma once
#include "ListForm.h"

// The practice's doctors with their billing codes.
class frmDoctors : public ListForm {
    Q_OBJECT
public:
    explicit frmDoctors(QWidget* parent = nullptr);
};
