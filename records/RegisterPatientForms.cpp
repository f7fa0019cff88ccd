#include "RecordsForms.h"

#include "FormRegistry.h"
#include "frmEditPatient.h"
#include "frmMergePatients.h"
#include "frmPatients.h"

void RegisterPatientForms()
{
    RegisterForm("frmPatients", [](QWidget* parent) { return new frmPatients(parent); });
    RegisterForm("frmEditPatient", [](QWidget* parent) { return new frmEditPatient(parent); });
    RegisterForm("frmMergePatients", [](QWidget* parent) { return new frmMergePatients(parent); });
}
