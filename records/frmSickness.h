#pragma once
#include "ListForm.h"

// The history items (allergies, past medical and surgical conditions) under the main
// window's filter.
class frmSickness : public ListForm {
    Q_OBJECT
public:
    explicit frmSickness(QWidget* parent = nullptr);
};
