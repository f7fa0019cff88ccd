#include "ShellForms.h"

#include "FormRegistry.h"
#include "frmBrowser.h"
#include "frmGeneralInfo.h"

void RegisterShellForms()
{
    RegisterForm("frmGeneralInfo", [](QWidget* parent) { return new frmGeneralInfo(parent); });
    RegisterForm("frmBrowser", [](QWidget* parent) { return new frmBrowser(parent); });
}
