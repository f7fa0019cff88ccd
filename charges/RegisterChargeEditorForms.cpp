#include "RegisterChargeEditorForms.h"

#include "FormRegistry.h"
#include "frmEditCharge.h"
#include "frmPrintGeneral.h"

void RegisterChargeEditorForms()
{
    RegisterForm("frmEditCharge", [](QWidget* parent) { return new frmEditCharge(parent); });
    RegisterForm("frmPrintGeneral", [](QWidget* parent) { return new frmPrintGeneral(parent); });
}
