#include "RecordsForms.h"

void RegisterRecordsForms()
{
    RegisterListFormBasics();
    RegisterPatientForms();
    RegisterProviderForms();
    RegisterCodeTableForms();
}
