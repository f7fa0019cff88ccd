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

#include <algorithm>

namespace {

constexpr const char* kDatabaseAccount = "Quivo";
constexpr std::int32_t kUserNameSize = 64;
constexpr int kRunEnded = 1;

// Takes the desktop's write lock before anything is written; false when another program keeps
// the database locked past the time-out (logged).
bool beginDesktopChanges(const SyncRun& run)
{
    if (BeginTransaction(run.connection) == 0)
        return true;
    ConduitLog("The practice database is locked by another program: the HotSync stopped.");
    return false;
}

// Commits the desktop's changes once the handheld has stored its own, else undoes them: the
// mirror then never claims more than the handheld holds. True when committed.
bool endDesktopChanges(const SyncRun& run, bool handheldStored, const std::string& database)
{
    if (handheldStored && EndTransaction(run.connection, true) == 0)
        return true;
    ConduitLog("The changes of " + database + " were not stored: the next HotSync makes them again.");
    EndTransaction(run.connection, false);
    return false;
}

// Clears the sort information of a written table and closes it. 0, or 1 when the handheld did
// not store its changes.
int closeWrittenTable(SyncTableDescription& table)
{
    if (table.written) {
        ConduitLog("Clearing SortInfo");
        std::int32_t error = ClearSortInfo(table.handheldHandle);
        if (error != SYNC_OK)
            ConduitLog("Error Clearing SortInfo err=" + std::to_string(error));
    }
    return ClosePalmTable(table);
}

// One table and its sub-tables in one desktop transaction. Sub-records are stored on the handheld
// before their parents, and both before the desktop commits; records applied from the handheld
// are cleared there only after it. A HotSync stopped at any point leaves nothing that the next
// one does not make good. False when the run must stop.
bool synchroniseTable(SyncRun& run, SyncTableDescription& table, TableDescriptionFile& file)
{
    SyncYieldCycles(1);
    ConduitLog(table.handheldDatabase + " with " + table.writeTable + ", " + std::to_string(table.subTableCount) +
               " subtables");
    if (!beginDesktopChanges(run))
        return false;
    if (OpenPalmTable(table) != 0) {
        ConduitLog("Fail to open Palm DB " + table.handheldDatabase);
        EndTransaction(run.connection, true);
        return true;
    }
    int exchanged = run.purgeFlag == 1 ? PurgeTable(run, table) : ApplyHandheldChanges(run, table);
    if (exchanged == 0)
        ApplyDesktopChanges(run, table);
    const bool subTablesStored = SyncSubTables(run, table, file) != kSubTableNotStored;
    const bool stored = closeWrittenTable(table) == 0 && subTablesStored;
    const bool followUps = std::any_of(table.records.begin(), table.records.end(), [](const PalmRecordEntry& entry) {
        return entry.followUp != HandheldFollowUp::None;
    });
    if (endDesktopChanges(run, stored, table.handheldDatabase) && followUps && ReopenPalmTable(table) == 0) {
        table.written = false;
        SettleHandheldFollowUps(table);
        closeWrittenTable(table);
    }
    table.records.clear();
    table.layout.clear();
    return true;
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

// A new terminal number is kept only once the handheld stored its preference record, so that a
// HotSync stopped in between registers the handheld again. False when the run must stop (logged).
bool registerHandheld(SyncRun& run, PreferenceFile& preference, const std::string& userName,
                      const TableDescriptionFile& file)
{
    if (!beginDesktopChanges(run)) {
        ClosePreferenceFile(preference);
        return false;
    }
    const bool registered = RegisterTerminal(run, preference, userName, file) == 0;
    const bool preferenceStored = ClosePreferenceFile(preference) == 0;
    if (registered)
        return endDesktopChanges(run, preferenceStored, preference.databaseName);
    // A registration that failed keeps what it did, as when each statement committed on its own.
    EndTransaction(run.connection, true);
    return false;
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
    bool completed = registerHandheld(run, preference, userName, file);
    for (SyncTableDescription& table : file.tables) {
        if (!completed)
            break;
        completed = synchroniseTable(run, table, file);
    }
    DisconnectDatabase(environment, run.connection);
    return completed ? 0 : kRunEnded;
}
