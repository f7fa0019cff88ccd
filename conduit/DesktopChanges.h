#pragma once
// The second half of a table's exchange: desktop rows that are new, changed or deleted since
// this handheld last saw them, found by comparing the desktop table with the mirror table, are
// written to or removed from the handheld.
#include "SyncRun.h"

#include <sql.h>

#include <cstdint>

struct SyncTableDescription;

enum DesktopPass : int {
    kPassNewRows = 0,
    kPassChangedRows = 1,
    kPassDeletedRows = 2
};

// Opens the query of the pass. 0, or 2 when it failed: logged with the SQL and shown in a
// message box ("Error en SolicitaCambios").
int SolicitaFilasCambiadasEnPC(int pass, SQLHDBC connection, std::uint32_t pdtId, SyncTableDescription& table,
                               SQLHSTMT& statement);

// Fetch the next row of the pass's query: 0 a row, 1 none, 2 its PDTRecordId, 3 its stamp or
// 4 a field value could not be read (logged). The stamp and values go to the table.
int FetchNewPCRow(SQLHSTMT statement, SyncTableDescription& table);
int FetchChangedPCRow(SQLHSTMT statement, SyncTableDescription& table, std::uint32_t& recordId);
int FetchDeletedPCRow(SQLHSTMT statement, std::uint32_t& recordId);
void CloseChangesQuery(SQLHSTMT statement);

// Every pass looks the mirror up by handheld and match fields; without an index on them each
// desktop row would scan the whole mirror. Databases made before the index was shipped get it
// here, before the exchange's transaction, which then writes only what the exchange changes.
void IndexMirrorTable(const SyncRun& run, const SyncTableDescription& table);

// Runs the three passes; a query that cannot be opened ends them ("Error asking for PC changes").
// 0, or kDesktopChangedMeanwhile when the desktop's write lock could not be taken before the
// first change.
int ApplyDesktopChanges(const SyncRun& run, SyncTableDescription& table);
