#include "DesktopRows.h"

#include "ConduitLog.h"
#include "FetchedRow.h"
#include "FieldConversion.h"
#include "HandheldLayout.h"
#include "OdbcAccess.h"
#include "TableDescription.h"

#include <sqlext.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr std::size_t kStampTextSize = 30;
constexpr std::size_t kValueTextSize = 200;

bool isMatchField(const SyncFieldDescription& field)
{
    return field.kind != FieldKind::Compared;
}

std::string joined(const std::vector<std::string>& parts, const std::string& separator)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : separator) + part;
    return text;
}

const HandheldFieldDescriptor& descriptorOf(const HandheldLayout& layout, const SyncFieldDescription& field)
{
    return layout.fields.at(static_cast<std::size_t>(field.descriptorIndex));
}

struct StampParts {
    int year, month, day, hour, minute, second;
};

StampParts stampParts(const std::vector<std::uint8_t>& record)
{
    auto part = [&record](std::size_t i) { return static_cast<int>(static_cast<std::int8_t>(record[i])); };
    return {part(0) + 2000, part(1), part(2), part(3), part(4), part(5)};
}

// The stamp as a date-time literal. A stamp that is no date (the six zero bytes a row without a
// desktop stamp gets) is written as NULL: the database refuses it as a date, and the row would
// never reach its table or mirror.
std::string stampLiteral(const std::vector<std::uint8_t>& record)
{
    StampParts parts = stampParts(record);
    bool isDate = parts.month >= 1 && parts.month <= 12 && parts.day >= 1 && parts.day <= 31 &&
                  parts.hour >= 0 && parts.hour < 24 && parts.minute >= 0 && parts.minute < 60 &&
                  parts.second >= 0 && parts.second < 60;
    return isDate ? "#" + HandheldStampText(record) + "#" : "NULL";
}

// "T1.[F1] = ?" for every key field (K or A), joined by " AND ", with the literals in values.
std::string keyConditions(const SyncTableDescription& table, const HandheldLayout& layout,
                          std::vector<std::uint8_t>& record, SqlValues& values)
{
    std::vector<std::string> conditions;
    for (const SyncFieldDescription& field : table.fields) {
        if (IsKeyField(field)) {
            conditions.push_back(table.readTable + "." + Bracketed(field.desktopColumn) + " = ?");
            values.push_back(FieldLiteral(layout, field, record));
        }
    }
    return joined(conditions, " AND ");
}

// Columns and values of an insert: the stamp, the constant columns, then the fields (the
// autonumber field only when asked). The constants stand in the text; the record's literals go
// to boundValues, with "?" for each in the text.
void insertColumnsAndValues(const SyncTableDescription& table, const HandheldLayout& layout,
                            std::vector<std::uint8_t>& record, bool withAutonumber, std::string& columns,
                            std::string& values, SqlValues& boundValues)
{
    std::vector<std::string> columnList;
    std::vector<std::string> valueList;
    if (!table.timeStampColumn.empty()) {
        columnList.push_back(Bracketed(table.timeStampColumn) + " ");
        valueList.push_back("?");
        boundValues.push_back(stampLiteral(record));
    }
    for (const ConstantColumn& constant : table.constantColumns) {
        columnList.push_back(Bracketed(constant.desktopColumn) + " ");
        valueList.push_back(constant.value);
    }
    for (const SyncFieldDescription& field : table.fields) {
        if (field.kind == FieldKind::Autonumber && !withAutonumber)
            continue;
        columnList.push_back(Bracketed(field.desktopColumn) + " ");
        valueList.push_back("?");
        boundValues.push_back(FieldLiteral(layout, field, record));
    }
    columns = joined(columnList, ",");
    values = joined(valueList, ",");
}

// Reads "SELECT @@IDENTITY" into the table's autonumber field of the record.
void readAutonumber(const SyncRun& run, const SyncTableDescription& table, const HandheldLayout& layout,
                    std::vector<std::uint8_t>& record)
{
    for (const SyncFieldDescription& field : table.fields) {
        if (field.kind != FieldKind::Autonumber)
            continue;
        const std::string sql = "SELECT @@IDENTITY";
        SQLHSTMT statement = SQL_NULL_HSTMT;
        if (OpenQuery(run.connection, statement, sql) != 0) {
            ConduitLog("Failure: " + sql);
            return;
        }
        std::string identity;
        if (IsFetchedRow(SQLFetch(statement)))
            GetColumnByIndex(statement, 1, identity, kValueTextSize);
        else
            ConduitLog("Failure: " + sql);
        CloseQuery(statement);
        ConvertField(ConversionMode::TextToRecord, record, identity, descriptorOf(layout, field));
        return;
    }
}

// Rows of other practice tables that name a desktop row by its key, as the desktop program's
// own delete treats them: a patient who has charges is not deleted; his visiting doctors go with
// him. (His history is a sub-table and follows him.) Left behind, they would pass to the next
// patient given the same id.
struct NamingRows {
    const char* namedTable;  // T2 of the named row
    const char* keyColumn;   // its key column, which the naming table names it by
    const char* namingTable;
    bool blocksDeletion;
    const char* one;  // how the log counts blocking rows
    const char* many;
};

constexpr NamingRows kNamingRows[] = {
    {"Patient", "PatientId", "PatientCharges", true, "charge", "charges"},
    {"Patient", "PatientId", "PatientDoctors", false, "", ""},
};

bool sameName(const std::string& name, const char* other)
{
    return std::equal(name.begin(), name.end(), other, other + std::strlen(other), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

// The key field of the table that the naming rows use, or none.
const SyncFieldDescription* namedKey(const SyncTableDescription& table, const NamingRows& naming)
{
    if (!sameName(table.writeTable, naming.namedTable))
        return nullptr;
    for (const SyncFieldDescription& field : table.fields)
        if (IsKeyField(field) && sameName(field.desktopColumn, naming.keyColumn))
            return &field;
    return nullptr;
}

// "FROM <naming table> WHERE [key] = ?", with the record's key in values.
std::string namingRowsOf(const NamingRows& naming, const SyncFieldDescription& key, const HandheldLayout& layout,
                         std::vector<std::uint8_t>& record, SqlValues& values)
{
    values.push_back(FieldLiteral(layout, key, record));
    return std::string(" FROM ") + naming.namingTable + " WHERE " + Bracketed(naming.keyColumn) + " = ?";
}

// Keeps the fetched row's stamp and field values; false when a column cannot be read (logged).
bool keepFoundRow(SQLHSTMT statement, SyncTableDescription& table)
{
    table.desktopStamp.clear();
    if (!table.timeStampColumn.empty() &&
        GetColumnByName(statement, table.timeStampColumn, table.desktopStamp, kStampTextSize) != 0) {
        ConduitLog("Unable to extract column : " + table.timeStampColumn);
        return false;
    }
    for (SyncFieldDescription& field : table.fields) {
        if (GetColumnByName(statement, field.desktopColumn, field.value, kValueTextSize) != 0) {
            ConduitLog("Unable to extract column : " + field.desktopColumn);
            return false;
        }
    }
    return true;
}

}  // namespace

std::string Bracketed(const std::string& column)
{
    return "[" + column + "]";
}

std::string FieldLiteral(const HandheldLayout& layout, const SyncFieldDescription& field,
                         std::vector<std::uint8_t>& record)
{
    const HandheldFieldDescriptor& descriptor = descriptorOf(layout, field);
    std::string literal;
    ConvertField(ConversionMode::RecordToLiteral, record, literal, descriptor);
    // A desktop date that was empty reaches the handheld as year, month and day 0; written back
    // as such it is no date and the database refuses the whole statement.
    if (descriptor.type == kFieldDate || descriptor.type == kFieldDateTime) {
        int year = 0, month = 0, day = 0;
        if (std::sscanf(literal.c_str(), "#%d-%d-%d", &year, &month, &day) != 3 || month < 1 || month > 12 ||
            day < 1 || day > 31)
            return "NULL";
    }
    return literal;
}

std::string HandheldStampText(const std::vector<std::uint8_t>& record)
{
    StampParts parts = stampParts(record);
    char text[64];
    std::snprintf(text, sizeof text, "%02d-%02d-%02d %02d:%02d:%02d", parts.year, parts.month, parts.day, parts.hour,
                  parts.minute, parts.second);
    return text;
}

int CountDesktopRows(const SyncRun& run, const std::string& sql, const SqlValues& values, std::size_t& count)
{
    count = 0;
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (OpenQuery(run.connection, statement, sql, values) != 0) {
        ConduitLog("Failure: " + StatementWithValues(sql, values));
        return 1;
    }
    std::string counted;
    const bool fetched = FetchNextRow(statement);
    if (fetched)
        GetColumnByIndex(statement, 1, counted, kValueTextSize);
    CloseQuery(statement);
    count = std::strtoul(counted.c_str(), nullptr, 10);
    return fetched ? 0 : 1;
}

int RunDesktopStatement(const SyncRun& run, const std::string& sql, const SqlValues& values)
{
    if (ExecuteSQL(run.connection, sql, values) != 0) {
        ConduitLog("Failure: " + StatementWithValues(sql, values));
        return 1;
    }
    return 0;
}

int FindPCRow(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry, bool& found)
{
    found = false;
    const HandheldLayout& layout = ReadTableLayout(table);
    std::vector<std::string> columns;
    if (!table.timeStampColumn.empty())
        columns.push_back(Bracketed(table.timeStampColumn));
    for (const ConstantColumn& constant : table.constantColumns)
        columns.push_back(Bracketed(constant.desktopColumn) + " ");
    for (const SyncFieldDescription& field : table.fields)
        columns.push_back(Bracketed(field.desktopColumn));
    SqlValues values;
    const std::string sql = "SELECT " + joined(columns, ",") + " FROM " + table.readTable + " WHERE " +
                            keyConditions(table, layout, entry.bytes, values);

    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (OpenQuery(run.connection, statement, sql, values) != 0) {
        ConduitLog("Failure: " + StatementWithValues(sql, values));
        return 1;
    }
    int result = 0;
    SQLRETURN fetched = SQLFetch(statement);
    if (IsFetchedRow(fetched)) {
        found = keepFoundRow(statement, table);
        result = found ? 0 : 1;
    } else if (fetched != SQL_NO_DATA) {
        ConduitLog("Fetch Failure");
        result = 1;
    }
    CloseQuery(statement);
    return result;
}

int ComparePCTimestamp(const SyncTableDescription& table, const PalmRecordEntry& entry)
{
    if (table.desktopStamp.empty())
        return 2;
    int order = std::strcmp(HandheldStampText(entry.bytes).c_str(), table.desktopStamp.c_str());
    return order < 0 ? 1 : order == 0 ? 0 : 2;
}

int DeletePCRow(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry)
{
    const HandheldLayout& layout = ReadTableLayout(table);
    SqlValues values;
    const std::string conditions = keyConditions(table, layout, entry.bytes, values);
    if (RunDesktopStatement(run, "DELETE FROM " + table.writeTable + " WHERE " + conditions, values) != 0)
        return 1;
    for (const NamingRows& naming : kNamingRows) {
        const SyncFieldDescription* key = namedKey(table, naming);
        if (key == nullptr || naming.blocksDeletion)
            continue;
        SqlValues keyValue;
        const std::string rows = namingRowsOf(naming, *key, layout, entry.bytes, keyValue);
        if (RunDesktopStatement(run, "DELETE" + rows, keyValue) != 0)
            return 1;
    }
    return 0;
}

int RefuseDeletionInUse(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry, bool& refused)
{
    refused = false;
    const HandheldLayout& layout = ReadTableLayout(table);
    for (const NamingRows& naming : kNamingRows) {
        const SyncFieldDescription* key = namedKey(table, naming);
        if (key == nullptr || !naming.blocksDeletion)
            continue;
        SqlValues values;
        const std::string sql = "SELECT COUNT(*)" + namingRowsOf(naming, *key, layout, entry.bytes, values);
        std::size_t rows = 0;
        if (CountDesktopRows(run, sql, values, rows) != 0)
            return 1;
        if (rows > 0) {
            ConduitLog(table.writeTable + " " + FieldLiteral(layout, *key, entry.bytes) + " has " + std::to_string(rows) +
                       " " + (rows == 1 ? naming.one : naming.many) +
                       " on the desktop: the handheld's deletion was refused and the record sent back");
            refused = true;
        }
    }
    return 0;
}

int InsertPCRow(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry)
{
    const HandheldLayout& layout = ReadTableLayout(table);
    std::string columns;
    std::string values;
    SqlValues boundValues;
    insertColumnsAndValues(table, layout, entry.bytes, false, columns, values, boundValues);
    if (RunDesktopStatement(run, "INSERT INTO " + table.writeTable + " (" + columns + ") VALUES (" + values + ")",
                            boundValues) != 0)
        return 1;
    readAutonumber(run, table, layout, entry.bytes);
    return 0;
}

int UpdatePCRow(const SyncRun& run, SyncTableDescription& table, PalmRecordEntry& entry,
                const std::vector<bool>& assigned, bool stamped)
{
    const HandheldLayout& layout = ReadTableLayout(table);
    std::vector<std::string> assignments;
    std::vector<std::string> conditions;
    SqlValues assignedValues;
    SqlValues matchedValues;
    if (stamped && !table.timeStampColumn.empty()) {
        assignments.push_back(Bracketed(table.timeStampColumn) + " = ?");
        assignedValues.push_back(stampLiteral(entry.bytes));
    }
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        const SyncFieldDescription& field = table.fields[i];
        if (isMatchField(field)) {
            conditions.push_back(Bracketed(field.desktopColumn) + " =?");
            matchedValues.push_back(FieldLiteral(layout, field, entry.bytes));
        } else if (assigned.at(i)) {
            assignments.push_back(Bracketed(field.desktopColumn) + " = ?");
            assignedValues.push_back(FieldLiteral(layout, field, entry.bytes));
        }
    }
    if (assignments.empty())
        return 0;
    assignedValues.insert(assignedValues.end(), matchedValues.begin(), matchedValues.end());
    return RunDesktopStatement(run, "UPDATE " + table.writeTable + " SET " + joined(assignments, ", ") + " WHERE " +
                                        joined(conditions, " AND "),
                               assignedValues);
}

int ReadMirrorRow(const SyncRun& run, const SyncTableDescription& table, std::uint32_t recordId,
                  std::vector<std::string>& values, bool& found)
{
    std::vector<std::string> columns;
    for (const SyncFieldDescription& field : table.fields)
        if (!isMatchField(field))
            columns.push_back(Bracketed(field.desktopColumn));
    const std::string sql =
        "SELECT " + joined(columns, ",") + " FROM " + table.mirrorTable + " WHERE PDTId = ? AND PDTRecordId = ?";
    const SqlValues keyValues = {std::to_string(run.pdtId), std::to_string(recordId)};
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (OpenQuery(run.connection, statement, sql, keyValues) != 0) {
        ConduitLog("Failure: " + StatementWithValues(sql, keyValues));
        return 1;
    }
    values.assign(table.fields.size(), std::string());
    found = FetchNextRow(statement);
    int result = 0;
    for (std::size_t i = 0; found && result == 0 && i < table.fields.size(); ++i) {
        const SyncFieldDescription& field = table.fields[i];
        if (!isMatchField(field) && GetColumnByName(statement, field.desktopColumn, values[i], kValueTextSize) != 0) {
            ConduitLog("Unable to extract column : " + field.desktopColumn);
            result = 1;
        }
    }
    CloseQuery(statement);
    return result;
}

int InsertMirrorRow(const SyncRun& run, SyncTableDescription& table, std::uint32_t recordId,
                    std::vector<std::uint8_t>& bytes)
{
    const HandheldLayout& layout = ReadTableLayout(table);
    std::string columns;
    std::string values;
    SqlValues boundValues;
    insertColumnsAndValues(table, layout, bytes, true, columns, values, boundValues);
    boundValues.push_back(std::to_string(run.pdtId));
    boundValues.push_back(std::to_string(recordId));
    return RunDesktopStatement(run, "INSERT INTO " + table.mirrorTable + " (" + columns + ", PDTId, PDTRecordId" +
                                        ") VALUES (" + values + ",?,?)",
                               boundValues);
}

int DeleteMirrorRow(const SyncRun& run, const SyncTableDescription& table, std::uint32_t recordId)
{
    return RunDesktopStatement(run, "DELETE FROM " + table.mirrorTable + " WHERE PDTId = ? AND PDTRecordId = ?",
                               {std::to_string(run.pdtId), std::to_string(recordId)});
}

int PurgePCRows(const SyncRun& run, const SyncTableDescription& table)
{
    return RunDesktopStatement(run, "DELETE FROM " + table.mirrorTable + "  WHERE PDTId = " + std::to_string(run.pdtId));
}
