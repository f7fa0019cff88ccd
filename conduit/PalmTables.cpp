#include "PalmTables.h"

#include "ConduitLog.h"
#include "FieldConversion.h"
#include "HandheldLayout.h"
#include "HandheldRecords.h"
#include "SyncManager.h"
#include "TableDescription.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The HandheldTimeStamp of a desktop stamp text "YYYY-MM-DD HH:MM:SS": date from its first three
// numbers, time from character positions 11, 14 and 17.
void stampRecord(const std::string& stamp, std::vector<std::uint8_t>& record)
{
    int year = 0, month = 0, day = 0;
    std::sscanf(stamp.c_str(), "%d-%d-%d", &year, &month, &day);
    auto numberAt = [&stamp](std::size_t position) {
        return position < stamp.size() ? std::atoi(stamp.c_str() + position) : 0;
    };
    const int parts[kHandheldTimeStampSize] = {year - 2000, month, day, numberAt(11), numberAt(14), numberAt(17)};
    for (std::size_t i = 0; i < kHandheldTimeStampSize; ++i)
        record[i] = static_cast<std::uint8_t>(parts[i]);
}

int closeDatabase(SyncTableDescription& table)
{
    long error = SyncCloseDB(table.handheldHandle);
    if (error != SYNC_OK)
        ConduitLog("ClosePalmTable: SyncCloseDB error=" + std::to_string(error) + " closing " + table.handheldDatabase);
    table.handheldHandle = 0;
    return error == SYNC_OK ? 0 : 1;
}

int openDatabase(SyncTableDescription& table)
{
    std::uint8_t handle = 0;
    long error = SyncOpenDB(table.handheldDatabase.c_str(), 0, &handle, SYNC_MODE_READ_WRITE);
    if (error != SYNC_OK) {
        ConduitLog("OpenPalmTable: SynOpenDb error=" + std::to_string(error) + " opening " + table.handheldDatabase);
        return 1;
    }
    table.handheldHandle = handle;
    return 0;
}

// Appends the record to the list as a new entry, status 0.
void appendEntry(std::vector<PalmRecordEntry>& records, const PalmRecordEntry& held)
{
    PalmRecordEntry entry = held;
    entry.status = 0;
    entry.followUp = HandheldFollowUp::None;
    records.push_back(std::move(entry));
}

int failOpening(SyncTableDescription& table, const std::string& message)
{
    ConduitLog(message);
    table.parsedLayout = HandheldLayout{};
    closeDatabase(table);
    return 1;
}

}  // namespace

int OpenPalmTable(SyncTableDescription& table)
{
    if (openDatabase(table) != 0)
        return 1;
    const std::uint8_t handle = table.handheldHandle;
    std::vector<std::uint8_t> block(kHandheldBlockSize);
    std::uint16_t size = static_cast<std::uint16_t>(block.size());
    if (SyncReadDBAppInfoBlock(handle, block.data(), &size) != SYNC_OK)
        return failOpening(table, "SyncReadDBAppInfoBlock Failed");
    block.resize(size);
    table.layout = block;
    table.records.clear();

    HandheldLayout& layout = table.parsedLayout;
    std::string reason;
    if (!ReadHandheldLayout(table.layout, layout, reason))
        return failOpening(table, "OpenPalmTable: malformed layout of " + table.handheldDatabase + ": " + reason);
    table.hasComparedField = false;
    for (SyncFieldDescription& field : table.fields) {
        field.descriptorIndex = -1;
        for (std::size_t i = 0; i < layout.fields.size() && field.descriptorIndex < 0; ++i)
            if (layout.fields[i].name == field.handheldName)
                field.descriptorIndex = static_cast<int>(i);
        if (field.descriptorIndex < 0)
            return failOpening(table, "OpenPalmTable: Palm Field not found: " + field.handheldName);
        if (field.kind == FieldKind::Compared)
            table.hasComparedField = true;
    }
    table.written = false;
    return 0;
}

int ClosePalmTable(SyncTableDescription& table)
{
    return closeDatabase(table);
}

int ReopenPalmTable(SyncTableDescription& table)
{
    return openDatabase(table);
}

int ReadPalmTable(SyncTableDescription& table)
{
    const std::size_t recordSize = ReadTableLayout(table).storedRecordSize();
    table.heldRecords.clear();
    for (;;) {
        SyncRecordInfo info{};
        info.dbHandle = table.handheldHandle;
        info.index = static_cast<std::uint16_t>(table.heldRecords.size());
        PalmRecordEntry entry;
        std::int32_t error =
            ReadHandheldRecord(SyncReadRecordByIndex, info, recordSize, table.handheldDatabase, entry.bytes);
        if (error == SYNC_ERR_NO_MORE_RECORDS)
            return 0;
        if (error != SYNC_OK) {
            ConduitLog("SyncReadRecordByIndex error=" + std::to_string(error) + " reading " + table.handheldDatabase);
            return 1;
        }
        entry.recordId = info.recordId;
        entry.deleted = (info.category & kHandheldDeletedCategory) != 0;
        entry.modified = (info.attributes & SYNC_REC_DIRTY) != 0;
        entry.shorterThanLayout = info.recordSize < recordSize;
        table.heldRecords.push_back(std::move(entry));
    }
}

int ReadModifiedPalmRecords(SyncTableDescription& table)
{
    std::size_t count = 0;
    for (const PalmRecordEntry& held : table.heldRecords) {
        if (held.modified) {
            appendEntry(table.records, held);
            ++count;
        }
    }
    ConduitLog("Palm Modified records: " + std::to_string(count));
    return 0;
}

int ReadAllPalmRecords(SyncTableDescription& table)
{
    for (const PalmRecordEntry& held : table.heldRecords)
        appendEntry(table.records, held);
    return 0;
}

bool RefuseShortRecord(const SyncTableDescription& table, const PalmRecordEntry& entry)
{
    if (entry.shorterThanLayout)
        ConduitLog("Palm record " + std::to_string(entry.recordId) + " of " + table.handheldDatabase +
                   " is shorter than its layout and was not applied");
    return entry.shorterThanLayout;
}

int WriteRecordToPalm(SyncTableDescription& table, std::uint32_t& recordId, std::vector<std::uint8_t>& record)
{
    const HandheldLayout& layout = ReadTableLayout(table);
    record.resize(layout.storedRecordSize(), 0);
    if (record.size() < kHandheldTimeStampSize) {
        ConduitLog("Error writing data to palm in :" + std::to_string(recordId) + " , err=" +
                   std::to_string(SYNC_ERR_BAD_ARGUMENT));
        return 1;
    }
    if (table.timeStampColumn.empty())
        std::fill(record.begin(), record.begin() + kHandheldTimeStampSize, 0);
    else
        stampRecord(table.desktopStamp, record);
    for (SyncFieldDescription& field : table.fields)
        if (field.descriptorIndex >= 0 && static_cast<std::size_t>(field.descriptorIndex) < layout.fields.size())
            ConvertField(ConversionMode::TextToRecord, record, field.value, layout.fields[field.descriptorIndex]);

    SyncRecordInfo info{};
    info.dbHandle = table.handheldHandle;
    info.recordId = recordId;
    info.recordSize = static_cast<std::uint32_t>(record.size());
    info.buffer = record.data();
    long error = SyncWriteRec(&info);
    if (error != SYNC_OK) {
        ConduitLog("Error writing data to palm in :" + std::to_string(recordId) + " , err=" + std::to_string(error));
        return 1;
    }
    recordId = info.recordId;
    table.written = true;
    return 0;
}

int ClearSortInfo(std::uint8_t database)
{
    return SyncWriteDBSortInfoBlock(database, nullptr, 0);
}
