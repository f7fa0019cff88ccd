#pragma once
// What the table-description (vlx) file tells the conduit: which handheld databases map to
// which desktop tables, mirror tables and columns, and which database holds the preferences.
#include "HandheldLayout.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Widths of the file's fields. A field keeps at most width - 1 characters of its token.
inline constexpr std::size_t kHandheldNameWidth = 20;    // T0, F0, B0, S0
inline constexpr std::size_t kDesktopNameWidth = 40;     // T1, T2, T3, F1, D0, D1, S1, S2
inline constexpr std::size_t kTimeStampColumnWidth = 20; // T6
inline constexpr std::size_t kExtraConditionWidth = 100; // T7
inline constexpr std::size_t kPreferenceNameWidth = 40;  // P0

inline constexpr std::size_t kMaxTables = 20;
inline constexpr std::size_t kMaxSubTables = 20;  // in the whole file
inline constexpr std::size_t kMaxFields = 30;     // per table or sub-table
inline constexpr std::size_t kMaxConstantColumns = 5;

// How a field enters the desktop statements; the numbers are the stored kind values.
enum class FieldKind : int {
    Carried = -1,    // "N": carried, not a key
    Compared = 0,    // "C"
    Key = 1,         // "K"
    Autonumber = 2,  // "A": never inserted, read back after an insert
};

// One F line of a table, or B line of a sub-table.
struct SyncFieldDescription {
    std::string handheldName;   // matched exactly against the handheld's field descriptors
    std::string desktopColumn;  // written in brackets in every statement
    FieldKind kind = FieldKind::Compared;
    int flags = 0;  // stored, not used

    // Run time.
    int descriptorIndex = -1;  // index of the handheld field descriptor
    std::string value;         // the field's value as desktop text
    int subTableLink = -1;     // in a parent: index of the linked sub-table field, -1 for none
};

// Whether the field names its record (kind K or A): the key a record is looked up by.
inline bool IsKeyField(const SyncFieldDescription& field)
{
    return field.kind == FieldKind::Key || field.kind == FieldKind::Autonumber;
}

// One D line: a constant written into every desktop and mirror INSERT of its table.
struct ConstantColumn {
    std::string value;          // SQL text as it stands in the file
    std::string desktopColumn;
};

// What the handheld still owes a record once the desktop has committed its side: until then the
// record stays marked modified (or deleted), so that a HotSync stopped in between applies it again.
enum class HandheldFollowUp { None, WriteBack, Removal };

// One record of a handheld database's record list.
struct PalmRecordEntry {
    std::uint32_t recordId = 0;
    bool deleted = false;
    std::int32_t status = 0;
    std::vector<std::uint8_t> bytes;
    bool shorterThanLayout = false;  // padded with zeros when read; never applied to the desktop
    bool modified = false;           // the handheld marks it changed since the last HotSync
    HandheldFollowUp followUp = HandheldFollowUp::None;
};

// One T line (a table) or S line (a sub-table: no time stamp, no condition, no D lines).
struct SyncTableDescription {
    std::string handheldDatabase;  // T0
    std::string readTable;         // T1: SELECTs and the desktop-change passes
    std::string writeTable;        // T2: INSERT, UPDATE and DELETE
    std::string mirrorTable;       // T3
    int flags = 0;                 // T4 "Y" adds 1, T5 "Y" adds 2; stored, not used
    std::string timeStampColumn;   // T6; empty for none
    std::string extraCondition;    // T7
    std::vector<SyncFieldDescription> fields;   // at most kMaxFields
    std::vector<ConstantColumn> constantColumns;  // at most kMaxConstantColumns
    int firstSubTable = -1;        // index into TableDescriptionFile::subTables, -1 for none
    int subTableCount = 0;

    // Run time.
    std::uint8_t handheldHandle = 0;
    std::vector<std::uint8_t> layout;  // copy of the handheld database's application-info block
    HandheldLayout parsedLayout;       // the record layout that block describes
    std::vector<PalmRecordEntry> records;
    std::vector<PalmRecordEntry> heldRecords;  // every record, read before the desktop is locked
    bool hasComparedField = false;
    bool written = false;  // a record was written to or deleted from the handheld
    std::string desktopStamp;  // T6 text of the desktop row last fetched
};

// The whole file as the conduit reads it once per run.
struct TableDescriptionFile {
    std::vector<SyncTableDescription> tables;     // at most kMaxTables, in file order
    std::vector<SyncTableDescription> subTables;  // at most kMaxSubTables, in file order
    std::string preferenceDatabase;               // the last P line; empty without one
};

// Reads the file into tables (what was there before is replaced). 0 on success; 1 when the
// file cannot be opened or is invalid, in which case reading stopped at the invalid line.
// Logs "sub file added to table %s" for every S line.
int ReadTableDescriptionFile(const std::string& path, TableDescriptionFile& tables);

// Whether every table has a field of kind K or A; without one a record can be neither looked up
// on the desktop nor matched with its mirror row. Logs the first table that has none.
bool EveryTableHasAKeyField(const TableDescriptionFile& tables);

// Delimiter for the last token of T and S lines: one that never occurs, so the token is the
// rest of the line.
inline constexpr int kRestOfLine = -1;

// The next token of line from position, up to delimiter (or the rest of the line), without
// leading blanks or unprintable characters and without trailing ones; position moves past
// the delimiter. Never fails: past the end it answers empty text.
std::string NextToken(std::size_t& position, std::string_view line, int delimiter);
