#include "ConduitDefaults.h"

#include "ConduitManager.h"
#include "ConduitMessages.h"
#include "Registry.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::int32_t kCreatorTextSize = 6;
constexpr std::int32_t kRegisteredStringSize = 40;

using CreatorStringRead = std::int32_t (*)(const char*, char*, std::int32_t*);

std::string registeredString(CreatorStringRead read, const std::string& creator)
{
    char buffer[kRegisteredStringSize] = {};
    std::int32_t size = kRegisteredStringSize;
    return read(creator.c_str(), buffer, &size) == CM_OK ? std::string(buffer) : std::string();
}

// The system's description of a registry result code.
std::string systemErrorText(long code)
{
    switch (code) {
    case registry::kFileNotFound:
        return "The system cannot find the file specified.";
    case registry::kAccessDenied:
        return "Access is denied.";
    case registry::kInvalidParameter:
        return "The parameter is incorrect.";
    case registry::kMoreData:
        return "More data is available.";
    default:
        return "Unknown error " + std::to_string(code) + ".";
    }
}

}  // namespace

ConduitStrings ReadConduitStrings(std::uint32_t creatorId)
{
    ConduitStrings strings;
    char creator[kCreatorTextSize] = {};
    std::int32_t size = kCreatorTextSize;
    if (CmConvertCreatorIDToString(creatorId, creator, &size) != CM_OK)
        return strings;
    strings.creator = creator;
    strings.a = registeredString(CmGetCreatorUser, strings.creator);
    strings.name = registeredString(CmGetCreatorTitle, strings.creator);
    strings.value = registeredString(CmGetCreatorRemote, strings.creator);
    return strings;
}

std::string DefaultDatabaseKey(const ConduitStrings& strings)
{
    return "Software\\" + strings.a + "\\" + strings.name;
}

long ReadRegistryValue(const std::string& keyPath, const std::string& valueName, std::string& value)
{
    registry::Key key;
    long result = registry::openKey(keyPath, key);
    if (result != registry::kSuccess) {
        ConduitMessageBox(systemErrorText(result), "Error");
        ConduitMessageBox(keyPath, "Error");
        return result;
    }
    std::uint32_t longest = 0;
    for (const auto& [name, stored] : key.values)
        longest = std::max(longest, static_cast<std::uint32_t>(stored.data.size()));
    std::vector<std::uint8_t> data(longest + 1, 0);
    std::uint32_t type = 0;
    std::uint32_t size = longest;
    result = registry::queryValue(key, valueName, &type, data.data(), &size);
    if (result != registry::kSuccess) {
        ConduitMessageBox("RegQueryValueEx", "fallo");
        value.clear();
        return result;
    }
    if (type != 0)
        value = std::string(reinterpret_cast<const char*>(data.data()));
    return registry::kSuccess;
}

std::string DefaultWorkgroupPath(const std::string& databasePath)
{
    return databasePath.empty() ? std::string() : databasePath.substr(0, databasePath.size() - 1) + "w";
}
