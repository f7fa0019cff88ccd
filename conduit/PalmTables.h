#pragma once
// Handheld databases of the synchronised tables: opening with their layout, reading changed
// records and writing desktop rows to them.
#include <cstdint>
#include <vector>

struct PalmRecordEntry;
struct SyncTableDescription;

// Category bit the handheld application sets on a record it deleted.
inline constexpr std::uint16_t kHandheldDeletedCategory = 8;

// Opens the table's handheld database for reading and writing, keeps its layout and links every
// field to its descriptor. 0 on success; 1 on failure (logged; the database is closed again).
int OpenPalmTable(SyncTableDescription& table);
// Closes the database; its changes are then stored on the handheld. 0, or 1 when they could not
// be (logged).
int ClosePalmTable(SyncTableDescription& table);
// Opens a closed table's database again, keeping its layout and record list. 0 or 1 (logged).
int ReopenPalmTable(SyncTableDescription& table);

// Reads every record of the open database, by index from 0, into the table's held records, so
// that the exchange that follows need not wait on the handheld while the desktop is locked. 0 on
// success; 1 when the handheld fails to answer (logged).
int ReadPalmTable(SyncTableDescription& table);
// Appends the held records that the handheld marks as modified to the table's record list, in
// index order, status 0, and logs their number. Always 0.
int ReadModifiedPalmRecords(SyncTableDescription& table);
// Appends every held record to the table's record list, status 0. Always 0.
int ReadAllPalmRecords(SyncTableDescription& table);

// True, with a log line, for a record shorter than its layout: its missing fields would reach
// the desktop as zeros, its key included, so it is never applied.
bool RefuseShortRecord(const SyncTableDescription& table, const PalmRecordEntry& entry);

// Stamps the record from the table's desktop stamp, converts every field's value text into it
// and writes it under recordId (0: a new record, whose id comes back). 0 on success; 1 on failure.
int WriteRecordToPalm(SyncTableDescription& table, std::uint32_t& recordId, std::vector<std::uint8_t>& record);

// Writes an empty sort-information block; the handheld's error code (0 success).
int ClearSortInfo(std::uint8_t database);
