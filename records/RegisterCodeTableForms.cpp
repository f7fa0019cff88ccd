#include "RecordsForms.h"

#include "FormRegistry.h"
#include "frmDiagnosis.h"
#include "frmDiagnosisFamilies.h"
#include "frmEMCodes.h"
#include "frmEditDiagnosis.h"
#include "frmEditDiagnosisFamily.h"
#include "frmEditEMCode.h"
#include "frmEditProcedure.h"
#include "frmEditSickness.h"
#include "frmProcedures.h"
#include "frmSickness.h"

namespace {

template <typename Form>
void registerForm(const char* name)
{
    RegisterForm(name, [](QWidget* parent) -> QWidget* { return new Form(parent); });
}

}  // namespace

void RegisterCodeTableForms()
{
    registerForm<frmSickness>("frmSickness");
    registerForm<frmEditSickness>("frmEditSickness");
    registerForm<frmProcedures>("frmProcedures");
    registerForm<frmEditProcedure>("frmEditProcedure");
    registerForm<frmDiagnosis>("frmDiagnosis");
    registerForm<frmEditDiagnosis>("frmEditDiagnosis");
    registerForm<frmEMCodes>("frmEMCodes");
    registerForm<frmEditEMCode>("frmEditEMCode");
    registerForm<frmDiagnosisFamilies>("frmDiagnosisFamilies");
    registerForm<frmEditDiagnosisFamily>("frmEditDiagnosisFamily");
}
