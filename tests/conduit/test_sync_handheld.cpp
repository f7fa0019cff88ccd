// Records changed on the handheld reach the desktop table and the mirror table.
#include "SyncStatus.h"
#include "SyncTestEnvironment.h"

#include "FieldConversion.h"
#include "SyncManager.h"

using demohandheld::Patient;
using demohandheld::stamp;

namespace {

const Patient kAnn{1001, "ANN O'HARA", "1961-04-09", "A-1", 2};
const Patient kBen{1002, "BEN WU", "1970-12-01", "A-2", 0};

class HandheldChangesTest : public SyncTest {
protected:
    void SetUp() override
    {
        SyncTest::SetUp();
        registerHandheld();
    }

    // Gives the desktop a row and its mirror row as a finished HotSync leaves them.
    void synchronisedPatient(std::uint32_t recordId, const Patient& patient, const std::string& vxts)
    {
        insertDesktopPatient(patient, vxts);
        execute("INSERT INTO VXPatient (PatientId, [Names], DateOfBirth, AccountNumber, InsuranceCode, InFacilityCode, "
                "InWardCode, InDoctorCode, VXTS, PDTId, PDTRecordId) SELECT PatientId, [Names], DateOfBirth, "
                "AccountNumber, InsuranceCode, InFacilityCode, InWardCode, InDoctorCode, VXTS, " +
                std::to_string(kUserId) + ", " + std::to_string(recordId) + " FROM Patient WHERE PatientId = " +
                std::to_string(patient.id));
    }
};

TEST_F(HandheldChangesTest, NewHandheldRecordsAreInsertedWithTheirMirrorRows)
{
    storePatients({changedPatient(7, stamp(2026, 12, 7, 10, 15, 0), kAnn),
                   changedPatient(8, stamp(2026, 12, 7, 11, 0, 5), kBen)});
    synchronise();

    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 1001"), "ANN O'HARA");
    EXPECT_EQ(text("SELECT DateOfBirth FROM Patient WHERE PatientId = 1001"), "1961-04-09");
    EXPECT_EQ(text("SELECT AccountNumber FROM Patient WHERE PatientId = 1001"), "A-1");
    EXPECT_EQ(text("SELECT InsuranceCode FROM Patient WHERE PatientId = 1001"), "2");
    EXPECT_EQ(text("SELECT VXTS FROM Patient WHERE PatientId = 1001"), "2026-12-07 10:15:00");
    EXPECT_EQ(text("SELECT VXTS FROM Patient WHERE PatientId = 1002"), "2026-12-07 11:00:05");
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PDTId = 4242 AND PDTRecordId = 7 AND PatientId = 1001 "
                    "AND [Names] = 'ANN O''HARA'"),
              1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PDTId = 4242 AND PDTRecordId = 8 AND PatientId = 1002"), 1);
    EXPECT_TRUE(logged("Palm Modified records: 2")) << logText();
    EXPECT_TRUE(logged("VelvixPatients with Patient, 1 subtables")) << logText();
    EXPECT_TRUE(logged("Synching Velvix! Velvix  with User: Dr Alma Id: 4242")) << logText();

    // Written back: no longer modified, so a second HotSync has nothing to bring.
    for (const hotsync::PalmRecord& record : storedPatients().records)
        EXPECT_EQ(record.flags & SYNC_REC_DIRTY, 0) << record.uniqueId;
    synchronise();
    EXPECT_TRUE(logged("Palm Modified records: 0")) << logText();
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient"), 2);
    EXPECT_EQ(storedPatients().records.size(), 2u);
}

TEST_F(HandheldChangesTest, TheNewerSideWinsAndEqualStampsGoToTheHandheld)
{
    // Both sides changed each name since the handheld was last given it.
    Patient olderOnDesktop = kAnn;
    olderOnDesktop.names = "ANN OLD";
    Patient sameTime{1003, "CARL SAME", "1980-02-29", "A-3", 1};
    synchronisedPatient(7, olderOnDesktop, "#2026-12-01 09:00:00#");
    synchronisedPatient(8, kBen, "#2026-12-01 09:00:00#");
    synchronisedPatient(9, {1003, "CARL", "1980-02-29", "A-3", 1}, "#2026-12-05 08:30:00#");
    execute("UPDATE Patient SET [Names] = 'ANN OLDER' WHERE PatientId = 1001");
    execute("UPDATE Patient SET [Names] = 'BEN DESKTOP', VXTS = #2026-12-08 09:00:00# WHERE PatientId = 1002");
    execute("UPDATE Patient SET [Names] = 'CARL DESKTOP' WHERE PatientId = 1003");

    Patient handheldBen = kBen;
    handheldBen.names = "BEN HANDHELD";
    storePatients({changedPatient(7, stamp(2026, 12, 7, 10, 15, 0), kAnn),
                   changedPatient(8, stamp(2026, 12, 7, 10, 15, 0), handheldBen),
                   changedPatient(9, stamp(2026, 12, 5, 8, 30, 0), sameTime)});
    synchronise();

    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 1001"), "ANN O'HARA");
    EXPECT_EQ(text("SELECT VXTS FROM Patient WHERE PatientId = 1001"), "2026-12-07 10:15:00");
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 1003"), "CARL SAME");

    // The desktop's later change stays and goes back over the handheld record, stamp included.
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 1002"), "BEN DESKTOP");
    hotsync::PalmRecord ben = handheldPatient(1002);
    EXPECT_EQ(demohandheld::patientField(ben.bytes, "names"), "'BEN DESKTOP'");
    EXPECT_EQ(ben.bytes.substr(0, 6), stamp(2026, 12, 8, 9, 0, 0));
    EXPECT_EQ(ben.uniqueId, 8u);
    EXPECT_EQ(text("SELECT [Names] FROM VXPatient WHERE PDTRecordId = 8"), "BEN DESKTOP");
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient"), 3);
}

TEST_F(HandheldChangesTest, DeletedRecordsLeaveBothSidesUnlessTheDesktopRowIsNewer)
{
    synchronisedPatient(7, kAnn, "#2026-12-01 09:00:00#");
    synchronisedPatient(8, kBen, "#2026-12-08 09:00:00#");
    storePatients({deletedPatient(7, stamp(2026, 12, 7, 10, 0, 0), kAnn),
                   deletedPatient(8, stamp(2026, 12, 7, 10, 0, 0), kBen),
                   deletedPatient(9, stamp(2026, 12, 7, 10, 0, 0), {1009, "NEVER SYNCED"})});
    synchronise();

    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId = 1001"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PDTRecordId = 7"), 0);
    EXPECT_FALSE(handheldHasPatient(1001));
    EXPECT_FALSE(handheldHasPatient(1009)) << "a record the desktop never had is removed as well";

    // The desktop changed Ben after the handheld deleted him: he comes back, undeleted.
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId = 1002"), 1);
    hotsync::PalmRecord ben = handheldPatient(1002);
    EXPECT_EQ(ben.category & 8, 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PDTRecordId = 8"), 1);
}

TEST_F(HandheldChangesTest, ADeletedRecordWhoseDesktopRowIsNewerComesBackOnceWithItsHistory)
{
    synchronisedPatient(8, kBen, "#2026-12-01 09:00:00#");
    execute("UPDATE Patient SET [Names] = 'BEN DESKTOP', VXTS = #2026-12-08 09:00:00# WHERE PatientId = 1002");
    execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (1002, 1, 1)");
    execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (1002, 2, 1)");
    storePatients({deletedPatient(8, stamp(2026, 12, 7, 10, 0, 0), kBen)});
    hotsync::PalmDatabase history = demohandheld::emptyDatabase(demohandheld::kHistoryDatabase,
                                                                demohandheld::historyLayout());
    history.records = {{1, 0, 0, demohandheld::historyBytes(1002, 1, 1)},
                       {2, 0, 0, demohandheld::historyBytes(1002, 2, 1)},
                       {50, 0, 0, demohandheld::historyBytes(1003, 1, 1)}};
    storeDatabase(history);
    synchronise();

    EXPECT_EQ(demohandheld::patientField(handheldPatient(1002).bytes, "names"), "'BEN DESKTOP'");
    EXPECT_EQ(text("SELECT [Names] FROM VXPatient WHERE PDTRecordId = 8"), "BEN DESKTOP");
    EXPECT_EQ(storedDatabase(demohandheld::kHistoryDatabase).records.size(), 3u) << logText();
    EXPECT_EQ(logText().find("Error deleting RecId"), std::string::npos) << "its history is replaced once";
}

TEST_F(HandheldChangesTest, ARecordShorterThanItsLayoutIsRefused)
{
    synchronisedPatient(7, kAnn, "#2026-12-01 09:00:00#");
    Patient renamed = kAnn;
    renamed.names = "ANN CUT SHORT";
    hotsync::PalmRecord fewBytesShort = changedPatient(7, stamp(2026, 12, 7, 10, 0, 0), renamed);
    fewBytesShort.bytes.resize(72);
    hotsync::PalmRecord threeBytes = changedPatient(9, stamp(2026, 12, 7, 10, 0, 0), kBen);
    threeBytes.bytes.resize(3);
    storePatients({fewBytesShort, threeBytes, changedPatient(10, stamp(2026, 12, 7, 10, 0, 0), {1004, "DAN"})});
    std::string shortHistory = demohandheld::historyBytes(1004, 4, 2);
    shortHistory.resize(10);
    hotsync::PalmDatabase history = demohandheld::emptyDatabase(demohandheld::kHistoryDatabase,
                                                                demohandheld::historyLayout());
    history.records = {{1, 0, 0, demohandheld::historyBytes(1004, 3, 1)}, {2, 0, 0, shortHistory}};
    storeDatabase(history);
    synchronise();

    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 1001"), "ANN O'HARA") << logText();
    EXPECT_EQ(text("SELECT DateOfBirth FROM Patient WHERE PatientId = 1001"), "1961-04-09");
    EXPECT_EQ(text("SELECT AccountNumber FROM Patient WHERE PatientId = 1001"), "A-1");
    EXPECT_EQ(text("SELECT InsuranceCode FROM Patient WHERE PatientId = 1001"), "2");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId = 0"), 0);
    EXPECT_TRUE(logged("Palm record 7 of VelvixPatients is shorter than its layout and was not applied"));
    EXPECT_TRUE(logged("Palm record 9 of VelvixPatients is shorter than its layout and was not applied"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientHistory WHERE PatientId = 1004"), 1);
    EXPECT_TRUE(logged("Palm record 2 of VelvixHistory is shorter than its layout and was not applied"));

    // It stays refused: never padded, not even when its patient changes again.
    editOnHandheld({1004, "DAN AGAIN"}, stamp(2026, 12, 8, 10, 0, 0));
    synchronise();
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 1004"), "DAN AGAIN");
    EXPECT_EQ(count("SELECT COUNT(*) FROM PatientHistory WHERE PatientId = 1004"), 1);
    for (const hotsync::PalmRecord& record : storedDatabase(demohandheld::kHistoryDatabase).records)
        if (record.uniqueId == 2)
            EXPECT_EQ(record.bytes, shortHistory);
}

TEST_F(HandheldChangesTest, ARecordWithoutAnIdGetsOneOnce)
{
    storePatients({changedPatient(0, stamp(2026, 12, 7, 10, 15, 0), kAnn)});
    for (int run = 0; run < 3; ++run)
        synchronise();

    ASSERT_EQ(storedPatients().records.size(), 1u) << logText();
    const hotsync::PalmRecord ann = storedPatients().records[0];
    EXPECT_NE(ann.uniqueId, 0u);
    EXPECT_EQ(ann.flags & SYNC_REC_DIRTY, 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PDTRecordId = " + std::to_string(ann.uniqueId)), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient"), 1);
}

TEST_F(HandheldChangesTest, TwoRecordsOfOnePatientAreLoggedAndNeitherIsApplied)
{
    synchronisedPatient(7, kAnn, "#2026-12-01 09:00:00#");
    Patient annRenamed = kAnn;
    annRenamed.names = "ANN RENAMED";
    Patient annAgain = kAnn;
    annAgain.names = "ANN AGAIN";
    Patient benAgain = kBen;
    benAgain.names = "BEN AGAIN";
    storePatients({changedPatient(7, stamp(2026, 12, 7, 10, 0, 0), annRenamed),
                   changedPatient(9, stamp(2026, 12, 7, 10, 0, 0), annAgain),
                   changedPatient(8, stamp(2026, 12, 7, 10, 0, 0), kBen),
                   changedPatient(10, stamp(2026, 12, 7, 10, 0, 0), benAgain)});
    synchronise();

    EXPECT_TRUE(logged("Palm records 7 and 9 of VelvixPatients hold the same PatientId = 1001: neither was applied"))
        << logText();
    EXPECT_TRUE(logged("Palm records 8 and 10 of VelvixPatients hold the same PatientId = 1002: neither was applied"));
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 1001"), "ANN O'HARA");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId = 1002"), 0);
    ASSERT_EQ(storedPatients().records.size(), 4u);
    for (const hotsync::PalmRecord& record : storedPatients().records)
        EXPECT_NE(record.flags & SYNC_REC_DIRTY, 0) << record.uniqueId;

    // The doctor deletes the record made by mistake: the other one is applied, the patient stays.
    hotsync::PalmDatabase patients = storedPatients();
    patients.records[1].category = 8;
    storeDatabase(patients);
    synchronise();
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 1001"), "ANN RENAMED") << logText();
    EXPECT_EQ(storedPatients().records.size(), 3u);
    EXPECT_EQ(demohandheld::patientField(handheldPatient(1001).bytes, "names"), "'ANN RENAMED'");
}

TEST_F(HandheldChangesTest, ATableWithoutStampColumnAlwaysTakesTheHandheldVersion)
{
    useTableDescription("T,VelvixPatients,Patient,Patient,VXPatient,N,N\n"
                        "F,id,PatientId,K\nF,names,Names,C\nF,birth,DateOfBirth,C\nP,VelvixPrefs\n");
    synchronisedPatient(7, kAnn, "#2030-01-01 00:00:00#");
    Patient renamed = kAnn;
    renamed.names = "ANN RENAMED";
    storePatients({changedPatient(7, stamp(2001, 1, 1, 0, 0, 0), renamed)});
    synchronise();

    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 1001"), "ANN RENAMED");
    EXPECT_EQ(text("SELECT VXTS FROM Patient WHERE PatientId = 1001"), "2030-01-01 00:00:00")
        << "no stamp column: the stamp is not written";
}

TEST_F(HandheldChangesTest, AnAutonumberIsReadBackIntoTheHandheldRecord)
{
    execute("CREATE TABLE Notes (NoteId INTEGER PRIMARY KEY, PatientId SMALLINT, Note TEXT, Source TEXT)");
    execute("CREATE TABLE VXNotes (NoteId INTEGER, PatientId SMALLINT, Note TEXT, Source TEXT, PDTId INTEGER, "
            "PDTRecordId INTEGER)");
    execute("INSERT INTO Notes (NoteId, PatientId, Note) VALUES (40, 1, 'earlier')");
    hotsync::PalmDatabase notes;
    notes.name = "VelvixNotes";
    HandheldLayout layout;
    layout.recordLength = 30;
    layout.fields = {{"note", kFieldText, 16, 8}, {"noteid", kFieldDoubleWord, 4, 24}, {"patient", kFieldWord, 2, 28}};
    notes.appInfo = demohandheld::layoutBlock(layout);
    std::string bytes(28, '\0');
    bytes.replace(0, 6, stamp(2026, 12, 7, 10, 0, 0));
    bytes.replace(6, 5, "fever");
    bytes[27] = 3;
    notes.records.push_back({5, SYNC_REC_DIRTY, 0, bytes});
    storeDatabase(notes);
    useTableDescription("T,VelvixNotes,Notes,Notes,VXNotes,N,N\n"
                        "F,noteid,NoteId,A\nF,note,Note,C\nF,patient,PatientId,N\nD,'hh',Source\nP,VelvixPrefs\n");
    synchronise();

    EXPECT_EQ(count("SELECT COUNT(*) FROM Notes WHERE NoteId = 41 AND Note = 'fever' AND PatientId = 3 AND Source = 'hh'"), 1) << logText();
    // The earlier desktop note goes to the handheld as a new record after it.
    hotsync::PalmDatabase stored = storedDatabase("VelvixNotes");
    ASSERT_EQ(stored.records.size(), 2u);
    EXPECT_EQ(stored.records[0].uniqueId, 5u);
    EXPECT_EQ(stored.records[0].bytes.substr(22, 4), std::string("\0\0\0\x29", 4)) << "41, big-endian";
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXNotes WHERE NoteId = 41 AND Source = 'hh' AND PDTRecordId = 5"), 1)
        << logText();
}

TEST_F(HandheldChangesTest, FailedDesktopStatementsAreLoggedAndTheRecordIsLeftAlone)
{
    useTableDescription("T,VelvixPatients,Patient,PatientMissing,VXPatient,N,N,VXTS\n"
                        "F,id,PatientId,K\nF,names,Names,C\nP,VelvixPrefs\n");
    synchronisedPatient(7, kAnn, "#2026-12-01 09:00:00#");
    synchronisedPatient(9, {1003, "CARL"}, "#2026-12-01 09:00:00#");
    Patient annRenamed = kAnn;
    annRenamed.names = "ANN RENAMED";
    storePatients({changedPatient(7, stamp(2026, 12, 7, 10, 0, 0), annRenamed),
                   changedPatient(8, stamp(2026, 12, 7, 10, 0, 0), kBen),
                   deletedPatient(9, stamp(2026, 12, 7, 10, 0, 0), {1003, "CARL"})});
    synchronise();

    EXPECT_TRUE(logged("Failure: INSERT INTO PatientMissing ([VXTS] ,[PatientId] ,[Names] ) VALUES "
                       "(#2026-12-07 10:00:00#,1002,'BEN WU')"))
        << logText();
    EXPECT_TRUE(logged("Insert Failed"));
    EXPECT_TRUE(logged("Failure: UPDATE PatientMissing SET [VXTS] = #2026-12-07 10:00:00#, [Names] = 'ANN RENAMED' "
                       "WHERE [PatientId] =1001"))
        << logText();
    EXPECT_TRUE(logged("Failure: DELETE FROM PatientMissing WHERE Patient.[PatientId] = 1003")) << logText();
    // The update of 7 and the delete of 9 failed.
    const std::string log = logText();
    std::size_t first = log.find("\tUpdate Failed\n");
    ASSERT_NE(first, std::string::npos);
    std::size_t second = log.find("\tUpdate Failed\n", first + 1);
    ASSERT_NE(second, std::string::npos);
    EXPECT_EQ(log.find("\tUpdate Failed\n", second + 1), std::string::npos);

    // Nothing changed: the mirror rows stay and the records stay modified for the next HotSync.
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PDTRecordId = 7"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PDTRecordId = 8"), 0);
    for (const hotsync::PalmRecord& record : storedPatients().records)
        EXPECT_NE(record.flags & SYNC_REC_DIRTY, 0) << record.uniqueId;
}

}  // namespace
