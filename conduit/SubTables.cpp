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

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kValueTextSize = 100;

// "[sub F1]=<parent literal>" for every linked parent field, joined by " AND ".
std::string linkConditions(const SyncTableDescription& parent, const SyncTableDescription& sub)
{
    std::string text;
    for (const SyncFieldDescription& field : parent.fields)
        if (field.subTableLink >= 0)
            text += (text.empty() ? "" : " AND ") +
                    Bracketed(sub.fields[static_cast<std::size_t>(field.subTableLink)].desktopColumn) + "=" + field.value;
    return text;
}

// Links every key field of the parent to the first sub-table field of the same handheld name.
bool linkKeyFields(SyncTableDescription& parent, const SyncTableDescription& sub)
{
    for (SyncFieldDescription& field : parent.fields) {
        field.subTableLink = -1;
        if (field.kind != FieldKind::Key && field.kind != FieldKind::Autonumber)
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

bool belongsToParent(const SyncTableDescription& parent, const SyncTableDescription& sub, PalmRecordEntry& record,
                     const HandheldLayout& subLayout)
{
    for (const SyncFieldDescription& field : parent.fields)
        if (field.subTableLink >= 0 &&
            FieldLiteral(subLayout, sub.fields[static_cast<std::size_t>(field.subTableLink)], record.bytes) != field.value)
            return false;
    return true;
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
    HandheldLayout layout = ReadTableLayout(sub);
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
                  SyncTableDescription& sub)
{
    HandheldLayout parentLayout = ReadTableLayout(parent);
    HandheldLayout subLayout = ReadTableLayout(sub);
    std::vector<std::uint8_t> parentBytes = entry.bytes;
    for (SyncFieldDescription& field : parent.fields)
        if (field.subTableLink >= 0)
            field.value = FieldLiteral(parentLayout, field, parentBytes);

    const bool changedOnHandheld = entry.status == kStatusInsertedOnDesktop || entry.status == kStatusUpdatedOnDesktop;
    if (changedOnHandheld || entry.status == kStatusDeletedOnDesktop) {
        if (EliminaFilasSubTablaPC(run.connection, parent, sub) != 0)
            ConduitLog("Delete Failed");
    }
    for (PalmRecordEntry& record : sub.records) {
        if (!belongsToParent(parent, sub, record, subLayout))
            continue;
        if (changedOnHandheld && !record.deleted) {
            if (!RefuseShortRecord(sub, record) && InsertPCRow(run, sub, record) != 0)
                ConduitLog("Insert Failed");
            else
                WriteBackPalmRecord(sub, record);
        } else {
            DeletePalmRecord(sub, record.recordId);
        }
    }
    if (entry.status == kStatusNewFromDesktop || entry.status == kStatusOverwrittenFromDesktop)
        sendDesktopSubRows(run, parent, sub);
}

}  // namespace

int EliminaFilasSubTablaPC(SQLHDBC connection, const SyncTableDescription& parent, const SyncTableDescription& sub)
{
    const std::string sql = "DELETE FROM " + sub.readTable + " WHERE " + linkConditions(parent, sub);
    if (ExecuteSQL(connection, sql) != 0) {
        ConduitLog("EliminaFilasSubTablaPC Failure: " + sql);
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
    const std::string sql = "SELECT " + columns + " FROM " + sub.readTable + " WHERE " + linkConditions(parent, sub);
    if (OpenQuery(connection, statement, sql) != 0) {
        ConduitLog("SolicitaFilasSubTablaPC Failure: " + sql);
        return 2;
    }
    return 0;
}

int SyncSubTables(const SyncRun& run, SyncTableDescription& parent, TableDescriptionFile& file)
{
    int result = kSubTablesFollowed;
    for (int i = 0; i < parent.subTableCount; ++i) {
        SyncTableDescription& sub = file.subTables.at(static_cast<std::size_t>(parent.firstSubTable + i));
        if (OpenPalmTable(sub) != 0) {
            ConduitLog("Fail to open Palm DB " + sub.handheldDatabase);
            return std::max(result, kSubTableNotFollowed);
        }
        if (!linkKeyFields(parent, sub)) {
            ClosePalmTable(sub);
            result = std::max(result, kSubTableNotFollowed);
            continue;
        }
        if (run.purgeFlag == 1) {
            std::int32_t error = SyncPurgeAllRecs(sub.handheldHandle);
            if (error != SYNC_OK)
                ConduitLog("Error Purging PDT data err=" + std::to_string(error));
            sub.written = true;
            sub.records.clear();
        } else {
            ReadAllPalmRecords(sub);
        }
        for (const PalmRecordEntry& entry : parent.records)
            if (entry.status != kStatusNotActedOn)
                followParent(run, parent, entry, sub);
        if (sub.written) {
            std::int32_t error = ClearSortInfo(sub.handheldHandle);
            if (error != SYNC_OK)
                ConduitLog("Error Clearing SortInfo err=" + std::to_string(error));
        }
        if (ClosePalmTable(sub) != 0)
            result = kSubTableNotStored;
        sub.records.clear();
    }
    return result;
}
