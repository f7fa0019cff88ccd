#include "ConnectionStrings.h"

#include "UserData.h"

namespace {

constexpr const char* kDriverPart = "DRIVER=Microsoft Access Driver (*.mdb);";
constexpr std::int32_t kSettingSize = 300;

// One per-user setting, default empty; false when it cannot be read.
bool readUserSetting(std::uint32_t userId, const std::string& section, const char* key,
                     std::string& value)
{
    char buffer[kSettingSize] = {};
    std::int32_t size = kSettingSize;
    if (UserDataGetString(userId, section.c_str(), key, buffer, &size, "") != 0) {
        return false;
    }
    value = buffer;
    return true;
}

std::string connectionString(const std::string& databasePath, const std::string& workgroupPath)
{
    std::string text = kDriverPart;
    text += "DBQ=" + databasePath + ";";
    if (!workgroupPath.empty()) {
        text += "SystemDB=" + workgroupPath + ";";
    }
    return text;
}

}  // namespace

int BuildUserConnectionString(const std::string& conduitName, std::uint32_t userId, std::string& out)
{
    std::string databasePath;
    std::string workgroupPath;
    // A SystemDB that cannot be read fails like DBQ: connecting without it would use another
    // workgroup file than the user chose.
    if (!readUserSetting(userId, conduitName, "DBQ", databasePath) ||
        !readUserSetting(userId, conduitName, "SystemDB", workgroupPath)) {
        out = "Error getting DBQ for the User " + std::to_string(userId);
        return 1;
    }
    if (databasePath.empty()) {
        out = "No DBQ for the User " + std::to_string(userId);
        return 1;
    }
    out = connectionString(databasePath, workgroupPath);
    return 0;
}

int BuildDefaultConnectionString(const std::string& databasePath, const std::string& workgroupPath,
                                 std::string& out)
{
    out = connectionString(databasePath, workgroupPath);
    return 0;
}
