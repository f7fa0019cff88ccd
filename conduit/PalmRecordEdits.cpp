#include "PalmRecordEdits.h"

#include "ConduitLog.h"
#include "HandheldLayout.h"
#include "HandheldRecords.h"
#include "PalmTables.h"
#include "SyncManager.h"
#include "TableDescription.h"

int DeletePalmRecord(SyncTableDescription& table, std::uint32_t recordId)
{
    std::int32_t error = SyncDeleteRec(table.handheldHandle, recordId);
    if (error != SYNC_OK) {
        ConduitLog("Error deleting RecId " + std::to_string(recordId) + " from Palm , err=" + std::to_string(error));
        return 1;
    }
    table.written = true;
    return 0;
}

namespace {

// Writes the bytes under recordId (0: a new record, whose id comes back); the handheld's result.
std::int32_t writeRecordBytes(SyncTableDescription& table, std::uint32_t& recordId, std::vector<std::uint8_t> bytes)
{
    SyncRecordInfo info{};
    info.dbHandle = table.handheldHandle;
    info.recordId = recordId;
    info.recordSize = static_cast<std::uint32_t>(bytes.size());
    info.buffer = bytes.data();
    std::int32_t error = SyncWriteRec(&info);
    if (error == SYNC_OK) {
        recordId = info.recordId;
        table.written = true;
    }
    return error;
}

}  // namespace

int WriteBackPalmRecord(SyncTableDescription& table, PalmRecordEntry& entry)
{
    if (entry.shorterThanLayout)
        return 1;
    if (entry.recordId == 0)
        return GiveRecordAnId(table, entry);
    std::uint32_t recordId = entry.recordId;
    std::int32_t error = writeRecordBytes(table, recordId, entry.bytes);
    if (error != SYNC_OK) {
        ConduitLog("Error clearing dirty flag in :" + std::to_string(entry.recordId) + " , err=" + std::to_string(error));
        return 1;
    }
    return 0;
}

int GiveRecordAnId(SyncTableDescription& table, PalmRecordEntry& entry)
{
    std::uint32_t recordId = 0;
    std::int32_t error = writeRecordBytes(table, recordId, entry.bytes);
    if (error != SYNC_OK) {
        ConduitLog("Error writing data to palm in :0 , err=" + std::to_string(error));
        return 1;
    }
    if (DeletePalmRecord(table, 0) != 0)
        return 1;
    ConduitLog("Palm record without an id of " + table.handheldDatabase + " is now record " + std::to_string(recordId));
    entry.recordId = recordId;
    return 0;
}

std::int32_t ReadPalmRecordById(const SyncTableDescription& table, std::uint32_t recordId,
                                std::vector<std::uint8_t>& bytes)
{
    SyncRecordInfo info{};
    info.dbHandle = table.handheldHandle;
    info.recordId = recordId;
    return ReadHandheldRecord(SyncReadRecordById, info, ReadTableLayout(table).storedRecordSize(),
                              table.handheldDatabase, bytes);
}

int WriteDesktopRowToPalm(SyncTableDescription& table, std::uint32_t& recordId, std::vector<std::uint8_t>& record)
{
    // The stamp is taken from the text's numbers; an empty text would give no date at all.
    const bool withoutStamp = table.desktopStamp.empty();
    if (withoutStamp)
        table.desktopStamp = "2000-00-00 00:00:00";
    int result = WriteRecordToPalm(table, recordId, record);
    if (withoutStamp)
        table.desktopStamp.clear();
    return result;
}
