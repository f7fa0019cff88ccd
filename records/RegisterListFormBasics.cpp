#include "RecordsForms.h"

#include "FormRegistry.h"
#include "frmEditInsurance.h"
#include "frmInsurances.h"
#include "frmPickDiagnosis.h"
#include "frmPickDoctor.h"
#include "frmPickHistory.h"
#include "frmPickInsurance.h"
#include "frmPickPatient.h"
#include "frmPickProcedures.h"

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
    registerFormClass<frmPickPatient>("frmPickPatient");
    registerFormClass<frmPickInsurance>("frmPickInsurance");
    registerFormClass<frmPickDoctor>("frmPickDoctor");
    registerFormClass<frmPickHistory>("frmPickHistory");
    registerFormClass<frmPickDiagnosis>("frmPickDiagnosis");
    registerFormClass<frmPickProcedures>("frmPickProcedures");
}
