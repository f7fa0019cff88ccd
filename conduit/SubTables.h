#pragma once
// Sub-tables follow their parent records in full: a parent changed on the handheld replaces its
// desktop sub-rows by the handheld's, a parent sent from the desktop replaces its handheld
// sub-records by the desktop's. No mirror rows are kept for them.
#include "SyncRun.h"

#include <sql.h>

struct SyncTableDescription;
struct TableDescriptionFile;

// Synchronises every sub-table of the parent, whose record list holds the run's statuses.
// 0, or 1 when a sub-table could not be opened or linked (logged).
int SyncSubTables(const SyncRun& run, SyncTableDescription& parent, TableDescriptionFile& file);

// Deletes the desktop sub-rows of the parent whose linked fields hold their literals in their
// value texts. 0, or 2 (logged).
int EliminaFilasSubTablaPC(SQLHDBC connection, const SyncTableDescription& parent, const SyncTableDescription& sub);
// Opens the query of those desktop sub-rows. 0, or 2 (logged).
int SolicitaFilasSubTablaPC(SQLHDBC connection, const SyncTableDescription& parent, const SyncTableDescription& sub,
                            SQLHSTMT& statement);
