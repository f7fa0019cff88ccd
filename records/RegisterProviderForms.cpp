#include "RecordsForms.h"

void RegisterProviderForms()
{
}
