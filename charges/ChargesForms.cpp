#include "ChargesForms.h"

#include "FormRegistry.h"
#include "RegisterChargeEditorForms.h"
#include "frmAdmitPatient.h"
#include "frmAdmitPatientDoctors.h"
#include "frmArchiveCharges.h"
#include "frmCharges.h"
#include "frmDischargePatient.h"
#include "frmPostCharges.h"

void RegisterChargesForms()
{
    RegisterChargeEditorForms();
    RegisterForm("frmCharges", [](QWidget* parent) { return new frmCharges(parent); });
    // The post dialog exchanges its values with the charges list that opens it.
    RegisterForm("frmPostCharges", [](QWidget* parent) -> QWidget* {
        auto* charges = qobject_cast<frmCharges*>(parent);
        return charges ? new frmPostCharges(*charges, parent) : nullptr;
    });
    RegisterForm("frmArchiveCharges", [](QWidget* parent) { return new frmArchiveCharges(parent); });
    RegisterForm("frmAdmitPatient", [](QWidget* parent) { return new frmAdmitPatient(parent); });
    RegisterForm("frmAdmitPatientDoctors", [](QWidget* parent) { return new frmAdmitPatientDoctors(parent); });
    RegisterForm("frmDischargePatient", [](QWidget* parent) { return new frmDischargePatient(parent); });
}
