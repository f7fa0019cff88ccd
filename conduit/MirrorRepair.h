#pragma once
// A HotSync that stopped between storing the handheld's databases and committing the desktop
// leaves handheld records that the mirror does not know, and mirror rows of records that the
// handheld no longer holds. Before a table's exchange both are made good: the first are applied
// as if the handheld had changed them, the second are forgotten so that the desktop passes send
// their rows again. Records of the handheld that hold the same key are found at the same time:
// applied one after the other, the last would silently take the others' place.
#include "SyncRun.h"

#include <cstdint>
#include <set>

struct SyncTableDescription;

// Appends the table's unmodified, undeleted records that have no mirror row to its record list
// (after the modified ones, status 0) and deletes the mirror rows of records the handheld does
// not hold. Failures are logged and leave the rest of the exchange as it was.
// sharingAKey receives the records whose key fields (K) another live record of the handheld also
// holds: the live ones are logged, none of them may be applied.
// 0, or kDesktopChangedMeanwhile when the desktop's write lock could not be taken before a mirror
// row was deleted.
int RepairMirror(const SyncRun& run, SyncTableDescription& table, std::set<std::uint32_t>& sharingAKey);
