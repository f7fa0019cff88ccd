#pragma once
// The first half of a table's exchange: what the handheld changed reaches the desktop table and
// the mirror table, or, in purge mode, the handheld and the mirror rows are emptied.
#include "SyncRun.h"

struct SyncTableDescription;

// Empties the table's mirror rows of this handheld and the handheld database. 0, or 1 when the
// mirror rows could not be removed ("Delete All Failed"): the table then goes straight to closing;
// kDesktopChangedMeanwhile when the desktop's write lock could not be taken first.
int PurgeTable(const SyncRun& run, SyncTableDescription& table);

// Applies every record the handheld reports as modified, and those the mirror does not know. 0,
// or 1 when they could not be read ("Error Reading Table Data"): the table then goes straight to
// closing; kDesktopChangedMeanwhile when the desktop's write lock could not be taken before the
// first change. The records stay marked on the handheld until SettleHandheldFollowUps.
int ApplyHandheldChanges(const SyncRun& run, SyncTableDescription& table);

// Once the desktop has committed the records applied: writes them back (clearing their modified
// mark, and carrying an autonumber read back) and removes those the handheld deleted.
void SettleHandheldFollowUps(SyncTableDescription& table);
