#pragma once
// Reading one handheld record into the fixed record size of its layout.
#include "SyncManager.h"

#include <cstdint>
#include <string>
#include <vector>

using HandheldRead = std::int32_t (*)(SyncRecordInfo*);

// Reads one record of the open database with read (by index, by id or next modified, as info
// asks) through a buffer of kHandheldBlockSize bytes. The bytes come back cut or padded with
// zeros to recordSize; a record of another size is logged. The handheld's result.
std::int32_t ReadHandheldRecord(HandheldRead read, SyncRecordInfo& info, std::size_t recordSize,
                                const std::string& database, std::vector<std::uint8_t>& bytes);
