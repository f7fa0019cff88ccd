// The desktop's write lock and the HotSync. Another program holding the lock past the time-out
// stops the HotSync before the handheld is written, and the next HotSync sends every row once. A
// HotSync holds the lock only while it changes the desktop: a clerk's save does not wait while it
// reads the handheld, and waits, but succeeds, while it writes.
//
// For the clerk's saves the HotSync runs in a child process, which this program pauses while it
// reads chosen handheld records, standing in front of the sync library's reading calls.
#include "SyncTestEnvironment.h"

#include "AppGlobals.h"
#include "NextDefinition.h"
#include "PracticeDatabase.h"
#include "SyncManager.h"
#include "SyncTables.h"
#include "VNSQLPatients.h"
#include "Workgroup.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

namespace {

int pausePipe = -1;   // set in the HotSync's child process only
int resumePipe = -1;
int handheldReads = 0;
constexpr int kPausesAtReads[] = {1, 1500, 6000};

// In the child: tells the test it reached a chosen read and waits until the test lets it go on.
void pauseAtChosenReads()
{
    if (pausePipe < 0)
        return;
    ++handheldReads;
    if (std::find(std::begin(kPausesAtReads), std::end(kPausesAtReads), handheldReads) == std::end(kPausesAtReads))
        return;
    char signal = 'r';
    if (::write(pausePipe, &signal, 1) != 1 || ::read(resumePipe, &signal, 1) != 1)
        ::_exit(3);
}

}  // namespace

extern "C" {

int32_t SyncReadRecordByIndex(SyncRecordInfo* info)
{
    static auto real = nextDefinition<int32_t (*)(SyncRecordInfo*)>("SyncReadRecordByIndex");
    pauseAtChosenReads();
    return real(info);
}

int32_t SyncReadNextModifiedRec(SyncRecordInfo* info)
{
    static auto real = nextDefinition<int32_t (*)(SyncRecordInfo*)>("SyncReadNextModifiedRec");
    pauseAtChosenReads();
    return real(info);
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

    // The clerk's own connection, as the desktop program opens it.
    void connectTheClerk()
    {
        std::string error;
        Globals().DbConnection = jet::Connection::open(
            {databasePath, jet::workgroupPathFor(databasePath), practicedb::kAccountUser, practicedb::kAccountPassword},
            error);
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
};

TEST_F(ClerkDuringHotSyncTest, AClerksSaveSucceedsWhileALargeHotSyncRuns)
{
    registerHandheld();
    execute("INSERT INTO Patient (PatientId, [Names]) VALUES (" + std::to_string(kClerksPatient) + ", 'AT THE DESK')");
    storeNewHandheldPatients();
    desktop.reset();

    int toTest[2];
    int toChild[2];
    ASSERT_EQ(::pipe(toTest), 0);
    ASSERT_EQ(::pipe(toChild), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        pausePipe = toTest[1];
        resumePipe = toChild[0];
        ::_exit(SyncTables(0, kConduitName, tableDescriptionPath, "", ""));
    }
    ::close(toTest[1]);
    ::close(toChild[0]);
    connectTheClerk();

    int saves = 0;
    std::string lastSave;
    char signal = 0;
    while (saves < static_cast<int>(std::size(kPausesAtReads)) && ::read(toTest[0], &signal, 1) == 1) {
        // The HotSync stands still: had it kept the lock, the save would time out.
        lastSave = "PAUSED " + std::to_string(++saves);
        clerkSaves(lastSave, "while the HotSync reads the handheld");
        ASSERT_EQ(::write(toChild[1], &signal, 1), 1);
    }
    EXPECT_EQ(saves, static_cast<int>(std::size(kPausesAtReads)));
    // The HotSync goes on to change the desktop; a save waits for those writes only.
    int status = 0;
    do {
        lastSave = "WHILE WRITING " + std::to_string(++saves);
        clerkSaves(lastSave, "while the HotSync writes");
    } while (::waitpid(child, &status, WNOHANG) == 0);
    ::close(toTest[0]);
    ::close(toChild[1]);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << logText();
    ResetGlobals();

    reopenDesktop();
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = " + std::to_string(kClerksPatient)), lastSave);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient"), kPatients + 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientHistory"), kPatients * kHistoryPerPatient);
}

}  // namespace
