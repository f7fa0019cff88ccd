#include "HandheldCapacity.h"

#include "ConduitLog.h"
#include "DesktopRows.h"
#include "FetchedRow.h"
#include "FieldConversion.h"
#include "OdbcAccess.h"
#include "SubTables.h"
#include "TableDescription.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr std::size_t kMostHandheldRecords = 65535;
constexpr std::size_t kValueTextSize = 100;

using KeyOfRecord = std::function<std::string(std::vector<std::uint8_t>&)>;

bool refuse(const SyncTableDescription& table, const SyncTableDescription& database, std::size_t records)
{
    ConduitLog(database.handheldDatabase + " would hold up to " + std::to_string(records) +
               " records; a handheld database holds at most " + std::to_string(kMostHandheldRecords) + ". " +
               table.handheldDatabase + " was not exchanged.");
    return false;
}

bool notCounted(const SyncTableDescription& table)
{
    ConduitLog(table.handheldDatabase + " was not exchanged: the desktop rows could not be counted.");
    return false;
}

// Runs the query, whose first columns are those of fields in order, and hands each row's key (as
// keyOf gives it for a record of the layout holding those values) with the text of the column after
// them. False when the query fails (logged).
bool readKeys(const SyncRun& run, const std::string& sql, const HandheldLayout& layout,
              const std::vector<const SyncFieldDescription*>& fields, const KeyOfRecord& keyOf,
              const std::function<void(const std::string& key, const std::string& next)>& onRow)
{
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (OpenQuery(run.connection, statement, sql) != 0) {
        ConduitLog("Failure: " + sql);
        return false;
    }
    while (FetchNextRow(statement)) {
        std::vector<std::uint8_t> record;
        SetRecordDefaults(layout, record);
        int column = 1;
        for (const SyncFieldDescription* field : fields) {
            std::string value;
            GetColumnByIndex(statement, column++, value, kValueTextSize);
            ConvertField(ConversionMode::TextToRecord, record, value,
                         layout.fields.at(static_cast<std::size_t>(field->descriptorIndex)));
        }
        std::string next;
        GetColumnByIndex(statement, column, next, kValueTextSize);
        onRow(keyOf(record), next);
    }
    CloseQuery(statement);
    return true;
}

std::string columnList(const std::vector<const SyncFieldDescription*>& fields)
{
    std::string text;
    for (const SyncFieldDescription* field : fields)
        text += (text.empty() ? "" : ",") + Bracketed(field->desktopColumn);
    return text;
}

std::string extraCondition(const SyncTableDescription& table)
{
    return table.extraCondition.empty() ? "" : " WHERE " + table.extraCondition;
}

// The parent keys the handheld will hold: those it holds and the desktop's; newOnDesktop counts
// the desktop's keys that it does not hold yet.
bool parentKeysAfter(const SyncRun& run, SyncTableDescription& table, std::unordered_set<std::string>& keys,
                     std::size_t& newOnDesktop)
{
    std::vector<const SyncFieldDescription*> keyFields;
    for (const SyncFieldDescription& field : table.fields)
        if (IsKeyField(field))
            keyFields.push_back(&field);
    for (PalmRecordEntry& held : table.heldRecords)
        keys.insert(ParentKey(table, held.bytes));
    newOnDesktop = 0;
    const auto keyOf = [&table](std::vector<std::uint8_t>& record) { return ParentKey(table, record); };
    return readKeys(run, "SELECT " + columnList(keyFields) + " FROM " + table.readTable + extraCondition(table),
                    ReadTableLayout(table), keyFields, keyOf, [&](const std::string& key, const std::string&) {
                        if (keys.insert(key).second)
                            ++newOnDesktop;
                    });
}

// At most how many records the sub-table's database holds after the exchange.
bool subRecordsAfter(const SyncRun& run, SyncTableDescription& table, SyncTableDescription& sub,
                     const std::unordered_set<std::string>& parentKeys, std::size_t& records)
{
    LinkSubTable(table, sub);
    std::unordered_map<std::string, std::size_t> held;
    for (PalmRecordEntry& record : sub.heldRecords)
        ++held[SubRecordKey(table, sub, record.bytes)];
    std::unordered_map<std::string, std::size_t> desktop;
    std::vector<const SyncFieldDescription*> linked;
    for (const SyncFieldDescription& field : table.fields)
        if (field.subTableLink >= 0)
            linked.push_back(&sub.fields.at(static_cast<std::size_t>(field.subTableLink)));
    const auto keyOf = [&table, &sub](std::vector<std::uint8_t>& record) { return SubRecordKey(table, sub, record); };
    const std::string columns = columnList(linked);
    if (!readKeys(run, "SELECT " + columns + ", COUNT(*) FROM " + sub.readTable + " GROUP BY " + columns,
                  ReadTableLayout(sub), linked, keyOf, [&desktop](const std::string& key, const std::string& count) {
                      desktop[key] += std::strtoul(count.c_str(), nullptr, 10);
                  }))
        return false;
    records = 0;
    for (const auto& [key, count] : held)
        if (!parentKeys.count(key) || !desktop.count(key))
            records += count;
    for (const auto& [key, count] : desktop)
        if (parentKeys.count(key))
            records += std::max(count, held.count(key) ? held.at(key) : 0);
    return true;
}

}  // namespace

bool TableFitsTheHandheld(const SyncRun& run, SyncTableDescription& table, TableDescriptionFile& file)
{
    // Plain counts settle it unless the handheld and the desktop together hold more than the limit.
    std::size_t desktopRows = 0;
    if (CountDesktopRows(run, "SELECT COUNT(*) FROM " + table.readTable + extraCondition(table), {}, desktopRows) != 0)
        return notCounted(table);
    std::unordered_set<std::string> parentKeys;
    bool parentKeysRead = false;
    const auto readParentKeys = [&](std::size_t& parents) {
        std::size_t newOnDesktop = 0;
        parentKeysRead = parentKeysAfter(run, table, parentKeys, newOnDesktop);
        parents = table.heldRecords.size() + newOnDesktop;
        return parentKeysRead;
    };
    std::size_t parents = table.heldRecords.size() + desktopRows;
    if (parents > kMostHandheldRecords) {
        if (!readParentKeys(parents))
            return notCounted(table);
        if (parents > kMostHandheldRecords)
            return refuse(table, table, parents);
    }
    for (int i = 0; i < table.subTableCount; ++i) {
        SyncTableDescription& sub = file.subTables.at(static_cast<std::size_t>(table.firstSubTable + i));
        std::size_t subRows = 0;
        if (CountDesktopRows(run, "SELECT COUNT(*) FROM " + sub.readTable, {}, subRows) != 0)
            return notCounted(table);
        std::size_t records = sub.heldRecords.size() + subRows;
        if (records <= kMostHandheldRecords)
            continue;
        if (!parentKeysRead && !readParentKeys(parents))
            return notCounted(table);
        if (!subRecordsAfter(run, table, sub, parentKeys, records))
            return notCounted(table);
        if (records > kMostHandheldRecords)
            return refuse(table, sub, records);
    }
    return true;
}
