#pragma once
// The desktop statements that apply one handheld record to its desktop table and mirror table.
// Each is built as Jet SQL text and run on the run's connection; a statement that fails is
// logged as "Failure: <statement>" and answers 1.
#include "OdbcAccess.h"
#include "SyncRun.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct HandheldLayout;
struct PalmRecordEntry;
struct SyncFieldDescription;
struct SyncTableDescription;

// A column name as every statement writes it: "[" name "]".
std::string Bracketed(const std::string& column);

// The field of the record as a desktop SQL literal.
std::string FieldLiteral(const HandheldLayout& layout, const SyncFieldDescription& field,
                         std::vector<std::uint8_t>& record);

// The record's HandheldTimeStamp as "YYYY-MM-DD HH:MM:SS" (each byte read as a signed number).
std::string HandheldStampText(const std::vector<std::uint8_t>& record);

// Looks the record's desktop row up by its key fields. On success found tells whether a row
// exists; its stamp goes to the table's desktopStamp and its values to the fields' value texts.
// 1 when the lookup failed (logged).
int FindPCRow(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry, bool& found);

// 1: the desktop row found last is newer than the record; 0: same time; 2: the record is newer
// (always when the desktop row has no stamp).
int ComparePCTimestamp(const SyncTableDescription& table, const PalmRecordEntry& entry);

// Deletes the record's desktop row with the rows that belong to it alone (a patient's visiting
// doctors), as the desktop program's own delete does.
int DeletePCRow(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry);
// Whether rows of other tables keep the record's desktop row from being deleted, as the desktop
// program's own delete refuses a patient who has charges; a refusal is logged. 0, or 1 when they
// could not be counted (logged).
int RefuseDeletionInUse(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry, bool& refused);
// Inserts the record into the desktop table (its autonumber field, if any, read back into the
// record). The caller writes the record back to the handheld.
int InsertPCRow(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry);
// Updates the compared fields of the desktop row that assigned marks (by index of the table's
// fields), and its stamp when stamped; with nothing to assign there is no statement. The caller
// writes the record back.
int UpdatePCRow(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry,
                const std::vector<bool>& assigned, bool stamped);

// The compared fields' values (by index of the table's fields) of the record's mirror row: what
// the handheld was last given. found is false when the mirror has no row for the record. 0, or 1
// when the mirror could not be read (logged).
int ReadMirrorRow(const SyncRun& run, const SyncTableDescription& table, std::uint32_t recordId,
                  std::vector<std::string>& values, bool& found);

int InsertMirrorRow(const SyncRun& run, SyncTableDescription& table, std::uint32_t recordId,
                    std::vector<std::uint8_t>& bytes);
int DeleteMirrorRow(const SyncRun& run, const SyncTableDescription& table, std::uint32_t recordId);
// Removes every mirror row of the run's handheld.
int PurgePCRows(const SyncRun& run, const SyncTableDescription& table);

// The number in the first column of the query's one row (a COUNT), with the values of its "?". 0,
// or 1 when the query failed (logged "Failure: <statement>") or gave no row.
int CountDesktopRows(const SyncRun& run, const std::string& sql, const SqlValues& values, std::size_t& count);

// Runs a statement without rows, with the values of its "?"; logs "Failure: <statement>" when it
// fails. 0 or 1.
int RunDesktopStatement(const SyncRun& run, const std::string& sql, const SqlValues& values = {});
