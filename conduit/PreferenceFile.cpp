#include "PreferenceFile.h"

#include "ConduitLog.h"
#include "FieldConversion.h"
#include "HandheldRecords.h"
#include "SyncManager.h"

namespace {

int failOpening(PreferenceFile& preference, int result, const std::string& message)
{
    ConduitLog(message + " " + preference.databaseName);
    ClosePreferenceFile(preference);
    return result;
}

}  // namespace

int OpenPreferenceFile(PreferenceFile& preference, const std::string& databaseName)
{
    preference = PreferenceFile{};
    preference.databaseName = databaseName;
    if (databaseName.empty())
        return 6;
    std::uint8_t handle = 0;
    if (SyncOpenDB(databaseName.c_str(), 0, &handle, SYNC_MODE_READ_WRITE) != SYNC_OK) {
        ConduitLog("Unable to open preference file " + databaseName);
        return 1;
    }
    preference.handle = handle;
    std::vector<std::uint8_t> block(kHandheldBlockSize);
    std::uint16_t size = static_cast<std::uint16_t>(block.size());
    if (SyncReadDBAppInfoBlock(handle, block.data(), &size) != SYNC_OK)
        return failOpening(preference, 2, "Unable to read header of preference file");
    block.resize(size);
    std::string reason;
    if (!ReadHandheldLayout(block, preference.layout, reason)) {
        ConduitLog("Malformed layout of preference file " + databaseName + ": " + reason);
        return failOpening(preference, 2, "Unable to read header of preference file");
    }
    SyncRecordInfo info{};
    info.dbHandle = handle;
    info.index = 0;
    if (ReadHandheldRecord(SyncReadRecordByIndex, info, preference.layout.storedRecordSize(), databaseName,
                           preference.record) != SYNC_OK)
        return failOpening(preference, 4, "Error reading preference record of");
    preference.recordId = info.recordId;
    preference.category = info.category;
    return 0;
}

int ClosePreferenceFile(PreferenceFile& preference)
{
    if (preference.handle == 0)
        return 0;
    long error = SyncCloseDB(preference.handle);
    if (error != SYNC_OK)
        ConduitLog("ClosePreferenceFile: SyncCloseDB error=" + std::to_string(error) + " closing " +
                   preference.databaseName);
    preference.handle = 0;
    return error == SYNC_OK ? 0 : 1;
}

int SetPreferenceField(const HandheldLayout& layout, std::vector<std::uint8_t>& record, long number,
                       const std::string& name)
{
    for (const HandheldFieldDescriptor& descriptor : layout.fields) {
        if (descriptor.name != name)
            continue;
        std::string text = std::to_string(number);
        return ConvertField(ConversionMode::TextToRecord, record, text, descriptor) ? 0 : 1;
    }
    return 1;
}

int WritePreferenceRecord(PreferenceFile& preference)
{
    SyncRecordInfo info{};
    info.dbHandle = preference.handle;
    info.recordId = preference.recordId;
    info.category = preference.category;
    info.recordSize = static_cast<std::uint32_t>(preference.record.size());
    info.buffer = preference.record.data();
    long error = SyncWriteRec(&info);
    if (error != SYNC_OK) {
        ConduitLog("Error writing data to palm in :" + std::to_string(preference.recordId) + " , err=" +
                   std::to_string(error));
        return 1;
    }
    return 0;
}
