// The desktop's write lock and the HotSync. Another program holding the lock past the time-out
// stops the HotSync before the handheld is written, and the next HotSync sends every row once. A
// HotSync holds the lock only while it changes the desktop: a clerk's save does not wait while it
// reads the handheld or the desktop, and waits, but succeeds, while it writes. A save that comes
// between the HotSync's reading of the desktop and its first change makes it exchange the table
// again, so that neither change is lost.
//
// For the clerk's saves the HotSync runs in a child process, which this program pauses at chosen
// calls into the sync library: reads of handheld records, the yields to the HotSync manager
// (one before each table, each record applied and each desktop pass and row), and the closing of
// handheld databases.
#include "SyncTestEnvironment.h"

#include "AppGlobals.h"
#include "NextDefinition.h"
#include "PracticeDatabase.h"
#include "SyncManager.h"
#include "SyncTables.h"
#include "VNSQLPatients.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace {

// Where the HotSync's child process stops, counted from its start.
struct Pauses {
    std::vector<int> atHandheldReads;
    std::vector<int> atYields;
    std::vector<int> atDatabaseCloses;
};

Pauses pauses;        // set in the HotSync's child process only
int pausePipe = -1;
int resumePipe = -1;

// In the child: tells the test it reached a chosen call and waits until the test lets it go on.
void pauseIfChosen(int& calls, const std::vector<int>& chosen)
{
    if (pausePipe < 0)
        return;
    ++calls;
    if (std::find(chosen.begin(), chosen.end(), calls) == chosen.end())
        return;
    char signal = 'r';
    if (::write(pausePipe, &signal, 1) != 1 || ::read(resumePipe, &signal, 1) != 1)
        ::_exit(3);
}

int handheldReads = 0;
int yields = 0;
int databaseCloses = 0;

}  // namespace

extern "C" {

int32_t SyncReadRecordByIndex(SyncRecordInfo* info)
{
    static auto real = nextDefinition<int32_t (*)(SyncRecordInfo*)>("SyncReadRecordByIndex");
    pauseIfChosen(handheldReads, pauses.atHandheldReads);
    return real(info);
}

int32_t SyncYieldCycles(uint16_t maxCycles)
{
    static auto real = nextDefinition<int32_t (*)(uint16_t)>("SyncYieldCycles");
    pauseIfChosen(yields, pauses.atYields);
    return real(maxCycles);
}

int32_t SyncCloseDB(uint8_t handle)
{
    static auto real = nextDefinition<int32_t (*)(uint8_t)>("SyncCloseDB");
    pauseIfChosen(databaseCloses, pauses.atDatabaseCloses);
    return real(handle);
}

}  // extern "C"

namespace {

TEST_F(SyncTest, ALockedDatabaseStopsTheHotSyncBeforeTheHandheldIsWritten)
{
    registerHandheld();
    execute("INSERT INTO Patient (PatientId, [Names]) VALUES (25001, 'FIRST')");
    execute("INSERT INTO Patient (PatientId, [Names]) VALUES (25002, 'SECOND')");
    std::string error;
    ASSERT_TRUE(desktop->beginTrans(error)) << error;
    execute("UPDATE Patient SET [Names] = 'BEING EDITED' WHERE PatientId = 25002");
    synchroniseUntilTheRunEnds();
    ASSERT_TRUE(desktop->commitTrans(error)) << error;

    EXPECT_TRUE(logged("The practice database is locked by another program: the HotSync stopped.")) << logText();
    EXPECT_TRUE(storedPatients().records.empty());
    synchronise();
    ASSERT_EQ(storedPatients().records.size(), 2u) << "each row is sent once";
    EXPECT_EQ(demohandheld::patientField(handheldPatient(25002).bytes, "names"), "'BEING EDITED'");
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient"), 2);
}

class ClerkDuringHotSyncTest : public SyncTest {
protected:
    static constexpr int kPatients = 2000;
    static constexpr int kHistoryPerPatient = 5;
    static constexpr int kClerksPatient = 30000;

    void storeNewHandheldPatients()
    {
        hotsync::PalmDatabase patients;
        hotsync::PalmDatabase history;
        demohandheld::newPatientsWithHistory(kPatients, kHistoryPerPatient, patients, history);
        storeDatabase(patients);
        storeDatabase(history);
    }

    void insertTheClerksPatient()
    {
        execute("INSERT INTO Patient (PatientId, [Names]) VALUES (" + std::to_string(kClerksPatient) +
                ", 'AT THE DESK')");
    }

    // Starts the HotSync in a child process that stops where told; the test's own connection
    // goes first, so that only the clerk's and the HotSync's use the database.
    void startHotSync(const Pauses& where)
    {
        desktop.reset();
        int toTest[2];
        int toChild[2];
        ASSERT_EQ(::pipe(toTest), 0);
        ASSERT_EQ(::pipe(toChild), 0);
        hotSync = ::fork();
        if (hotSync == 0) {
            pauses = where;
            pausePipe = toTest[1];
            resumePipe = toChild[0];
            ::_exit(SyncTables(0, kConduitName, tableDescriptionPath, "", ""));
        }
        ::close(toTest[1]);
        ::close(toChild[0]);
        fromHotSync = toTest[0];
        toHotSync = toChild[1];
    }

    // Whether the HotSync stopped at its next chosen call; false once it ended.
    bool hotSyncPaused()
    {
        char signal = 0;
        return ::read(fromHotSync, &signal, 1) == 1;
    }
    void resumeHotSync() { ASSERT_EQ(::write(toHotSync, "r", 1), 1); }
    bool hotSyncRunning() { return ::waitpid(hotSync, &hotSyncStatus, WNOHANG) == 0; }

    // The HotSync's exit status once it ended; the desktop is then the test's again.
    int hotSyncExitStatus()
    {
        if (hotSyncRunning())
            ::waitpid(hotSync, &hotSyncStatus, 0);
        ::close(fromHotSync);
        ::close(toHotSync);
        ResetGlobals();
        reopenDesktop();
        return WIFEXITED(hotSyncStatus) ? WEXITSTATUS(hotSyncStatus) : -1;
    }

    // The clerk's own connection, as the desktop program opens it.
    void connectTheClerk()
    {
        std::string error;
        Globals().DbConnection = jet::Connection::open(practicedb::connectionSettings(databasePath), error);
        ASSERT_TRUE(Globals().DbConnection) << error;
    }

    // The clerk opens the patient and saves it through the desktop's routine, which waits for the
    // write lock up to its time-out.
    void clerkSaves(const std::string& names, const char* when)
    {
        StoredState opened;
        QString error;
        ASSERT_TRUE(opened.Read(StoredPatient(kClerksPatient), error)) << when << ": " << error.toStdString();
        EXPECT_EQ(UpdatePatient(kClerksPatient, QString::fromStdString(names), QDate(1950, 1, 31), "DESK", 0, {},
                                opened, error),
                  0)
            << when << ": " << error.toStdString();
    }

    // A HotSync that stops once, where told, for the clerk's save, and then ends.
    void clerkSavesWhileTheHotSyncStands(const Pauses& where, const std::string& names, const char* when)
    {
        startHotSync(where);
        connectTheClerk();
        ASSERT_TRUE(hotSyncPaused());
        clerkSaves(names, when);
        resumeHotSync();
        EXPECT_EQ(hotSyncExitStatus(), 0) << logText();
    }

    std::string clerksPatientOnDesktop(const std::string& column)
    {
        return text("SELECT " + column + " FROM Patient WHERE PatientId = " + std::to_string(kClerksPatient));
    }
    std::string clerksPatientOnHandheld(const std::string& field)
    {
        return demohandheld::patientField(handheldPatient(kClerksPatient).bytes, field);
    }

    pid_t hotSync = -1;
    int hotSyncStatus = 0;
    int fromHotSync = -1;
    int toHotSync = -1;
};

TEST_F(ClerkDuringHotSyncTest, AClerksSaveSucceedsWhileALargeHotSyncRuns)
{
    registerHandheld();
    insertTheClerksPatient();
    storeNewHandheldPatients();
    const Pauses whileReadingTheHandheld{{1, 1500, 6000}, {}};
    startHotSync(whileReadingTheHandheld);
    connectTheClerk();

    int saves = 0;
    std::string lastSave;
    while (saves < static_cast<int>(whileReadingTheHandheld.atHandheldReads.size()) && hotSyncPaused()) {
        // The HotSync stands still: had it kept the lock, the save would time out.
        lastSave = "PAUSED " + std::to_string(++saves);
        clerkSaves(lastSave, "while the HotSync reads the handheld");
        resumeHotSync();
    }
    EXPECT_EQ(saves, static_cast<int>(whileReadingTheHandheld.atHandheldReads.size()));
    // The HotSync goes on to change the desktop; a save waits for those writes only.
    do {
        lastSave = "WHILE WRITING " + std::to_string(++saves);
        clerkSaves(lastSave, "while the HotSync writes");
    } while (hotSyncRunning());
    EXPECT_EQ(hotSyncExitStatus(), 0) << logText();

    EXPECT_EQ(clerksPatientOnDesktop("[Names]"), lastSave);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient"), kPatients + 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientHistory"), kPatients * kHistoryPerPatient);
}

TEST_F(ClerkDuringHotSyncTest, AClerksSaveDoesNotWaitWhileAHotSyncThatChangesNothingReadsTheDesktop)
{
    registerHandheld();
    insertTheClerksPatient();
    synchronise();
    // The table's yield, then the new-rows pass and its one fetch: the HotSync stops before the
    // changed-rows pass, having read the desktop.
    clerkSavesWhileTheHotSyncStands({{}, {4}}, "SAVED AT ONCE", "while the HotSync reads the desktop");

    EXPECT_EQ(clerksPatientOnDesktop("[Names]"), "SAVED AT ONCE");
    synchronise();
    EXPECT_EQ(clerksPatientOnHandheld("names"), "'SAVED AT ONCE'");
}

TEST_F(ClerkDuringHotSyncTest, AClerksSaveDoesNotWaitWhileAHotSyncLooksUpItsHandheld)
{
    registerHandheld();
    insertTheClerksPatient();
    // The first database the HotSync closes is the preference database, once it has looked the
    // handheld up among the registered ones.
    clerkSavesWhileTheHotSyncStands({{}, {}, {1}}, "SAVED AT ONCE", "while the HotSync looks up its handheld");

    EXPECT_EQ(clerksPatientOnDesktop("[Names]"), "SAVED AT ONCE");
}

TEST_F(ClerkDuringHotSyncTest, AClerksSaveBeforeTheHotSyncsFirstChangeMakesItExchangeTheTableAgain)
{
    registerHandheld();
    insertTheClerksPatient();
    synchronise();
    changeOnHandheld(kClerksPatient, "ward", "12", demohandheld::stamp(2026, 12, 8, 9, 0, 0));
    // The table's yield, then the one before the handheld's record is applied: the HotSync has read
    // the desktop and changed nothing yet.
    clerkSavesWhileTheHotSyncStands({{}, {2}}, "SAVED BEFORE THE HOTSYNC WROTE", "before the HotSync's first change");

    EXPECT_TRUE(logged("Another program changed the practice database while the HotSync read it: VelvixPatients "
                       "is exchanged again."))
        << logText();
    EXPECT_EQ(clerksPatientOnDesktop("[Names]"), "SAVED BEFORE THE HOTSYNC WROTE");
    EXPECT_EQ(clerksPatientOnDesktop("InWardCode"), "12");
    EXPECT_EQ(clerksPatientOnHandheld("names"), "'SAVED BEFORE THE HOTSYNC WROTE'");
    EXPECT_EQ(clerksPatientOnHandheld("ward"), "12");
}

}  // namespace
