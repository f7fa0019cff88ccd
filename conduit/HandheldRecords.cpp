#include "HandheldRecords.h"

#include "ConduitLog.h"
#include "HandheldLayout.h"

#include <algorithm>

std::int32_t ReadHandheldRecord(HandheldRead read, SyncRecordInfo& info, std::size_t recordSize,
                                const std::string& database, std::vector<std::uint8_t>& bytes)
{
    std::vector<std::uint8_t> buffer(kHandheldBlockSize);
    info.buffer = buffer.data();
    info.bufferSize = static_cast<std::uint16_t>(buffer.size());
    std::int32_t result = read(&info);
    info.buffer = nullptr;
    if (result != SYNC_OK)
        return result;
    if (info.recordSize != recordSize)
        ConduitLog("Palm record " + std::to_string(info.recordId) + " of " + database + " has " +
                   std::to_string(info.recordSize) + " bytes, " + std::to_string(recordSize) + " expected");
    buffer.resize(std::min<std::size_t>(info.recordSize, buffer.size()));
    buffer.resize(recordSize, 0);
    bytes = std::move(buffer);
    return SYNC_OK;
}
