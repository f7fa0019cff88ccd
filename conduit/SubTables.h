#pragma once
// Sub-tables follow their parent records in full: a parent changed on the handheld replaces its
// desktop sub-rows by the handheld's, a parent sent from the desktop replaces its handheld
// sub-records by the desktop's. No mirror rows are kept for them.
#include "SyncRun.h"

#include <sql.h>

#include <cstdint>
#include <string>
#include <vector>

struct SyncTableDescription;
struct TableDescriptionFile;

inline constexpr int kSubTablesFollowed = 0;
inline constexpr int kSubTableNotFollowed = 1;  // a sub-table could not be opened, linked or read
inline constexpr int kSubTableNotStored = 2;    // the handheld did not store a sub-table's changes

// Opens every sub-table of the parent, checks that each holds the parent's key fields and, unless
// the run purges the handheld, reads its records: all before the desktop is locked. 0, or 1 when
// one could not be opened, linked or read (logged); nothing is then left open.
int OpenSubTables(const SyncRun& run, SyncTableDescription& parent, TableDescriptionFile& file);
// Closes the open sub-tables of a parent whose exchange did not take place; nothing was written.
void CloseSubTables(const SyncTableDescription& parent, TableDescriptionFile& file);
// Synchronises every open sub-table of the parent, whose record list holds the run's statuses,
// and closes it; 0, or 2 when the handheld did not store a sub-table's changes (logged).
int SyncSubTables(const SyncRun& run, SyncTableDescription& parent, TableDescriptionFile& file);

// Links every key field (K or A) of the parent to the first sub-table field of the same handheld
// name; false when one has none (logged "Didn't find related key %s").
bool LinkSubTable(SyncTableDescription& parent, const SyncTableDescription& sub);
// A parent record's key fields as desktop literals, in one text.
std::string ParentKey(const SyncTableDescription& parent, std::vector<std::uint8_t>& bytes);
// The fields of a sub-table record that the parent's key fields are linked to, as ParentKey gives
// them: equal to the ParentKey of its parent record.
std::string SubRecordKey(const SyncTableDescription& parent, const SyncTableDescription& sub,
                         std::vector<std::uint8_t>& bytes);

// Deletes the desktop sub-rows of the parent whose linked fields hold their literals in their
// value texts. 0, or 2 (logged).
int EliminaFilasSubTablaPC(SQLHDBC connection, const SyncTableDescription& parent, const SyncTableDescription& sub);
// Opens the query of those desktop sub-rows. 0, or 2 (logged).
int SolicitaFilasSubTablaPC(SQLHDBC connection, const SyncTableDescription& parent, const SyncTableDescription& sub,
                            SQLHSTMT& statement);
