#include "ConduitEntryPoints.h"

#include "CSyncActionDlg.h"
#include "ConduitDefaults.h"
#include "ConduitLog.h"
#include "HotSyncLog.h"
#include "SyncManager.h"
#include "SyncTables.h"
#include "UserData.h"

#include <QApplication>

#include <cstring>
#include <string>

namespace {

constexpr const char* kConduitName = "Velvix";
constexpr const char* kConduitInfoName = "Velvix!";
constexpr std::uint32_t kConduitVersion = 0x0101;
constexpr std::uint32_t kFrameworkVersion = 0x0600;
constexpr std::int32_t kUserSettingSize = 300;
constexpr std::int32_t kCancelled = -1;

// Zero-fills the buffer and copies the text, cut to size - 1 characters.
void copyText(const char* text, char* buffer, std::size_t size)
{
    std::memset(buffer, 0, size);
    std::strncpy(buffer, text, size - 1);
}

std::string userSetting(std::uint32_t userId, const std::string& section, const char* key)
{
    char buffer[kUserSettingSize] = {};
    std::int32_t size = kUserSettingSize;
    return UserDataGetString(userId, section.c_str(), key, buffer, &size, "") == 0 ? std::string(buffer)
                                                                                     : std::string();
}

void storeUserSetting(std::uint32_t userId, const std::string& section, const char* key, const QString& value)
{
    if (UserDataSetString(userId, section.c_str(), key, value.toStdString().c_str()) != 0)
        ConduitLog("Unable to store " + std::string(key) + " for the User " + std::to_string(userId));
}

// Runs body, which shows the action dialog modal to the HotSync manager's window; a host
// without an application object gets one for the dialog's time.
template <typename Body>
std::int32_t withWidgets(Body body)
{
    if (QCoreApplication::instance() != nullptr)
        return body();
    int argc = 1;
    char name[] = "Velvix";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    return body();
}

std::int32_t configure(ConduitPreference& preference)
{
    CSyncActionDlg dialog(QApplication::activeWindow());
    dialog.radioIndex = CSyncActionDlg::radioOfAction(preference.action);
    dialog.setAsDefault = false;
    if (dialog.exec() != QDialog::Accepted)
        return kCancelled;
    preference.action = CSyncActionDlg::actionOfRadio(dialog.radioIndex);
    preference.preferenceKind = dialog.setAsDefault ? CONDUIT_PREFERENCE_PERMANENT : CONDUIT_PREFERENCE_TEMPORARY;
    return 0;
}

std::int32_t configureForUser(ConduitConfiguration& record)
{
    const std::string name = ReadConduitStrings(record.creatorId).name;
    CSyncActionDlg dialog(QApplication::activeWindow());
    dialog.applicationName = QString::fromStdString(name);
    dialog.accessDatabase = QString::fromStdString(userSetting(record.userId, name, "DBQ"));
    dialog.systemDatabase = QString::fromStdString(userSetting(record.userId, name, "SystemDB"));
    dialog.radioIndex = CSyncActionDlg::radioOfAction(record.currentAction);
    if (dialog.exec() != QDialog::Accepted)
        return kCancelled;
    record.chosenAction = CSyncActionDlg::actionOfRadio(dialog.radioIndex);
    record.preferenceKind = dialog.setAsDefault ? CONDUIT_PREFERENCE_PERMANENT : CONDUIT_PREFERENCE_TEMPORARY;
    storeUserSetting(record.userId, name, "DBQ", dialog.accessDatabase);
    storeUserSetting(record.userId, name, "SystemDB", dialog.systemDatabase);
    return 0;
}

}  // namespace

extern "C" {

std::int32_t CfgConduit(std::int32_t configurationType, ConduitConfiguration* record, std::uint32_t* size)
{
    if (record == nullptr)
        return CONDUIT_ERR_NULL_INPUT;
    if (size == nullptr)
        return CONDUIT_ERR_NULL_RECORD_SIZE;
    if (*size != sizeof(ConduitConfiguration))
        return CONDUIT_ERR_BAD_RECORD_SIZE;
    if (configurationType != CONDUIT_CONFIGURE_USER)
        return CONDUIT_ERR_BAD_CONFIGURATION_TYPE;
    if (record->version != 1)
        return CONDUIT_ERR_BAD_RECORD_VERSION;
    return withWidgets([record] { return configureForUser(*record); });
}

std::int32_t ConfigureConduit(ConduitPreference* preference)
{
    if (preference == nullptr)
        return kCancelled;
    return withWidgets([preference] { return configure(*preference); });
}

std::int32_t GetConduitInfo(std::int32_t kind, const void* input, void* output, std::uint32_t* size)
{
    if (output == nullptr || size == nullptr)
        return output != nullptr ? CONDUIT_ERR_NULL_SIZE : CONDUIT_ERR_NULL_OUTPUT;
    switch (kind) {
    case CONDUIT_INFO_NAME: {
        if (input == nullptr)
            return CONDUIT_ERR_NULL_INPUT;
        // Only the version and size are read before the size is known to be right.
        std::uint32_t versionAndSize[2];
        std::memcpy(versionAndSize, input, sizeof versionAndSize);
        if (versionAndSize[0] != 1 || versionAndSize[1] != sizeof(ConduitRequestInfo))
            return CONDUIT_ERR_BAD_INPUT;
        if (*size > 0)
            copyText(kConduitInfoName, static_cast<char*>(output), *size);
        return 0;
    }
    case CONDUIT_INFO_FRAMEWORK_VERSION:
    case CONDUIT_INFO_DEFAULT_ACTION: {
        if (*size != sizeof(std::uint32_t))
            return CONDUIT_ERR_BAD_OUTPUT_SIZE;
        std::uint32_t answer = kind == CONDUIT_INFO_FRAMEWORK_VERSION ? kFrameworkVersion : CONDUIT_SYNC_FAST;
        std::memcpy(output, &answer, sizeof answer);
        return 0;
    }
    default:
        return CONDUIT_ERR_UNKNOWN_INFO;
    }
}

std::int32_t GetConduitName(char* buffer, std::int32_t size)
{
    if (buffer != nullptr && size > 0)
        copyText(kConduitName, buffer, static_cast<std::size_t>(size));
    return 0;
}

std::uint32_t GetConduitVersion()
{
    return kConduitVersion;
}

std::int32_t OpenConduit(ConduitProgressCallback progress, const ConduitSyncProperties* properties)
{
    if (properties == nullptr)
        return -1;
    const ConduitStrings strings = ReadConduitStrings(properties->creatorId);
    const std::string keyPath = DefaultDatabaseKey(strings);
    ConduitLog(keyPath);
    ConduitLog(strings.value);
    std::string databasePath;
    if (ReadRegistryValue(keyPath, strings.value, databasePath) != 0)
        ConduitLog("Fallo get key");
    const std::string workgroupPath = DefaultWorkgroupPath(databasePath);

    if (progress == nullptr)
        return -1;
    if (properties->syncType == CONDUIT_SYNC_DO_NOTHING) {
        ConduitLog("Velvix! - " + strings.name + " - sync configured to Do Nothing");
        return 0;
    }
    std::uint32_t handle = 0;
    std::int32_t registered = SyncRegisterConduit(&handle);
    if (registered != 0)
        return registered;

    LogAddEntry(strings.name.c_str(), LOG_SYNC_STARTED, 0);
    const std::string localName(properties->localName, strnlen(properties->localName, sizeof properties->localName));
    int result = 0;
    if (properties->syncType == CONDUIT_SYNC_FAST || properties->syncType == CONDUIT_SYNC_SLOW)
        result = SyncTables(0, strings.name, localName, databasePath, workgroupPath);
    else if (properties->syncType == CONDUIT_SYNC_DESKTOP_OVERWRITES)
        result = SyncTables(1, strings.name, localName, databasePath, workgroupPath);
    LogAddEntry(strings.name.c_str(), result != 0 ? LOG_SYNC_ABORTED : LOG_SYNC_FINISHED, 0);
    SyncUnRegisterConduit(handle);
    return result;
}

}  // extern "C"
