#include "SubTables.h"

#include "ConduitLog.h"
#include "DesktopRows.h"
#include "FetchedRow.h"
#include "FieldConversion.h"
#include "HandheldLayout.h"
#include "OdbcAccess.h"
#include "PalmRecordEdits.h"
#include "PalmTables.h"
#include "SyncManager.h"
#include "SyncStatus.h"
#include "TableDescription.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace {

constexpr std::size_t kValueTextSize = 100;

// "[sub F1]=?" for every linked parent field, joined by " AND ", with the parent's literals in values.
std::string linkConditions(const SyncTableDescription& parent, const SyncTableDescription& sub, SqlValues& values)
{
    std::string text;
    for (const SyncFieldDescription& field : parent.fields) {
        if (field.subTableLink >= 0) {
            text += (text.empty() ? "" : " AND ") +
                    Bracketed(sub.fields[static_cast<std::size_t>(field.subTableLink)].desktopColumn) + "=?";
            values.push_back(field.value);
        }
    }
    return text;
}

// Both sides of a link key: fields as desktop literals, each ended by a zero byte, which no
// literal holds.
void appendToKey(std::string& key, const std::string& literal)
{
    key += literal;
    key += '\0';
}

// The parent's key fields as a record holds them, in one text; heldAs gives the record's field
// that holds each.
template <typename HeldAs>
std::string linkKey(const SyncTableDescription& parent, const HandheldLayout& layout, std::vector<std::uint8_t>& bytes,
                    HeldAs heldAs)
{
    std::string key;
    for (const SyncFieldDescription& field : parent.fields)
        if (IsKeyField(field))
            appendToKey(key, FieldLiteral(layout, heldAs(field), bytes));
    return key;
}

// The sub-table's records by the key of their parent.
using RecordsByKey = std::unordered_map<std::string, std::vector<std::size_t>>;

RecordsByKey recordsByParentKey(const SyncTableDescription& parent, SyncTableDescription& sub)
{
    RecordsByKey byKey;
    for (std::size_t i = 0; i < sub.records.size(); ++i)
        byKey[SubRecordKey(parent, sub, sub.records[i].bytes)].push_back(i);
    return byKey;
}

// Reads the fetched sub-row into the sub-table's value texts; false when a column cannot be read (logged).
bool readSubRow(SQLHSTMT statement, SyncTableDescription& sub)
{
    for (SyncFieldDescription& field : sub.fields) {
        if (GetColumnByName(statement, field.desktopColumn, field.value, kValueTextSize) != 0) {
            ConduitLog("Fail to retrieve " + field.desktopColumn + " from row");
            return false;
        }
    }
    return true;
}

// Writes every desktop sub-row of the parent to the handheld as a new record.
void sendDesktopSubRows(const SyncRun& run, const SyncTableDescription& parent, SyncTableDescription& sub)
{
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (SolicitaFilasSubTablaPC(run.connection, parent, sub, statement) != 0) {
        ConduitLog("Error asking SubTable rows");
        return;
    }
    const HandheldLayout& layout = ReadTableLayout(sub);
    while (FetchNextRow(statement)) {
        if (!readSubRow(statement, sub))
            continue;
        std::vector<std::uint8_t> record;
        SetRecordDefaults(layout, record);
        std::uint32_t recordId = 0;
        if (WriteDesktopRowToPalm(sub, recordId, record) != 0)
            ConduitLog("Update from PC Failed");
    }
    CloseQuery(statement);
}

void followParent(const SyncRun& run, SyncTableDescription& parent, const PalmRecordEntry& entry,
                  SyncTableDescription& sub, const RecordsByKey& subRecords)
{
    const HandheldLayout& parentLayout = ReadTableLayout(parent);
    std::vector<std::uint8_t> parentBytes = entry.bytes;
    for (SyncFieldDescription& field : parent.fields)
        if (field.subTableLink >= 0)
            field.value = FieldLiteral(parentLayout, field, parentBytes);

    const bool changedOnHandheld = entry.status == kStatusInsertedOnDesktop || entry.status == kStatusUpdatedOnDesktop;
    if (changedOnHandheld || entry.status == kStatusDeletedOnDesktop) {
        if (EliminaFilasSubTablaPC(run.connection, parent, sub) != 0)
            ConduitLog("Delete Failed");
    }
    const auto ofParent = subRecords.find(ParentKey(parent, parentBytes));
    if (ofParent != subRecords.end()) {
        for (std::size_t index : ofParent->second) {
            PalmRecordEntry& record = sub.records[index];
            if (changedOnHandheld && !record.deleted) {
                if (!RefuseShortRecord(sub, record) && InsertPCRow(run, sub, record) != 0)
                    ConduitLog("Insert Failed");
                else
                    WriteBackPalmRecord(sub, record);
            } else {
                DeletePalmRecord(sub, record.recordId);
            }
        }
    }
    if (entry.status == kStatusNewFromDesktop || entry.status == kStatusOverwrittenFromDesktop)
        sendDesktopSubRows(run, parent, sub);
}

SyncTableDescription& subTableOf(const SyncTableDescription& parent, TableDescriptionFile& file, int i)
{
    return file.subTables.at(static_cast<std::size_t>(parent.firstSubTable + i));
}

}  // namespace

int EliminaFilasSubTablaPC(SQLHDBC connection, const SyncTableDescription& parent, const SyncTableDescription& sub)
{
    SqlValues values;
    const std::string sql = "DELETE FROM " + sub.readTable + " WHERE " + linkConditions(parent, sub, values);
    if (ExecuteSQL(connection, sql, values) != 0) {
        ConduitLog("EliminaFilasSubTablaPC Failure: " + StatementWithValues(sql, values));
        return 2;
    }
    return 0;
}

int SolicitaFilasSubTablaPC(SQLHDBC connection, const SyncTableDescription& parent, const SyncTableDescription& sub,
                            SQLHSTMT& statement)
{
    std::string columns;
    if (!sub.timeStampColumn.empty())
        columns = Bracketed(sub.timeStampColumn) + ",";
    for (std::size_t i = 0; i < sub.fields.size(); ++i)
        columns += (i == 0 ? "" : ",") + Bracketed(sub.fields[i].desktopColumn);
    SqlValues values;
    const std::string sql =
        "SELECT " + columns + " FROM " + sub.readTable + " WHERE " + linkConditions(parent, sub, values);
    if (OpenQuery(connection, statement, sql, values) != 0) {
        ConduitLog("SolicitaFilasSubTablaPC Failure: " + StatementWithValues(sql, values));
        return 2;
    }
    return 0;
}

bool LinkSubTable(SyncTableDescription& parent, const SyncTableDescription& sub)
{
    for (SyncFieldDescription& field : parent.fields) {
        field.subTableLink = -1;
        if (!IsKeyField(field))
            continue;
        for (std::size_t i = 0; i < sub.fields.size() && field.subTableLink < 0; ++i)
            if (sub.fields[i].handheldName == field.handheldName)
                field.subTableLink = static_cast<int>(i);
        if (field.subTableLink < 0) {
            ConduitLog("Didn't find related key " + field.handheldName);
            return false;
        }
    }
    return true;
}

std::string ParentKey(const SyncTableDescription& parent, std::vector<std::uint8_t>& bytes)
{
    return linkKey(parent, ReadTableLayout(parent), bytes,
                   [](const SyncFieldDescription& field) -> const SyncFieldDescription& { return field; });
}

std::string SubRecordKey(const SyncTableDescription& parent, const SyncTableDescription& sub,
                         std::vector<std::uint8_t>& bytes)
{
    return linkKey(parent, ReadTableLayout(sub), bytes,
                   [&sub](const SyncFieldDescription& field) -> const SyncFieldDescription& {
                       return sub.fields.at(static_cast<std::size_t>(field.subTableLink));
                   });
}

int OpenSubTables(const SyncRun& run, SyncTableDescription& parent, TableDescriptionFile& file)
{
    for (int i = 0; i < parent.subTableCount; ++i) {
        SyncTableDescription& sub = subTableOf(parent, file, i);
        bool opened = OpenPalmTable(sub) == 0;
        if (!opened)
            ConduitLog("Fail to open Palm DB " + sub.handheldDatabase);
        if (!opened || !LinkSubTable(parent, sub) || (run.purgeFlag != 1 && ReadPalmTable(sub) != 0)) {
            if (opened)
                ClosePalmTable(sub);
            for (int j = 0; j < i; ++j)
                ClosePalmTable(subTableOf(parent, file, j));
            return kSubTableNotFollowed;
        }
    }
    return kSubTablesFollowed;
}

void CloseSubTables(const SyncTableDescription& parent, TableDescriptionFile& file)
{
    for (int i = 0; i < parent.subTableCount; ++i) {
        SyncTableDescription& sub = subTableOf(parent, file, i);
        ClosePalmTable(sub);
        sub.heldRecords.clear();
    }
}

int SyncSubTables(const SyncRun& run, SyncTableDescription& parent, TableDescriptionFile& file)
{
    int result = kSubTablesFollowed;
    for (int i = 0; i < parent.subTableCount; ++i) {
        SyncTableDescription& sub = subTableOf(parent, file, i);
        LinkSubTable(parent, sub);
        sub.records.clear();
        if (run.purgeFlag == 1) {
            std::int32_t error = SyncPurgeAllRecs(sub.handheldHandle);
            if (error != SYNC_OK)
                ConduitLog("Error Purging PDT data err=" + std::to_string(error));
            sub.written = true;
        } else {
            ReadAllPalmRecords(sub);
        }
        const RecordsByKey subRecords = recordsByParentKey(parent, sub);
        for (const PalmRecordEntry& entry : parent.records)
            if (entry.status != kStatusNotActedOn)
                followParent(run, parent, entry, sub, subRecords);
        if (sub.written) {
            std::int32_t error = ClearSortInfo(sub.handheldHandle);
            if (error != SYNC_OK)
                ConduitLog("Error Clearing SortInfo err=" + std::to_string(error));
        }
        if (ClosePalmTable(sub) != 0)
            result = kSubTableNotStored;
        sub.records.clear();
        sub.heldRecords.clear();
    }
    return result;
}
