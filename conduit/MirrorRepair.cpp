#include "MirrorRepair.h"

#include "ConduitLog.h"
#include "DesktopRows.h"
#include "FetchedRow.h"
#include "OdbcAccess.h"
#include "PalmTables.h"
#include "TableDescription.h"

#include <cstdlib>
#include <set>
#include <string>

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

}  // namespace

void RepairMirror(const SyncRun& run, SyncTableDescription& table)
{
    std::set<std::uint32_t> mirrored;
    if (!readMirroredRecordIds(run, table, mirrored))
        return;
    std::set<std::uint32_t> held;
    for (const PalmRecordEntry& entry : table.records)
        held.insert(entry.recordId);
    const std::set<std::uint32_t> modified = held;
    const auto firstRead = static_cast<std::ptrdiff_t>(table.records.size());
    if (ReadAllPalmRecords(table) != 0) {
        table.records.resize(static_cast<std::size_t>(firstRead));
        return;
    }
    auto kept = table.records.begin() + firstRead;
    for (auto read = kept; read != table.records.end(); ++read) {
        held.insert(read->recordId);
        if (modified.count(read->recordId) || mirrored.count(read->recordId) || read->deleted)
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
        if (DeleteMirrorRow(run, table, recordId) != 0)
            ConduitLog("Delete Failed");
        else
            ++forgotten;
    }
    if (forgotten > 0)
        ConduitLog("Mirror rows of records the handheld does not hold: " + std::to_string(forgotten));
}
