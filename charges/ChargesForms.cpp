#include "ChargesForms.h"

void RegisterChargesForms()
{
}
