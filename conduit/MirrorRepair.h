#pragma once
// A HotSync that stopped between storing the handheld's databases and committing the desktop
// leaves handheld records that the mirror does not know, and mirror rows of records that the
// handheld no longer holds. Before a table's exchange both are made good: the first are applied
// as if the handheld had changed them, the second are forgotten so that the desktop passes send
// their rows again.
#include "SyncRun.h"

struct SyncTableDescription;

// Appends the table's unmodified, undeleted records that have no mirror row to its record list
// (after the modified ones, status 0) and deletes the mirror rows of records the handheld does
// not hold. Failures are logged and leave the rest of the exchange as it was.
void RepairMirror(const SyncRun& run, SyncTableDescription& table);
