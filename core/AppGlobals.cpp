#include "AppGlobals.h"

#include "JetConnection.h"

AppGlobals& Globals()
{
    static AppGlobals globals;
    return globals;
}

void ResetGlobals()
{
    Globals() = AppGlobals();
}
