#include "MirrorRepair.h"

#include "ConduitLog.h"
#include "DesktopRows.h"
#include "FetchedRow.h"
#include "FieldConversion.h"
#include "HandheldLayout.h"
#include "OdbcAccess.h"
#include "PalmTables.h"
#include "TableDescription.h"

#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kValueTextSize = 100;

// The record ids that the mirror rows of this handheld name; false when they cannot be read (logged).
bool readMirroredRecordIds(const SyncRun& run, const SyncTableDescription& table, std::set<std::uint32_t>& ids)
{
    const std::string sql =
        "SELECT PDTRecordId FROM " + table.mirrorTable + " WHERE PDTId = " + std::to_string(run.pdtId);
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (OpenQuery(run.connection, statement, sql) != 0) {
        ConduitLog("Failure: " + sql);
        return false;
    }
    while (FetchNextRow(statement)) {
        std::string text;
        GetColumnByIndex(statement, 1, text, kValueTextSize);
        ids.insert(static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 10)));
    }
    CloseQuery(statement);
    return true;
}

// The bytes of the record's key fields (K); empty for a table without any. An autonumber (A) is
// 0 in every record the desktop has not numbered yet, so it tells records apart only later.
std::vector<std::uint8_t> keyBytes(const SyncTableDescription& table, const HandheldLayout& layout,
                                   const PalmRecordEntry& entry)
{
    std::vector<std::uint8_t> key;
    for (const SyncFieldDescription& field : table.fields) {
        if (field.kind != FieldKind::Key)
            continue;
        const HandheldFieldDescriptor& descriptor = layout.fields.at(static_cast<std::size_t>(field.descriptorIndex));
        const auto first = entry.bytes.begin() + (descriptor.offset - 2);
        key.insert(key.end(), first, first + static_cast<std::ptrdiff_t>(StoredFieldSize(descriptor)));
    }
    return key;
}

// "7, 9 and 12".
std::string recordList(const std::vector<std::uint32_t>& recordIds)
{
    std::string text;
    for (std::size_t i = 0; i < recordIds.size(); ++i)
        text += (i == 0 ? "" : i + 1 == recordIds.size() ? " and " : ", ") + std::to_string(recordIds[i]);
    return text;
}

// Logs the keys that two or more live records hold; sharingAKey gets them, and the deleted
// records whose key a live record still holds. records holds every record of the handheld, the
// modified ones twice.
void findKeysHeldTwice(const SyncTableDescription& table, const std::vector<PalmRecordEntry>& records,
                       std::set<std::uint32_t>& sharingAKey)
{
    const HandheldLayout& layout = ReadTableLayout(table);
    std::map<std::vector<std::uint8_t>, std::vector<const PalmRecordEntry*>> byKey;
    std::set<std::uint32_t> seen;
    for (const PalmRecordEntry& entry : records)
        if (!entry.shorterThanLayout && seen.insert(entry.recordId).second)
            byKey[keyBytes(table, layout, entry)].push_back(&entry);
    for (auto& [key, holders] : byKey) {
        std::vector<std::uint32_t> live;
        for (const PalmRecordEntry* entry : holders)
            if (!entry->deleted)
                live.push_back(entry->recordId);
        if (key.empty() || live.empty() || holders.size() < 2)
            continue;
        for (const PalmRecordEntry* entry : holders)
            if (entry->deleted || live.size() > 1)
                sharingAKey.insert(entry->recordId);
        if (live.size() < 2)
            continue;
        std::vector<std::uint8_t> bytes = holders.front()->bytes;
        std::string keyText;
        for (const SyncFieldDescription& field : table.fields)
            if (field.kind == FieldKind::Key)
                keyText += (keyText.empty() ? "" : " AND ") + field.desktopColumn + " = " +
                           FieldLiteral(layout, field, bytes);
        ConduitLog("Palm records " + recordList(live) + " of " + table.handheldDatabase + " hold the same " + keyText +
                   (live.size() == 2 ? ": neither was applied" : ": none was applied"));
    }
}

}  // namespace

int RepairMirror(const SyncRun& run, SyncTableDescription& table, std::set<std::uint32_t>& sharingAKey)
{
    std::set<std::uint32_t> mirrored;
    if (!readMirroredRecordIds(run, table, mirrored))
        return 0;
    std::set<std::uint32_t> held;
    for (const PalmRecordEntry& entry : table.records)
        held.insert(entry.recordId);
    const std::set<std::uint32_t> modified = held;
    const auto firstRead = static_cast<std::ptrdiff_t>(table.records.size());
    if (ReadAllPalmRecords(table) != 0) {
        table.records.resize(static_cast<std::size_t>(firstRead));
        return 0;
    }
    findKeysHeldTwice(table, table.records, sharingAKey);
    auto kept = table.records.begin() + firstRead;
    for (auto read = kept; read != table.records.end(); ++read) {
        held.insert(read->recordId);
        // A record without an id is never the one a mirror row names.
        const bool known = read->recordId != 0 && mirrored.count(read->recordId);
        if (modified.count(read->recordId) || known || read->deleted)
            continue;
        if (kept != read)
            *kept = std::move(*read);
        ++kept;
    }
    const auto unknown = std::distance(table.records.begin() + firstRead, kept);
    table.records.erase(kept, table.records.end());
    if (unknown > 0)
        ConduitLog("Handheld records the desktop has not recorded: " + std::to_string(unknown));

    std::size_t forgotten = 0;
    for (std::uint32_t recordId : mirrored) {
        if (held.count(recordId))
            continue;
        if (TakeWriteLock(run.connection) != 0)
            return kDesktopChangedMeanwhile;
        if (DeleteMirrorRow(run, table, recordId) != 0)
            ConduitLog("Delete Failed");
        else
            ++forgotten;
    }
    if (forgotten > 0)
        ConduitLog("Mirror rows of records the handheld does not hold: " + std::to_string(forgotten));
    return 0;
}
