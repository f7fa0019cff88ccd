#include "RecordsForms.h"

void RegisterPatientForms()
{
}
