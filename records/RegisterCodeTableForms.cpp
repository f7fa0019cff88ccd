#include "RecordsForms.h"

void RegisterCodeTableForms()
{
}
