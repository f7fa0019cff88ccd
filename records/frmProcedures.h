#pragma once
#include "ListForm.h"

// The procedures a charge may list, all or only those without a billing code.
class frmProcedures : public ListForm {
    Q_OBJECT
public:
    explicit frmProcedures(QWidget* parent = nullptr);
};
