#pragma once
// Sub-tables follow their parent records in full: a parent changed on the handheld replaces its
// desktop sub-rows by the handheld's, a parent sent from the desktop replaces its handheld
// sub-records by the desktop's. No mirror rows are kept for them.
#include "SyncRun.h"

#include <sql.h>

struct SyncTableDescription;
struct TableDescriptionFile;

inline constexpr int kSubTablesFollowed = 0;
inline constexpr int kSubTableNotFollowed = 1;  // a sub-table could not be opened or linked
inline constexpr int kSubTableNotStored = 2;    // the handheld did not store a sub-table's changes

// Synchronises every sub-table of the parent, whose record list holds the run's statuses; the
// worst of the results above (logged).
int SyncSubTables(const SyncRun& run, SyncTableDescription& parent, TableDescriptionFile& file);

// Deletes the desktop sub-rows of the parent whose linked fields hold their literals in their
// value texts. 0, or 2 (logged).
int EliminaFilasSubTablaPC(SQLHDBC connection, const SyncTableDescription& parent, const SyncTableDescription& sub);
// Opens the query of those desktop sub-rows. 0, or 2 (logged).
int SolicitaFilasSubTablaPC(SQLHDBC connection, const SyncTableDescription& parent, const SyncTableDescription& sub,
                            SQLHSTMT& statement);
