#include "ConduitManager.h"

#include "HotSyncDirectory.h"
#include "SettingsFile.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

const char* const kSection = "Conduit";

bool creatorId(const char* creator, uint32_t& id)
{
    if (creator == nullptr || std::strlen(creator) != 4)
        return false;
    id = 0;
    for (int i = 0; i < 4; ++i)
        id = (id << 8) | static_cast<uint8_t>(creator[i]);
    return true;
}

std::string registrationPath(uint32_t id)
{
    char name[16];
    std::snprintf(name, sizeof name, "%08X.reg", static_cast<unsigned>(id));
    return hotsync::hotSyncDirectory() + "/Conduits/" + name;
}

// Reads the creator's registration; CM_ERR_NOT_FOUND when it has none.
int32_t loadRegistration(const char* creator, hotsync::SettingsFile& registration, std::string& path)
{
    uint32_t id = 0;
    if (!creatorId(creator, id))
        return CM_ERR_BAD_ARGUMENT;
    path = registrationPath(id);
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored))
        return CM_ERR_NOT_FOUND;
    std::string error;
    if (!registration.load(path, error))
        return CM_ERR_STORAGE;
    return CM_OK;
}

int32_t setValue(const char* creator, const char* key, const char* value)
{
    if (value == nullptr || !hotsync::isStorableText(value))
        return CM_ERR_BAD_ARGUMENT;
    hotsync::SettingsFile registration;
    std::string path;
    int32_t result = loadRegistration(creator, registration, path);
    if (result != CM_OK)
        return result;
    registration.set(kSection, key, value);
    std::string error;
    return registration.save(path, error) ? CM_OK : CM_ERR_STORAGE;
}

int32_t getValue(const char* creator, const char* key, char* buffer, int32_t* size)
{
    if (buffer == nullptr || size == nullptr || *size <= 0)
        return CM_ERR_BAD_ARGUMENT;
    hotsync::SettingsFile registration;
    std::string path;
    int32_t result = loadRegistration(creator, registration, path);
    if (result != CM_OK)
        return result;
    std::string value;
    registration.find(kSection, key, value);
    if (value.size() >= static_cast<size_t>(*size))
        return CM_ERR_BUFFER_TOO_SMALL;
    std::memcpy(buffer, value.c_str(), value.size() + 1);
    *size = static_cast<int32_t>(value.size());
    return CM_OK;
}

}  // namespace

extern "C" {

int32_t CmConvertCreatorIDToString(uint32_t creatorIdValue, char* buffer, int32_t* size)
{
    if (buffer == nullptr || size == nullptr)
        return CM_ERR_BAD_ARGUMENT;
    if (*size < 5)
        return CM_ERR_BUFFER_TOO_SMALL;
    for (int i = 0; i < 4; ++i)
        buffer[i] = static_cast<char>((creatorIdValue >> (8 * (3 - i))) & 0xFF);
    buffer[4] = '\0';
    *size = 4;
    return CM_OK;
}

int32_t CmConvertStringToCreatorID(const char* creator, uint32_t* creatorIdValue)
{
    if (creatorIdValue == nullptr || !creatorId(creator, *creatorIdValue))
        return CM_ERR_BAD_ARGUMENT;
    return CM_OK;
}

int32_t CmInstallCreator(const char* creator, int32_t conduitType)
{
    hotsync::SettingsFile registration;
    std::string path;
    int32_t result = loadRegistration(creator, registration, path);
    if (result == CM_OK)
        return CM_ERR_CREATOR_EXISTS;
    if (result != CM_ERR_NOT_FOUND)
        return result;
    registration.set(kSection, "Creator", creator);
    registration.set(kSection, "Type", std::to_string(conduitType));
    std::string error;
    return registration.save(path, error) ? CM_OK : CM_ERR_STORAGE;
}

int32_t CmSetCreatorName(const char* creator, const char* libraryFileName)
{
    return setValue(creator, "Name", libraryFileName);
}

int32_t CmSetCreatorTitle(const char* creator, const char* title)
{
    return setValue(creator, "Title", title);
}

int32_t CmSetCreatorRemote(const char* creator, const char* remoteName)
{
    return setValue(creator, "Remote", remoteName);
}

int32_t CmSetCreatorFile(const char* creator, const char* fileName)
{
    return setValue(creator, "File", fileName);
}

int32_t CmSetCreatorUser(const char* creator, const char* user)
{
    return setValue(creator, "User", user);
}

int32_t CmGetCreatorName(const char* creator, char* buffer, int32_t* size)
{
    return getValue(creator, "Name", buffer, size);
}

int32_t CmGetCreatorTitle(const char* creator, char* buffer, int32_t* size)
{
    return getValue(creator, "Title", buffer, size);
}

int32_t CmGetCreatorRemote(const char* creator, char* buffer, int32_t* size)
{
    return getValue(creator, "Remote", buffer, size);
}

int32_t CmGetCreatorFile(const char* creator, char* buffer, int32_t* size)
{
    return getValue(creator, "File", buffer, size);
}

int32_t CmGetCreatorUser(const char* creator, char* buffer, int32_t* size)
{
    return getValue(creator, "User", buffer, size);
}

}  // extern "C"
