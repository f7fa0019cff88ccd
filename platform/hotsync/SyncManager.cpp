#include "SyncManager.h"

#include "HotSyncLog.h"
#include "PalmDatabaseFile.h"
#include "RecordSlots.h"
#include "SettingsFile.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>

using hotsync::PalmDatabase;
using hotsync::PalmRecord;

namespace {

constexpr size_t kMostOpenDatabases = 32;
constexpr size_t kLargestRecord = 0xFFFF;
const char* const kUserFileName = "HotSyncUser";

struct OpenDatabase {
    std::string path;
    uint8_t mode = 0;
    PalmDatabase database;  // a deleted record's slot stays, empty, until the database is stored
    hotsync::RecordSlots slots;
    uint32_t highestId = 0;  // the highest unique id given so far
    bool changed = false;
    size_t nextModifiedSlot = 0;
};

struct SyncState {
    std::string handheldFolder;
    uint32_t registeredConduit = 0;
    uint32_t lastConduitHandle = 0;
    std::array<std::optional<OpenDatabase>, kMostOpenDatabases + 1> open;  // handle 0 is never given
};

SyncState& state()
{
    static SyncState syncState;
    return syncState;
}

void logMalformed(const std::string& path, const std::string& reason)
{
    std::string text = "Malformed handheld file " + path + ": " + reason;
    LogAddEntry(text.c_str(), LOG_TEXT, 0);
}

bool isDatabaseName(const char* name)
{
    if (name == nullptr)
        return false;
    std::string text(name);
    return !text.empty() && text.size() < hotsync::kPalmNameSize && text != "." && text != ".." &&
           text.find('/') == std::string::npos;
}

OpenDatabase* openDatabase(uint8_t handle)
{
    if (handle == 0 || handle > kMostOpenDatabases || !state().open[handle])
        return nullptr;
    return &*state().open[handle];
}

void fillSlots(OpenDatabase& open)
{
    std::vector<uint32_t> ids;
    open.highestId = open.database.uniqueIdSeed;
    for (const PalmRecord& record : open.database.records) {
        ids.push_back(record.uniqueId);
        open.highestId = std::max(open.highestId, record.uniqueId);
    }
    open.slots.reset(ids);
}

// Takes the empty slots out of the record list, as the database is stored.
void packRecords(OpenDatabase& open)
{
    if (!open.slots.hasEmptySlots())
        return;
    std::vector<PalmRecord> records;
    records.reserve(open.slots.recordCount());
    for (size_t slot = 0; slot < open.database.records.size(); ++slot)
        if (!open.slots.isEmpty(slot))
            records.push_back(std::move(open.database.records[slot]));
    open.database.records = std::move(records);
    fillSlots(open);
}

int32_t saveIfChanged(OpenDatabase& open)
{
    if (!open.changed)
        return SYNC_OK;
    packRecords(open);
    open.database.modificationDate = hotsync::palmTimeNow();
    ++open.database.modificationNumber;
    std::string error;
    if (!hotsync::savePalmDatabaseFile(open.path, open.database, error)) {
        LogAddEntry(error.c_str(), LOG_TEXT, 0);
        return SYNC_ERR_FILE;
    }
    open.changed = false;
    return SYNC_OK;
}

int32_t closeDatabase(uint8_t handle)
{
    OpenDatabase* open = openDatabase(handle);
    if (open == nullptr)
        return SYNC_ERR_BAD_HANDLE;
    int32_t result = saveIfChanged(*open);
    state().open[handle].reset();
    return result;
}

// Copies one record into the caller's record info.
int32_t answerRecord(const PalmRecord& record, size_t index, SyncRecordInfo* info)
{
    info->recordId = record.uniqueId;
    info->index = static_cast<uint16_t>(index);
    info->attributes = record.flags;
    info->category = record.category;
    info->recordSize = static_cast<uint32_t>(record.bytes.size());
    if (record.bytes.empty())
        return SYNC_OK;
    if (info->buffer == nullptr || info->bufferSize < record.bytes.size())
        return SYNC_ERR_BUFFER_TOO_SMALL;
    std::memcpy(info->buffer, record.bytes.data(), record.bytes.size());
    return SYNC_OK;
}

// A new unique id after the highest one given so far.
std::optional<uint32_t> newUniqueId(OpenDatabase& open)
{
    if (open.highestId >= hotsync::kPalmLargestUniqueId)
        return std::nullopt;
    open.database.uniqueIdSeed = ++open.highestId;
    return open.highestId;
}

OpenDatabase* writableDatabase(uint8_t handle, int32_t& result)
{
    OpenDatabase* open = openDatabase(handle);
    result = open == nullptr ? SYNC_ERR_BAD_HANDLE : (open->mode & SYNC_MODE_WRITE) ? SYNC_OK : SYNC_ERR_READ_ONLY;
    return result == SYNC_OK ? open : nullptr;
}

template <typename Value>
Value swapBytes(Value value)
{
    if constexpr (std::endian::native == std::endian::big)
        return value;
    Value swapped = 0;
    for (size_t i = 0; i < sizeof(Value); ++i)
        swapped = static_cast<Value>((swapped << 8) | ((value >> (8 * i)) & 0xFF));
    return swapped;
}

}  // namespace

extern "C" {

int32_t SyncSetHandheldFolder(const char* folder)
{
    if (folder == nullptr || *folder == '\0')
        return SYNC_ERR_BAD_ARGUMENT;
    state().handheldFolder = folder;
    return SYNC_OK;
}

int32_t SyncRegisterConduit(uint32_t* conduitHandle)
{
    if (conduitHandle == nullptr)
        return SYNC_ERR_BAD_ARGUMENT;
    if (state().registeredConduit != 0)
        return SYNC_ERR_ALREADY_REGISTERED;
    std::error_code ignored;
    if (state().handheldFolder.empty() || !std::filesystem::is_directory(state().handheldFolder, ignored))
        return SYNC_ERR_NO_HANDHELD;
    state().registeredConduit = ++state().lastConduitHandle;
    *conduitHandle = state().registeredConduit;
    return SYNC_OK;
}

int32_t SyncUnRegisterConduit(uint32_t conduitHandle)
{
    if (conduitHandle == 0 || conduitHandle != state().registeredConduit)
        return SYNC_ERR_NOT_REGISTERED;
    state().registeredConduit = 0;
    int32_t result = SYNC_OK;
    for (size_t handle = 1; handle <= kMostOpenDatabases; ++handle)
        if (state().open[handle] && closeDatabase(static_cast<uint8_t>(handle)) != SYNC_OK)
            result = SYNC_ERR_FILE;
    return result;
}

int32_t SyncReadUserID(char* name, int32_t nameSize, uint32_t* userId)
{
    if (name == nullptr || nameSize <= 0 || userId == nullptr)
        return SYNC_ERR_BAD_ARGUMENT;
    if (state().handheldFolder.empty())
        return SYNC_ERR_NO_HANDHELD;
    std::string path = state().handheldFolder + "/" + kUserFileName;
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored))
        return SYNC_ERR_NO_HANDHELD;
    hotsync::SettingsFile user;
    std::string error;
    if (!user.load(path, error)) {
        LogAddEntry(error.c_str(), LOG_TEXT, 0);
        return SYNC_ERR_FILE;
    }
    std::string userName;
    std::string idText;
    unsigned long long id = 0;
    bool readable = user.find("", "Name", userName) && user.find("", "Id", idText) && !idText.empty() &&
                    idText.find_first_not_of("0123456789") == std::string::npos && idText.size() <= 10;
    if (readable) {
        id = std::stoull(idText);
        readable = id <= UINT32_MAX;
    }
    if (!readable) {
        logMalformed(path, "needs Name= and a 32-bit decimal Id=");
        return SYNC_ERR_MALFORMED_DATABASE;
    }
    size_t copied = std::min(userName.size(), static_cast<size_t>(nameSize - 1));
    std::memcpy(name, userName.data(), copied);
    name[copied] = '\0';
    *userId = static_cast<uint32_t>(id);
    return SYNC_OK;
}

int32_t SyncOpenDB(const char* name, int32_t cardNumber, uint8_t* dbHandle, uint8_t openMode)
{
    if (!isDatabaseName(name) || cardNumber != 0 || dbHandle == nullptr ||
        (openMode & SYNC_MODE_READ_WRITE) == 0)
        return SYNC_ERR_BAD_ARGUMENT;
    if (state().handheldFolder.empty())
        return SYNC_ERR_NO_HANDHELD;
    std::string path = state().handheldFolder + "/" + name + ".pdb";
    uint8_t freeHandle = 0;
    for (size_t handle = kMostOpenDatabases; handle >= 1; --handle) {
        if (!state().open[handle])
            freeHandle = static_cast<uint8_t>(handle);
        else if (state().open[handle]->path == path)
            return SYNC_ERR_ALREADY_OPEN;
    }
    if (freeHandle == 0)
        return SYNC_ERR_TOO_MANY_OPEN;
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored))
        return SYNC_ERR_NOT_FOUND;
    OpenDatabase open;
    open.path = path;
    open.mode = openMode;
    std::string error;
    if (!hotsync::loadPalmDatabaseFile(path, open.database, error)) {
        logMalformed(path, error);
        return SYNC_ERR_MALFORMED_DATABASE;
    }
    fillSlots(open);
    state().open[freeHandle] = std::move(open);
    *dbHandle = freeHandle;
    return SYNC_OK;
}

int32_t SyncCloseDB(uint8_t dbHandle)
{
    return closeDatabase(dbHandle);
}

int32_t SyncGetDBRecordCount(uint8_t dbHandle, uint16_t* count)
{
    OpenDatabase* open = openDatabase(dbHandle);
    if (open == nullptr)
        return SYNC_ERR_BAD_HANDLE;
    if (count == nullptr)
        return SYNC_ERR_BAD_ARGUMENT;
    *count = static_cast<uint16_t>(open->slots.recordCount());
    return SYNC_OK;
}

int32_t SyncReadRecordById(SyncRecordInfo* info)
{
    if (info == nullptr)
        return SYNC_ERR_BAD_ARGUMENT;
    OpenDatabase* open = openDatabase(info->dbHandle);
    if (open == nullptr)
        return SYNC_ERR_BAD_HANDLE;
    std::optional<size_t> slot = open->slots.slotOf(info->recordId);
    if (!slot)
        return SYNC_ERR_NOT_FOUND;
    return answerRecord(open->database.records[*slot], open->slots.indexOf(*slot), info);
}

int32_t SyncReadRecordByIndex(SyncRecordInfo* info)
{
    if (info == nullptr)
        return SYNC_ERR_BAD_ARGUMENT;
    OpenDatabase* open = openDatabase(info->dbHandle);
    if (open == nullptr)
        return SYNC_ERR_BAD_HANDLE;
    std::optional<size_t> slot = open->slots.slotAt(info->index);
    if (!slot)
        return SYNC_ERR_NO_MORE_RECORDS;
    return answerRecord(open->database.records[*slot], info->index, info);
}

int32_t SyncReadNextModifiedRec(SyncRecordInfo* info)
{
    if (info == nullptr)
        return SYNC_ERR_BAD_ARGUMENT;
    OpenDatabase* open = openDatabase(info->dbHandle);
    if (open == nullptr)
        return SYNC_ERR_BAD_HANDLE;
    const std::vector<PalmRecord>& records = open->database.records;
    while (open->nextModifiedSlot < records.size()) {
        size_t slot = open->nextModifiedSlot++;
        if (!open->slots.isEmpty(slot) && (records[slot].flags & SYNC_REC_DIRTY))
            return answerRecord(records[slot], open->slots.indexOf(slot), info);
    }
    return SYNC_ERR_NO_MORE_RECORDS;
}

int32_t SyncWriteRec(SyncRecordInfo* info)
{
    if (info == nullptr)
        return SYNC_ERR_BAD_ARGUMENT;
    int32_t result = SYNC_OK;
    OpenDatabase* open = writableDatabase(info->dbHandle, result);
    if (open == nullptr)
        return result;
    if (info->category > 0x0F || info->recordSize > kLargestRecord || (info->recordSize > 0 && info->buffer == nullptr))
        return SYNC_ERR_BAD_ARGUMENT;
    PalmDatabase& database = open->database;
    std::optional<size_t> slot;
    if (info->recordId == 0) {
        std::optional<uint32_t> id =
            open->slots.recordCount() < hotsync::kPalmMostRecords ? newUniqueId(*open) : std::nullopt;
        if (!id)
            return SYNC_ERR_DATABASE_FULL;
        database.records.push_back(PalmRecord{*id, 0, 0, {}});
        slot = open->slots.add(*id);
    } else {
        slot = open->slots.slotOf(info->recordId);
        if (!slot)
            return SYNC_ERR_NOT_FOUND;
    }
    PalmRecord& record = database.records[*slot];
    record.flags = info->attributes & (SYNC_REC_DELETED | SYNC_REC_BUSY | SYNC_REC_SECRET);
    record.category = static_cast<uint8_t>(info->category);
    record.bytes = info->recordSize == 0 ? std::string() : std::string(reinterpret_cast<const char*>(info->buffer), info->recordSize);
    info->recordId = record.uniqueId;
    info->index = static_cast<uint16_t>(open->slots.indexOf(*slot));
    open->changed = true;
    return SYNC_OK;
}

int32_t SyncDeleteRec(uint8_t dbHandle, uint32_t recordId)
{
    int32_t result = SYNC_OK;
    OpenDatabase* open = writableDatabase(dbHandle, result);
    if (open == nullptr)
        return result;
    std::optional<size_t> slot = open->slots.slotOf(recordId);
    if (!slot)
        return SYNC_ERR_NOT_FOUND;
    open->slots.remove(recordId);
    open->database.records[*slot].bytes = std::string();
    open->changed = true;
    return SYNC_OK;
}

int32_t SyncPurgeAllRecs(uint8_t dbHandle)
{
    int32_t result = SYNC_OK;
    OpenDatabase* open = writableDatabase(dbHandle, result);
    if (open == nullptr)
        return result;
    open->database.records.clear();
    open->slots.reset({});
    open->nextModifiedSlot = 0;
    open->changed = true;
    return SYNC_OK;
}

int32_t SyncReadDBAppInfoBlock(uint8_t dbHandle, uint8_t* buffer, uint16_t* size)
{
    OpenDatabase* open = openDatabase(dbHandle);
    if (open == nullptr)
        return SYNC_ERR_BAD_HANDLE;
    if (buffer == nullptr || size == nullptr)
        return SYNC_ERR_BAD_ARGUMENT;
    const std::string& block = open->database.appInfo;
    if (block.empty())
        return SYNC_ERR_NOT_FOUND;
    bool fits = block.size() <= *size;
    *size = static_cast<uint16_t>(std::min<size_t>(block.size(), UINT16_MAX));
    if (!fits)
        return SYNC_ERR_BUFFER_TOO_SMALL;
    std::memcpy(buffer, block.data(), block.size());
    return SYNC_OK;
}

int32_t SyncWriteDBSortInfoBlock(uint8_t dbHandle, const uint8_t* buffer, uint16_t size)
{
    int32_t result = SYNC_OK;
    OpenDatabase* open = writableDatabase(dbHandle, result);
    if (open == nullptr)
        return result;
    if (size > 0 && buffer == nullptr)
        return SYNC_ERR_BAD_ARGUMENT;
    open->database.sortInfo = size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(buffer), size);
    open->changed = true;
    return SYNC_OK;
}

int32_t SyncYieldCycles(uint16_t)
{
    return SYNC_OK;
}

uint16_t SyncHHToHostWord(uint16_t value)
{
    return swapBytes(value);
}

uint32_t SyncHHToHostDWord(uint32_t value)
{
    return swapBytes(value);
}

uint16_t SyncHostToHHWord(uint16_t value)
{
    return swapBytes(value);
}

uint32_t SyncHostToHHDWord(uint32_t value)
{
    return swapBytes(value);
}

}  // extern "C"
