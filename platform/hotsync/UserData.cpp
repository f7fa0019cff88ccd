#include "UserData.h"

#include "HotSyncDirectory.h"
#include "SettingsFile.h"

#include <cstring>
#include <string>

namespace {

std::string userFilePath(uint32_t userId)
{
    return hotsync::hotSyncDirectory() + "/Users/" + std::to_string(userId) + ".ini";
}

bool isStorableSection(const char* section)
{
    return section != nullptr && hotsync::isStorableText(section) && std::strchr(section, ']') == nullptr;
}

}  // namespace

extern "C" {

int32_t UserDataGetString(uint32_t userId, const char* section, const char* key, char* buffer,
                          int32_t* size, const char* defaultValue)
{
    if (section == nullptr || key == nullptr || buffer == nullptr || size == nullptr || *size <= 0 ||
        defaultValue == nullptr)
        return 1;
    hotsync::SettingsFile settings;
    std::string error;
    if (!settings.load(userFilePath(userId), error))
        return 2;
    std::string value;
    if (!settings.find(section, key, value))
        value = defaultValue;
    if (value.size() >= static_cast<size_t>(*size))
        return 3;
    std::memcpy(buffer, value.c_str(), value.size() + 1);
    *size = static_cast<int32_t>(value.size());
    return 0;
}

int32_t UserDataSetString(uint32_t userId, const char* section, const char* key, const char* value)
{
    if (!isStorableSection(section) || key == nullptr || !hotsync::isStorableKey(key) || value == nullptr ||
        !hotsync::isStorableText(value))
        return 1;
    hotsync::SettingsFile settings;
    std::string error;
    std::string path = userFilePath(userId);
    if (!settings.load(path, error))
        return 2;
    settings.set(section, key, value);
    return settings.save(path, error) ? 0 : 2;
}

}  // extern "C"
