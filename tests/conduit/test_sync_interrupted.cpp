// A HotSync killed at any point loses and duplicates nothing: the next complete one leaves the
// handheld, the desktop and the mirror holding the same records and sub-records.
//
// The run to interrupt goes on in a child process; this program stands between the conduit and
// the handheld's writes and the desktop's commits, reports each to the test and kills the child
// after a chosen one.
#include "SyncTestEnvironment.h"

#include "NextDefinition.h"
#include "SyncManager.h"
#include "SyncTables.h"

#include <signal.h>
#include <sql.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

using demohandheld::Patient;
using demohandheld::stamp;

namespace {

enum EventKind : char { kHandheldWrite = 'w', kHandheldStored = 's', kDesktopCommit = 'c' };

int eventPipe = -1;       // set in the child only
int eventsBeforeKill = 0;  // 0: never killed
int eventsSeen = 0;

void reportEvent(EventKind kind)
{
    if (eventPipe < 0)
        return;
    if (::write(eventPipe, &kind, 1) != 1)
        ::_exit(3);
    if (++eventsSeen == eventsBeforeKill)
        ::raise(SIGKILL);
}

}  // namespace

extern "C" {

int32_t SyncWriteRec(SyncRecordInfo* info)
{
    static auto real = nextDefinition<int32_t (*)(SyncRecordInfo*)>("SyncWriteRec");
    int32_t result = real(info);
    reportEvent(kHandheldWrite);
    return result;
}

int32_t SyncDeleteRec(uint8_t dbHandle, uint32_t recordId)
{
    static auto real = nextDefinition<int32_t (*)(uint8_t, uint32_t)>("SyncDeleteRec");
    int32_t result = real(dbHandle, recordId);
    reportEvent(kHandheldWrite);
    return result;
}

int32_t SyncPurgeAllRecs(uint8_t dbHandle)
{
    static auto real = nextDefinition<int32_t (*)(uint8_t)>("SyncPurgeAllRecs");
    int32_t result = real(dbHandle);
    reportEvent(kHandheldWrite);
    return result;
}

int32_t SyncCloseDB(uint8_t dbHandle)
{
    static auto real = nextDefinition<int32_t (*)(uint8_t)>("SyncCloseDB");
    int32_t result = real(dbHandle);
    reportEvent(kHandheldStored);
    return result;
}

SQLRETURN SQL_API SQLEndTran(SQLSMALLINT handleType, SQLHANDLE handle, SQLSMALLINT completionType)
{
    static auto real = nextDefinition<SQLRETURN(SQL_API*)(SQLSMALLINT, SQLHANDLE, SQLSMALLINT)>("SQLEndTran");
    SQLRETURN result = real(handleType, handle, completionType);
    if (completionType == SQL_COMMIT)
        reportEvent(kDesktopCommit);
    return result;
}

}  // extern "C"

namespace {

constexpr int kPatients = 12;
constexpr int kFirstPatient = 3001;

class InterruptedSyncTest : public SyncTest {
protected:
    // Keeps the arranged desktop and handheld to start every interrupted run from.
    void keepSnapshot()
    {
        desktop.reset();
        std::filesystem::copy_file(databasePath, temp.file("snapshot.mdb"));
        std::filesystem::copy(handheldFolder, temp.file("snapshot"), std::filesystem::copy_options::recursive);
        reopenDesktop();
    }

    void restoreSnapshot()
    {
        desktop.reset();
        for (const char* suffix : {"-wal", "-shm"})
            std::filesystem::remove(databasePath + suffix);
        std::filesystem::copy_file(temp.file("snapshot.mdb"), databasePath,
                                   std::filesystem::copy_options::overwrite_existing);
        std::filesystem::remove_all(handheldFolder);
        std::filesystem::copy(temp.file("snapshot"), handheldFolder, std::filesystem::copy_options::recursive);
    }

    // Runs a HotSync in a child process killed after its killAfter-th event (0: never); the
    // events it reached, in order.
    std::string interruptedSync(int killAfter)
    {
        desktop.reset();
        int pipeEnds[2];
        EXPECT_EQ(::pipe(pipeEnds), 0);
        pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeEnds[0]);
            eventPipe = pipeEnds[1];
            eventsBeforeKill = killAfter;
            SyncTables(0, kConduitName, tableDescriptionPath, "", "");
            ::_exit(0);
        }
        ::close(pipeEnds[1]);
        std::string events;
        char kind = 0;
        while (::read(pipeEnds[0], &kind, 1) == 1)
            events.push_back(kind);
        ::close(pipeEnds[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(killAfter == 0 ? WIFEXITED(status) && WEXITSTATUS(status) == 0
                                   : WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "kill after event " << killAfter;
        reopenDesktop();
        return events;
    }

    void insertDesktopPatient(int id, const std::string& names)
    {
        execute("INSERT INTO Patient (PatientId, [Names], VXTS) VALUES (" + std::to_string(id) + ", '" + names +
                "', #2026-12-01 08:00:00#)");
        for (int sickness : {1, 2})
            execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (" +
                    std::to_string(id) + ", " + std::to_string(sickness) + ", 1)");
    }

    // Handheld records, desktop rows and mirror rows hold the same patients, once each, with the
    // same sub-records; the desktop holds the expected patients.
    void expectConsistent(const std::map<int, std::string>& expected, const std::string& point)
    {
        std::map<int, std::string> onHandheld;
        std::set<std::uint32_t> handheldIds;
        for (const hotsync::PalmRecord& record : storedPatients().records) {
            int id = std::stoi(demohandheld::patientField(record.bytes, "id"));
            EXPECT_TRUE(onHandheld.emplace(id, demohandheld::patientField(record.bytes, "names")).second)
                << point << ": patient " << id << " twice on the handheld";
            handheldIds.insert(record.uniqueId);
        }
        std::map<int, std::string> onDesktop;
        for (const auto& row : query("SELECT PatientId, [Names] FROM Patient").rows)
            onDesktop[static_cast<int>(std::get<std::int64_t>(row[0]))] = "'" + std::get<std::string>(row[1]) + "'";
        std::map<int, std::string> inMirror;
        std::set<std::uint32_t> mirroredIds;
        for (const auto& row : query("SELECT PatientId, [Names], PDTRecordId FROM VXPatient WHERE PDTId = 4242").rows) {
            int id = static_cast<int>(std::get<std::int64_t>(row[0]));
            EXPECT_TRUE(inMirror.emplace(id, "'" + std::get<std::string>(row[1]) + "'").second)
                << point << ": patient " << id << " twice in the mirror";
            mirroredIds.insert(static_cast<std::uint32_t>(std::get<std::int64_t>(row[2])));
        }
        EXPECT_EQ(onDesktop, expected) << point;
        EXPECT_EQ(onHandheld, onDesktop) << point;
        EXPECT_EQ(inMirror, onDesktop) << point;
        EXPECT_EQ(mirroredIds, handheldIds) << point;

        std::multiset<std::string> handheldHistory;
        for (const hotsync::PalmRecord& record : storedDatabase(demohandheld::kHistoryDatabase).records)
            handheldHistory.insert(record.bytes);
        std::multiset<std::string> desktopHistory;
        for (const auto& row : query("SELECT PatientId, SicknessCode, SicknessTypeCode FROM PatientHistory").rows)
            desktopHistory.insert(demohandheld::historyBytes(static_cast<int>(std::get<std::int64_t>(row[0])),
                                                             static_cast<int>(std::get<std::int64_t>(row[1])),
                                                             static_cast<int>(std::get<std::int64_t>(row[2]))));
        EXPECT_EQ(handheldHistory, desktopHistory) << point;
    }

    // Kills the arranged HotSync after every handheld store and desktop commit and after every
    // few handheld writes; each time one complete HotSync must make all sides agree.
    void expectEveryInterruptionMadeGood(const std::map<int, std::string>& expected)
    {
        keepSnapshot();
        const std::string events = interruptedSync(0);
        int kills = 0;
        for (std::size_t i = 0; i < events.size(); ++i) {
            if (events[i] == kHandheldWrite && i % 8 != 0)
                continue;
            restoreSnapshot();
            interruptedSync(static_cast<int>(i + 1));
            synchronise();
            expectConsistent(expected, "killed after event " + std::to_string(i + 1) + " of " + events);
            ++kills;
            if (HasFailure())
                return;
        }
        EXPECT_GT(kills, 3);
    }
};

TEST_F(InterruptedSyncTest, AKilledHotSyncIsMadeGoodByTheNextOne)
{
    // A first fill of a new handheld from the desktop.
    std::map<int, std::string> patients;
    for (int id = kFirstPatient; id < kFirstPatient + kPatients; ++id) {
        insertDesktopPatient(id, "DESKTOP " + std::to_string(id));
        patients[id] = "'DESKTOP " + std::to_string(id) + "'";
    }
    expectEveryInterruptionMadeGood(patients);
}

TEST_F(InterruptedSyncTest, AKilledImportOfHandheldRecordsIsMadeGoodByTheNextOne)
{
    registerHandheld();
    std::vector<hotsync::PalmRecord> records;
    hotsync::PalmDatabase history = demohandheld::emptyDatabase(demohandheld::kHistoryDatabase,
                                                                demohandheld::historyLayout());
    std::map<int, std::string> patients;
    for (int i = 0; i < kPatients; ++i) {
        const int id = kFirstPatient + i;
        const std::uint32_t recordId = static_cast<std::uint32_t>(i + 1);
        records.push_back(changedPatient(recordId, stamp(2026, 12, 2, 9, 0, 0), Patient{id, "HANDHELD " + std::to_string(id)}));
        for (int sickness : {1, 2})
            history.records.push_back({static_cast<std::uint32_t>(2 * i + sickness), SYNC_REC_DIRTY, 0,
                                       demohandheld::historyBytes(id, sickness, 1)});
        patients[id] = "'HANDHELD " + std::to_string(id) + "'";
    }
    storePatients(records);
    storeDatabase(history);
    expectEveryInterruptionMadeGood(patients);
}

TEST_F(InterruptedSyncTest, AKilledRunOfTheDesktopPassesIsMadeGoodByTheNextOne)
{
    registerHandheld();
    std::map<int, std::string> patients;
    for (int id = kFirstPatient; id < kFirstPatient + kPatients; ++id)
        insertDesktopPatient(id, "DESKTOP " + std::to_string(id));
    synchronise();
    // New, changed and deleted rows, a third each.
    for (int i = 0; i < kPatients; ++i) {
        const int id = kFirstPatient + i;
        if (i % 3 == 0) {
            execute("UPDATE Patient SET [Names] = 'CHANGED " + std::to_string(id) + "', VXTS = #2026-12-03 08:00:00# "
                    "WHERE PatientId = " + std::to_string(id));
            patients[id] = "'CHANGED " + std::to_string(id) + "'";
        } else if (i % 3 == 1) {
            execute("DELETE FROM PatientHistory WHERE PatientId = " + std::to_string(id));
            execute("DELETE FROM Patient WHERE PatientId = " + std::to_string(id));
        } else {
            patients[id] = "'DESKTOP " + std::to_string(id) + "'";
        }
        insertDesktopPatient(id + 1000, "NEW " + std::to_string(id + 1000));
        patients[id + 1000] = "'NEW " + std::to_string(id + 1000) + "'";
    }
    expectEveryInterruptionMadeGood(patients);
}

}  // namespace
