#include "SyncTables.h"

#include "ConduitLog.h"
#include "ConnectionStrings.h"
#include "DesktopChanges.h"
#include "HandheldChanges.h"
#include "OdbcAccess.h"
#include "PalmTables.h"
#include "PreferenceFile.h"
#include "SubTables.h"
#include "SyncManager.h"
#include "SyncRun.h"
#include "TableDescription.h"
#include "TerminalRegistration.h"

#include <sql.h>

namespace {

constexpr const char* kDatabaseAccount = "Quivo";
constexpr std::int32_t kUserNameSize = 64;
constexpr int kRunEnded = 1;

void synchroniseTable(SyncRun& run, SyncTableDescription& table, TableDescriptionFile& file)
{
    SyncYieldCycles(1);
    ConduitLog(table.handheldDatabase + " with " + table.writeTable + ", " + std::to_string(table.subTableCount) +
               " subtables");
    if (OpenPalmTable(table) != 0) {
        ConduitLog("Fail to open Palm DB " + table.handheldDatabase);
        return;
    }
    int exchanged = run.purgeFlag == 1 ? PurgeTable(run, table) : ApplyHandheldChanges(run, table);
    if (exchanged == 0) {
        ApplyDesktopChanges(run, table);
        if (table.written) {
            ConduitLog("Clearing SortInfo");
            std::int32_t error = ClearSortInfo(table.handheldHandle);
            if (error != SYNC_OK)
                ConduitLog("Error Clearing SortInfo err=" + std::to_string(error));
        }
    }
    ClosePalmTable(table);
    SyncSubTables(run, table, file);
    table.records.clear();
    table.layout.clear();
}

// The connection string from the user's settings, else from the defaults; false when neither
// gives one (logged).
bool chooseConnectionString(const std::string& conduitName, std::uint32_t pdtId, const std::string& defaultDatabasePath,
                            const std::string& defaultWorkgroupPath, std::string& connectionString)
{
    if (BuildUserConnectionString(conduitName, pdtId, connectionString) == 0)
        return true;
    ConduitLog(connectionString);
    if (defaultDatabasePath.empty()) {
        ConduitLog("No default values");
        return false;
    }
    ConduitLog("Assuming default values");
    return BuildDefaultConnectionString(defaultDatabasePath, defaultWorkgroupPath, connectionString) == 0;
}

}  // namespace

int SyncTables(int purgeFlag, const std::string& conduitName, const std::string& tableDescriptionPath,
               const std::string& defaultDatabasePath, const std::string& defaultWorkgroupPath)
{
    char userName[kUserNameSize] = {};
    SyncRun run;
    run.purgeFlag = purgeFlag;
    std::int32_t userError = SyncReadUserID(userName, kUserNameSize, &run.pdtId);
    if (userError != SYNC_OK) {
        ConduitLog("Error reading the HotSync user err=" + std::to_string(userError));
        return kRunEnded;
    }
    ConduitLog("Synching Velvix! " + conduitName + "  with User: " + userName + " Id: " + std::to_string(run.pdtId));

    TableDescriptionFile file;
    if (ReadTableDescriptionFile(tableDescriptionPath, file) != 0 || !EveryTableHasAKeyField(file)) {
        ConduitLog("Error reading file " + tableDescriptionPath);
        return kRunEnded;
    }
    PreferenceFile preference;
    if (OpenPreferenceFile(preference, file.preferenceDatabase) != 0) {
        ConduitLog("Error opereading file " + tableDescriptionPath);
        return kRunEnded;
    }
    std::string connectionString;
    if (!chooseConnectionString(conduitName, run.pdtId, defaultDatabasePath, defaultWorkgroupPath, connectionString)) {
        ClosePreferenceFile(preference);
        return kRunEnded;
    }
    SQLHENV environment = SQL_NULL_HENV;
    if (ConnectDatabase(environment, run.connection, connectionString, kDatabaseAccount, kDatabaseAccount) != 0) {
        ConduitLog("Connection could not be stablished with " + conduitName + " with connection string " +
                   connectionString);
        ClosePreferenceFile(preference);
        return kRunEnded;
    }
    int registered = RegisterTerminal(run, preference, userName);
    ClosePreferenceFile(preference);
    if (registered == 0)
        for (SyncTableDescription& table : file.tables)
            synchroniseTable(run, table, file);
    DisconnectDatabase(environment, run.connection);
    return registered == 0 ? 0 : kRunEnded;
}
