#include "HotSyncManager.h"

#include "ConduitManager.h"
#include "HotSyncDirectory.h"
#include "SyncManager.h"
#include "UserData.h"

#include <dlfcn.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace hotsync {

namespace {

constexpr const char* kActionSection = "HotSync Manager";
constexpr std::int32_t kRegisteredPathSize = 1024;
constexpr std::int32_t kSettingSize = 32;
constexpr std::int32_t kUserNameSize = 64;

bool registeredText(std::int32_t (*read)(const char*, char*, std::int32_t*), const std::string& creator,
                    std::string& text)
{
    char buffer[kRegisteredPathSize] = {};
    std::int32_t size = kRegisteredPathSize;
    if (read(creator.c_str(), buffer, &size) != CM_OK)
        return false;
    text = buffer;
    return true;
}

std::string actionKey(const std::string& creator, const char* which)
{
    return creator + "." + which;
}

// The action stored under the key, or nothing.
bool storedAction(std::uint32_t userId, const std::string& key, std::int32_t& action)
{
    char buffer[kSettingSize] = {};
    std::int32_t size = kSettingSize;
    if (UserDataGetString(userId, kActionSection, key.c_str(), buffer, &size, "") != 0 || buffer[0] == '\0')
        return false;
    action = static_cast<std::int32_t>(std::strtol(buffer, nullptr, 10));
    return true;
}

// The HotSync user of the handheld folder, chosen for the Sync Manager's following calls.
std::int32_t chooseHandheld(const std::string& handheldFolder, std::uint32_t& userId, char (&userName)[kUserNameSize])
{
    std::int32_t result = SyncSetHandheldFolder(handheldFolder.c_str());
    return result != SYNC_OK ? result : SyncReadUserID(userName, kUserNameSize, &userId);
}

}  // namespace

bool findConduitRegistration(const std::string& creator, ConduitRegistration& registration, std::string& error)
{
    if (CmConvertStringToCreatorID(creator.c_str(), &registration.creatorId) != CM_OK) {
        error = "A creator id is four characters: " + creator;
        return false;
    }
    std::string library;
    if (!registeredText(CmGetCreatorName, creator, library) || library.empty()) {
        error = "No conduit is registered for the creator id " + creator;
        return false;
    }
    registeredText(CmGetCreatorFile, creator, registration.localName);
    registration.libraryPath = library.front() == '/' ? library : hotSyncDirectory() + "/" + library;
    return true;
}

LoadedConduit::~LoadedConduit()
{
    if (library_ != nullptr)
        ::dlclose(library_);
}

bool LoadedConduit::load(const std::string& libraryPath, std::string& error)
{
    library_ = ::dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library_ == nullptr) {
        error = "The conduit library cannot be loaded: " + std::string(::dlerror());
        return false;
    }
    openConduit = reinterpret_cast<OpenConduitFunction>(::dlsym(library_, "OpenConduit"));
    cfgConduit = reinterpret_cast<CfgConduitFunction>(::dlsym(library_, "CfgConduit"));
    if (openConduit == nullptr || cfgConduit == nullptr) {
        error = "The conduit library " + libraryPath + " lacks OpenConduit or CfgConduit";
        return false;
    }
    return true;
}

std::int32_t takeSyncAction(std::uint32_t userId, const std::string& creator)
{
    std::int32_t action = CONDUIT_SYNC_FAST;
    if (storedAction(userId, actionKey(creator, "NextAction"), action)) {
        UserDataSetString(userId, kActionSection, actionKey(creator, "NextAction").c_str(), "");
        return action;
    }
    storedAction(userId, actionKey(creator, "Action"), action);
    return action;
}

bool keepSyncAction(std::uint32_t userId, const std::string& creator, std::int32_t action, std::int32_t preferenceKind)
{
    const char* which = preferenceKind == CONDUIT_PREFERENCE_PERMANENT ? "Action" : "NextAction";
    return UserDataSetString(userId, kActionSection, actionKey(creator, which).c_str(),
                             std::to_string(action).c_str()) == 0;
}

std::int32_t runHotSync(const LoadedConduit& conduit, const ConduitRegistration& registration,
                        const std::string& creator, const std::string& handheldFolder, ConduitProgressCallback progress)
{
    std::uint32_t userId = 0;
    char userName[kUserNameSize] = {};
    std::int32_t chosen = chooseHandheld(handheldFolder, userId, userName);
    if (chosen != SYNC_OK)
        return chosen;
    ConduitSyncProperties properties{};
    properties.syncType = takeSyncAction(userId, creator);
    properties.creatorId = registration.creatorId;
    std::strncpy(properties.localName, registration.localName.c_str(), sizeof properties.localName - 1);
    return conduit.openConduit(progress, &properties);
}

std::int32_t configureConduit(const LoadedConduit& conduit, const ConduitRegistration& registration,
                              const std::string& creator, const std::string& handheldFolder)
{
    std::uint32_t userId = 0;
    char userName[kUserNameSize] = {};
    std::int32_t chosen = chooseHandheld(handheldFolder, userId, userName);
    if (chosen != SYNC_OK)
        return chosen;
    ConduitConfiguration record{};
    record.version = 1;
    record.size = sizeof record;
    record.creatorId = registration.creatorId;
    record.userId = userId;
    std::strncpy(record.userName, userName, sizeof record.userName - 1);
    std::strncpy(record.userFolder, handheldFolder.c_str(), sizeof record.userFolder - 1);
    std::int32_t current = CONDUIT_SYNC_FAST;
    storedAction(userId, actionKey(creator, "Action"), current);
    record.currentAction = current;
    std::uint32_t size = sizeof record;
    std::int32_t result = conduit.cfgConduit(CONDUIT_CONFIGURE_USER, &record, &size);
    if (result == 0 && !keepSyncAction(userId, creator, record.chosenAction, record.preferenceKind))
        return SYNC_ERR_FILE;
    return result;
}

void useShippedDriverRegistry(const std::string& programFolder)
{
    const char* current = std::getenv("ODBCSYSINI");
    if (current != nullptr && *current != '\0')
        return;
    const std::filesystem::path folder = std::filesystem::path(programFolder).parent_path() / "odbc";
    ::setenv("ODBCSYSINI", folder.c_str(), 1);
}

}  // namespace hotsync
