#pragma once
#include "ListForm.h"

// The facilities where patients are seen, with their types and billing codes.
class frmFacilities : public ListForm {
    Q_OBJECT
public:
    explicit frmFacilities(QWidget* parent = nullptr);
};
