#include "RecordsForms.h"

#include "FormRegistry.h"
#include "frmEditInsurance.h"
#include "frmInsurances.h"

namespace {

template <typename Form>
void registerFormClass(const QString& name)
{
    RegisterForm(name, [](QWidget* parent) -> QWidget* { return new Form(parent); });
}

}  // namespace

void RegisterListFormBasics()
{
    registerFormClass<frmInsurances>("frmInsurances");
    registerFormClass<frmEditInsurance>("frmEditInsurance");
}
