#include "DesktopChanges.h"

#include "ConduitLog.h"
#include "ConduitMessages.h"
#include "DesktopRows.h"
#include "FetchedRow.h"
#include "FieldConversion.h"
#include "HandheldLayout.h"
#include "OdbcAccess.h"
#include "PalmRecordEdits.h"
#include "SyncManager.h"
#include "SyncStatus.h"
#include "TableDescription.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kStampTextSize = 30;
constexpr std::size_t kValueTextSize = 100;

enum FetchResult : int { kFetched = 0, kNoMoreRows = 1, kNoRecordId = 2, kNoStamp = 3, kNoValue = 4 };

// "<prefix>[F1]<operator><other>.[F1]" for each field that passes the filter, joined.
template <typename Filter>
std::string fieldList(const SyncTableDescription& table, Filter filter, const std::string& prefix,
                      const std::string& comparison, const std::string& separator)
{
    std::string text;
    for (const SyncFieldDescription& field : table.fields) {
        if (!filter(field))
            continue;
        text += (text.empty() ? "" : separator) + prefix + Bracketed(field.desktopColumn);
        if (!comparison.empty())
            text += comparison + Bracketed(field.desktopColumn);
    }
    return text;
}

bool anyField(const SyncFieldDescription&) { return true; }
bool matchField(const SyncFieldDescription& field) { return field.kind != FieldKind::Compared; }
bool comparedField(const SyncFieldDescription& field) { return field.kind == FieldKind::Compared; }

std::string extraCondition(const SyncTableDescription& table)
{
    return table.extraCondition.empty() ? "" : " AND " + table.extraCondition;
}

// Jet compares texts without regard to case; StrComp with 0 compares exactly, so that a change
// of letter case alone is sent too.
std::string changedComparedFields(const SyncTableDescription& table)
{
    std::string text;
    for (const SyncFieldDescription& field : table.fields)
        if (comparedField(field))
            text += (text.empty() ? "StrComp(" : " OR StrComp(") + table.mirrorTable + "." +
                    Bracketed(field.desktopColumn) + ", " + table.readTable + "." + Bracketed(field.desktopColumn) +
                    ", 0)<>0";
    return text;
}

std::string passSql(int pass, std::uint32_t pdtId, const SyncTableDescription& table)
{
    const std::string& t1 = table.readTable;
    const std::string& t3 = table.mirrorTable;
    const std::string id = std::to_string(pdtId);
    const bool stamped = !table.timeStampColumn.empty();
    if (pass == kPassNewRows)
        return "SELECT " + (stamped ? Bracketed(table.timeStampColumn) + "," : "") +
               fieldList(table, anyField, "", "", ",") + " FROM " + t1 + " WHERE NOT EXISTS ( SELECT * FROM " + t3 +
               " WHERE " + fieldList(table, matchField, "", "=" + t1 + ".", " AND ") + " AND PDTId = " + id + ")" +
               extraCondition(table);
    if (pass == kPassChangedRows)
        return "SELECT " + (stamped ? t1 + "." + Bracketed(table.timeStampColumn) + "," : "") +
               fieldList(table, anyField, t1 + ".", "", ",") + ",PDTRecordId FROM " + t3 + " INNER JOIN " + t1 +
               " ON " + fieldList(table, matchField, t3 + ".", "=" + t1 + ".", " AND ") + " WHERE PDTId = " + id +
               " AND (" + changedComparedFields(table) + ")";
    return "SELECT PDTRecordId FROM " + t3 + " WHERE PDTId = " + id + " AND NOT EXISTS ( SELECT " +
           (stamped ? Bracketed(table.timeStampColumn) + "," : "") + fieldList(table, anyField, "", "", ",") +
           " FROM " + t1 + " WHERE " + fieldList(table, matchField, "", "=" + t3 + ".", " AND ") +
           extraCondition(table) + ")";
}

int fetchRow(SQLHSTMT statement)
{
    return FetchNextRow(statement) ? kFetched : kNoMoreRows;
}

int readStampAndValues(SQLHSTMT statement, SyncTableDescription& table)
{
    table.desktopStamp.clear();
    if (!table.timeStampColumn.empty() &&
        GetColumnByName(statement, table.timeStampColumn, table.desktopStamp, kStampTextSize) != 0) {
        ConduitLog("Fail to retrieve TS data from " + table.readTable);
        return kNoStamp;
    }
    for (SyncFieldDescription& field : table.fields) {
        if (GetColumnByName(statement, field.desktopColumn, field.value, kValueTextSize) != 0) {
            ConduitLog("Fail to retrieve " + field.desktopColumn + " from row");
            return kNoValue;
        }
    }
    return kFetched;
}

int readRecordId(SQLHSTMT statement, std::uint32_t& recordId)
{
    std::string text;
    if (GetColumnByName(statement, "PDTRecordId", text, kValueTextSize) != 0) {
        ConduitLog("Fail to retrieve PDTRecordId from row");
        return kNoRecordId;
    }
    recordId = static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 10));
    return kFetched;
}

// Writes the fetched desktop row to the handheld over base (record id 0: a new record), lists
// it with its status and renews its mirror row. False when the desktop's write lock could not be
// taken first: nothing was written.
bool sendDesktopRow(const SyncRun& run, SyncTableDescription& table, std::uint32_t recordId,
                    std::vector<std::uint8_t> base, std::int32_t status)
{
    if (TakeWriteLock(run.connection) != 0)
        return false;
    if (WriteDesktopRowToPalm(table, recordId, base) != 0) {
        ConduitLog("Update from PC Failed");
        return true;
    }
    table.records.push_back(PalmRecordEntry{recordId, false, status, base});
    if (DeleteMirrorRow(run, table, recordId) != 0)
        ConduitLog("Delete Failed");
    else if (InsertMirrorRow(run, table, recordId, table.records.back().bytes) != 0)
        ConduitLog("InsertVX Failed");
    return true;
}

// The passes answer false when the desktop's write lock could not be taken before the first change.
bool sendNewRows(const SyncRun& run, SyncTableDescription& table, SQLHSTMT statement)
{
    const HandheldLayout& layout = ReadTableLayout(table);
    for (;;) {
        SyncYieldCycles(1);
        int fetched = FetchNewPCRow(statement, table);
        if (fetched == kNoMoreRows)
            return true;
        if (fetched != kFetched)
            continue;
        std::vector<std::uint8_t> record;
        SetRecordDefaults(layout, record);
        if (!sendDesktopRow(run, table, 0, record, kStatusNewFromDesktop))
            return false;
    }
}

// Whether the record's mirror row holds the fetched desktop row as the handheld stores it. A
// value the handheld cannot hold whole (longer than its field, or with characters outside the
// code page) always differs in the database, yet sending it again would change nothing.
bool mirrorHoldsFetchedRow(const SyncRun& run, const SyncTableDescription& table, const HandheldLayout& layout,
                           std::uint32_t recordId)
{
    std::vector<std::string> mirrored;
    bool same = false;
    if (ReadMirrorRow(run, table, recordId, mirrored, same) != 0)
        return false;
    for (std::size_t i = 0; same && i < table.fields.size(); ++i) {
        const SyncFieldDescription& field = table.fields[i];
        same = !comparedField(field) ||
               SameWhenStored(layout.fields.at(static_cast<std::size_t>(field.descriptorIndex)), field.value, mirrored[i]);
    }
    return same;
}

bool sendChangedRows(const SyncRun& run, SyncTableDescription& table, SQLHSTMT statement)
{
    const HandheldLayout& layout = ReadTableLayout(table);
    for (;;) {
        SyncYieldCycles(1);
        std::uint32_t recordId = 0;
        int fetched = FetchChangedPCRow(statement, table, recordId);
        if (fetched == kNoMoreRows)
            return true;
        if (fetched != kFetched || mirrorHoldsFetchedRow(run, table, layout, recordId))
            continue;
        std::vector<std::uint8_t> record;
        if (ReadPalmRecordById(table, recordId, record) != SYNC_OK)
            SetRecordDefaults(layout, record);
        if (!sendDesktopRow(run, table, recordId, record, kStatusOverwrittenFromDesktop))
            return false;
    }
}

bool removeDeletedRows(const SyncRun& run, SyncTableDescription& table, SQLHSTMT statement)
{
    for (;;) {
        SyncYieldCycles(1);
        std::uint32_t recordId = 0;
        int fetched = FetchDeletedPCRow(statement, recordId);
        if (fetched == kNoMoreRows)
            return true;
        if (fetched != kFetched)
            continue;
        if (TakeWriteLock(run.connection) != 0)
            return false;
        if (DeleteMirrorRow(run, table, recordId) != 0) {
            ConduitLog("Delete Failed");
            continue;
        }
        // The record is listed with its bytes so that its sub-records follow it off the handheld.
        std::vector<std::uint8_t> record;
        if (ReadPalmRecordById(table, recordId, record) == SYNC_OK)
            table.records.push_back(PalmRecordEntry{recordId, false, kStatusDeletedFromDesktop, record});
        DeletePalmRecord(table, recordId);
    }
}

}  // namespace

int SolicitaFilasCambiadasEnPC(int pass, SQLHDBC connection, std::uint32_t pdtId, SyncTableDescription& table,
                               SQLHSTMT& statement)
{
    const std::string sql = passSql(pass, pdtId, table);
    if (OpenQuery(connection, statement, sql) != 0) {
        ConduitLog("SolicitaFilasCambiadasEnPC Failure: " + sql);
        ConduitMessageBox(sql, "Error en SolicitaCambios");
        return 2;
    }
    return 0;
}

int FetchNewPCRow(SQLHSTMT statement, SyncTableDescription& table)
{
    int fetched = fetchRow(statement);
    return fetched == kFetched ? readStampAndValues(statement, table) : fetched;
}

int FetchChangedPCRow(SQLHSTMT statement, SyncTableDescription& table, std::uint32_t& recordId)
{
    int fetched = fetchRow(statement);
    if (fetched == kFetched)
        fetched = readStampAndValues(statement, table);
    return fetched == kFetched ? readRecordId(statement, recordId) : fetched;
}

int FetchDeletedPCRow(SQLHSTMT statement, std::uint32_t& recordId)
{
    int fetched = fetchRow(statement);
    return fetched == kFetched ? readRecordId(statement, recordId) : fetched;
}

void CloseChangesQuery(SQLHSTMT statement)
{
    if (statement != SQL_NULL_HSTMT)
        CloseQuery(statement);
}

void IndexMirrorTable(const SyncRun& run, const SyncTableDescription& table)
{
    const std::string matchColumns = fieldList(table, matchField, "", "", ", ");
    if (!matchColumns.empty())
        RunDesktopStatement(run, "CREATE INDEX IF NOT EXISTS " + Bracketed(table.mirrorTable + "ByPDTKey") + " ON " +
                                     table.mirrorTable + " (PDTId, " + matchColumns + ")");
}

int ApplyDesktopChanges(const SyncRun& run, SyncTableDescription& table)
{
    for (int pass : {kPassNewRows, kPassChangedRows, kPassDeletedRows}) {
        if (pass == kPassChangedRows && !table.hasComparedField)
            continue;
        SyncYieldCycles(1);
        SQLHSTMT statement = SQL_NULL_HSTMT;
        if (SolicitaFilasCambiadasEnPC(pass, run.connection, run.pdtId, table, statement) != 0) {
            ConduitLog("Error asking for PC changes");
            return 0;
        }
        bool lockTaken = true;
        if (pass == kPassNewRows)
            lockTaken = sendNewRows(run, table, statement);
        else if (pass == kPassChangedRows)
            lockTaken = sendChangedRows(run, table, statement);
        else
            lockTaken = removeDeletedRows(run, table, statement);
        CloseChangesQuery(statement);
        if (!lockTaken)
            return kDesktopChangedMeanwhile;
    }
    return 0;
}
