#include "RecordsForms.h"

#include "FormRegistry.h"
#include "frmDoctors.h"
#include "frmEditDoctor.h"
#include "frmEditFacility.h"
#include "frmEditWard.h"
#include "frmFacilities.h"

namespace {

template <typename Form>
void registerForm(const char* name)
{
    RegisterForm(name, [](QWidget* parent) -> QWidget* { return new Form(parent); });
}

}  // namespace

void RegisterProviderForms()
{
    registerForm<frmFacilities>("frmFacilities");
    registerForm<frmEditFacility>("frmEditFacility");
    // The ward dialog works only for the facility editor that opens it.
    RegisterForm("frmEditWard", [](QWidget* parent) -> QWidget* {
        auto* facilityEditor = qobject_cast<frmEditFacility*>(parent);
        return facilityEditor ? new frmEditWard(*facilityEditor) : nullptr;
    });
    registerForm<frmDoctors>("frmDoctors");
    registerForm<frmEditDoctor>("frmEditDoctor");
}
