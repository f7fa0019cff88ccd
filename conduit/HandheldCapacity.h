#pragma once
// A handheld database holds at most 65,535 records. Before a table is exchanged the conduit makes
// sure that neither its database nor those of its sub-tables could end up holding more, so that a
// table is exchanged whole or not at all.
#include "SyncRun.h"

struct SyncTableDescription;
struct TableDescriptionFile;

// Whether the open table and sub-tables fit their handheld databases after the exchange, counted
// at most: every handheld record stays, every desktop row whose key the handheld lacks is added,
// and each parent ends with the larger of its handheld and its desktop sub-records. False, logged
// with the database and the limit, when one might not fit or the desktop could not be counted.
bool TableFitsTheHandheld(const SyncRun& run, SyncTableDescription& table, TableDescriptionFile& file);
