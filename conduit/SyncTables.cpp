#include "SyncTables.h"

#include "ConduitLog.h"
#include "ConnectionStrings.h"
#include "DesktopChanges.h"
#include "HandheldCapacity.h"
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

// What became of one table.
enum class TableOutcome {
    Exchanged,
    NotExchanged,     // logged; the next tables follow, and the run tells it at the end
    RunStopped,       // the desktop is locked: no table can be exchanged now
    ChangedMeanwhile  // another program changed the desktop before the first change: nothing was changed
};

// Begins the desktop's transaction; with the write lock at the begin, false when another program
// keeps the database locked past the time-out (logged).
bool beginDesktopChanges(const SyncRun& run, WriteLock writeLock = WriteLock::AtBegin)
{
    if (BeginTransaction(run.connection, writeLock) == 0)
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

// Opens the table's and its sub-tables' handheld databases and reads their records, all before
// the desktop is locked. False when one cannot be opened, linked or read (logged).
bool openHandheldSide(const SyncRun& run, SyncTableDescription& table, TableDescriptionFile& file)
{
    if (OpenPalmTable(table) != 0) {
        ConduitLog("Fail to open Palm DB " + table.handheldDatabase);
        return false;
    }
    if (run.purgeFlag != 1 && ReadPalmTable(table) != 0) {
        ConduitLog("Error Reading Table Data");
        ClosePalmTable(table);
        return false;
    }
    if (OpenSubTables(run, table, file) != kSubTablesFollowed) {
        ClosePalmTable(table);
        return false;
    }
    return true;
}

// Closes a table whose exchange did not begin: nothing was written to the handheld.
void closeUnchanged(SyncTableDescription& table, TableDescriptionFile& file)
{
    CloseSubTables(table, file);
    ClosePalmTable(table);
}

// Once the desktop has committed: the records applied from the handheld are written back and
// those it deleted removed. 0, or 1 when the handheld could not store that (logged).
int settleHandheld(SyncTableDescription& table)
{
    const bool followUps = std::any_of(table.records.begin(), table.records.end(), [](const PalmRecordEntry& entry) {
        return entry.followUp != HandheldFollowUp::None;
    });
    if (!followUps)
        return 0;
    if (ReopenPalmTable(table) == 0) {
        table.written = false;
        SettleHandheldFollowUps(table);
        if (closeWrittenTable(table) == 0)
            return 0;
    }
    ConduitLog("The handheld did not store that the changes of " + table.handheldDatabase +
               " were taken: the next HotSync takes them again.");
    return 1;
}

// One table and its sub-tables in one desktop transaction. It begins once the handheld's records
// are read, and takes the desktop's write lock at the begin or only before its first change to
// either side. Sub-records are stored on the handheld before their parents, and both before the
// desktop commits; records applied from the handheld are cleared there only after it. A HotSync
// stopped at any point leaves nothing that the next one does not make good; a table that cannot
// be exchanged whole is not exchanged at all.
TableOutcome exchangeTable(SyncRun& run, SyncTableDescription& table, TableDescriptionFile& file, WriteLock writeLock)
{
    SyncYieldCycles(1);
    ConduitLog(table.handheldDatabase + " with " + table.writeTable + ", " + std::to_string(table.subTableCount) +
               " subtables");
    if (!openHandheldSide(run, table, file))
        return TableOutcome::NotExchanged;
    IndexMirrorTable(run, table);
    if (!beginDesktopChanges(run, writeLock)) {
        closeUnchanged(table, file);
        return TableOutcome::RunStopped;
    }
    int exchanged = 1;
    if (TableFitsTheHandheld(run, table, file))
        exchanged = run.purgeFlag == 1 ? PurgeTable(run, table) : ApplyHandheldChanges(run, table);
    if (exchanged == 0)
        exchanged = ApplyDesktopChanges(run, table);
    if (exchanged != 0) {
        EndTransaction(run.connection, false);
        closeUnchanged(table, file);
        return exchanged == kDesktopChangedMeanwhile ? TableOutcome::ChangedMeanwhile : TableOutcome::NotExchanged;
    }
    const bool subTablesStored = SyncSubTables(run, table, file) == kSubTablesFollowed;
    const bool stored = closeWrittenTable(table) == 0 && subTablesStored;
    if (!endDesktopChanges(run, stored, table.handheldDatabase))
        return TableOutcome::NotExchanged;
    return settleHandheld(table) == 0 ? TableOutcome::Exchanged : TableOutcome::NotExchanged;
}

void forgetHandheldSide(SyncTableDescription& table)
{
    table.records.clear();
    table.heldRecords.clear();
    table.layout.clear();
    table.parsedLayout = HandheldLayout{};
}

// The exchange reads the desktop without its write lock, so that a clerk's save never waits on
// it. When another program changed the desktop before the exchange's first change, what it read
// may be out of date: it runs again from the handheld's records, this time holding the lock from
// the begin, so that no further change can come between.
TableOutcome synchroniseTable(SyncRun& run, SyncTableDescription& table, TableDescriptionFile& file)
{
    TableOutcome outcome = exchangeTable(run, table, file, WriteLock::AtFirstWrite);
    forgetHandheldSide(table);
    if (outcome == TableOutcome::ChangedMeanwhile) {
        ConduitLog("Another program changed the practice database while the HotSync read it: " +
                   table.handheldDatabase + " is exchanged again.");
        outcome = exchangeTable(run, table, file, WriteLock::AtBegin);
        forgetHandheldSide(table);
    }
    if (outcome != TableOutcome::ChangedMeanwhile)
        return outcome;
    ConduitLog(table.handheldDatabase + " was not exchanged: the practice database could not be held for its changes.");
    return TableOutcome::NotExchanged;
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
    // A handheld the desktop knows changes nothing here: it is looked up without the write lock,
    // so that a clerk's save never waits on it.
    if (ReadUserInfoFromPC(run.connection, run.pdtId) == 0)
        return ClosePreferenceFile(preference) == 0;
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
    bool everyTableExchanged = true;
    for (SyncTableDescription& table : file.tables) {
        if (!completed)
            break;
        const TableOutcome outcome = synchroniseTable(run, table, file);
        completed = outcome != TableOutcome::RunStopped;
        everyTableExchanged = everyTableExchanged && outcome == TableOutcome::Exchanged;
    }
    DisconnectDatabase(environment, run.connection);
    return completed && everyTableExchanged ? 0 : kRunEnded;
}
