#include "RecordsForms.h"

void RegisterListFormBasics()
{
}
