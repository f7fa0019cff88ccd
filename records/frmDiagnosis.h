#pragma once
#include "ListForm.h"

// The diagnoses with their group, all or only those without a billing code.
class frmDiagnosis : public ListForm {
    Q_OBJECT
public:
    explicit frmDiagnosis(QWidget* parent = nullptr);
};
