#pragma once
#include "InstallSettings.h"

// Registers the conduit for settings.Id through the loaded Conduit Manager library:
// 0 done, 1 an entry point is missing, 2 installing the creator failed, 3 a setter failed.
// Nothing already done is undone.
int RegisterConduit(void* conduitManager, const InstallSettings& settings);
