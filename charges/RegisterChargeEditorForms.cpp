#include "RegisterChargeEditorForms.h"

#include "FormRegistry.h"
#include "frmPrintGeneral.h"

void RegisterChargeEditorForms()
{
    RegisterForm("frmPrintGeneral", [](QWidget* parent) { return new frmPrintGeneral(parent); });
}
