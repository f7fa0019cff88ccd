// Desktop rows that are new, changed or deleted since the handheld last saw them reach the
// handheld; sub-tables follow their parents.
#include "ConduitMessages.h"
#include "SyncTestEnvironment.h"

#include "SyncManager.h"

using demohandheld::Patient;
using demohandheld::stamp;

namespace {

std::vector<std::string> shownMessages;

void recordMessage(const std::string& text, const std::string& caption)
{
    shownMessages.push_back(caption + ": " + text);
}

class DesktopChangesTest : public SyncTest {
protected:
    void SetUp() override
    {
        SyncTest::SetUp();
        registerHandheld();
        shownMessages.clear();
        SetConduitMessageHandler(recordMessage);
    }

    void TearDown() override
    {
        SetConduitMessageHandler(nullptr);
        SyncTest::TearDown();
    }

    void insertDesktopPatient(int id, const std::string& names, const std::string& vxts = "NULL")
    {
        execute("INSERT INTO Patient (PatientId, [Names], DateOfBirth, AccountNumber, InsuranceCode, VXTS) VALUES (" +
                std::to_string(id) + ", '" + names + "', #1950/01/31#, 'AC" + std::to_string(id) + "', 1, " + vxts + ")");
    }

    std::vector<hotsync::PalmRecord> historyRecords() { return storedDatabase(demohandheld::kHistoryDatabase).records; }
};

TEST_F(DesktopChangesTest, NewDesktopRowsGoToTheHandheldOnce)
{
    insertDesktopPatient(25001, "TEST PATIENT", "#2026-12-07 10:15:00#");
    insertDesktopPatient(25002, "NO STAMP");
    synchronise();

    hotsync::PalmRecord stamped = handheldPatient(25001);
    EXPECT_EQ(stamped.bytes.substr(0, 6), stamp(2026, 12, 7, 10, 15, 0));
    EXPECT_EQ(demohandheld::patientField(stamped.bytes, "names"), "'TEST PATIENT'");
    EXPECT_EQ(demohandheld::patientField(stamped.bytes, "birth"), "#1950-1-31#");
    EXPECT_EQ(demohandheld::patientField(stamped.bytes, "account"), "'AC25001'");
    EXPECT_EQ(demohandheld::patientField(stamped.bytes, "insurance"), "1");
    EXPECT_EQ(stamped.flags & SYNC_REC_DIRTY, 0);
    EXPECT_EQ(handheldPatient(25002).bytes.substr(0, 6), std::string(6, '\0'))
        << "a row without a stamp gets six zero bytes";

    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PDTId = 4242 AND PatientId = 25001 AND PDTRecordId = " +
                    std::to_string(stamped.uniqueId) + " AND VXTS = '2026-12-07 10:15:00'"),
              1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PatientId = 25002 AND VXTS IS NULL"), 1) << logText();
    EXPECT_TRUE(logged("Clearing SortInfo"));

    synchronise();
    EXPECT_EQ(storedPatients().records.size(), 2u) << "the mirror rows keep them from being sent again";
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient"), 2);
    EXPECT_TRUE(shownMessages.empty());
}

TEST_F(DesktopChangesTest, ARowWithoutADateIsSentOnceAndComesBackWithoutOne)
{
    execute("INSERT INTO Patient (PatientId, [Names]) VALUES (25003, 'NO BIRTH DATE')");
    synchronise();
    hotsync::PalmRecord record = handheldPatient(25003);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PatientId = 25003 AND DateOfBirth IS NULL"), 1) << logText();
    synchronise();
    EXPECT_EQ(storedPatients().records.size(), 1u);

    hotsync::PalmDatabase patients = storedPatients();
    patients.records[0].flags = SYNC_REC_DIRTY;
    patients.records[0].bytes.replace(8, 19, std::string("RENAMED ON HANDHELD"));
    storeDatabase(patients);
    synchronise();
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 25003"), "RENAMED ON HANDHELD") << logText();
    EXPECT_EQ(text("SELECT DateOfBirth FROM Patient WHERE PatientId = 25003"), "");
    EXPECT_EQ(record.uniqueId, handheldPatient(25003).uniqueId);
}

TEST_F(DesktopChangesTest, OnlyChangedComparedColumnsSendARowAgain)
{
    insertDesktopPatient(25001, "FIRST NAME", "#2026-12-01 10:00:00#");
    insertDesktopPatient(25002, "STAMP ONLY", "#2026-12-01 10:00:00#");
    synchronise();
    std::uint32_t firstId = handheldPatient(25001).uniqueId;

    execute("UPDATE Patient SET [Names] = 'SECOND NAME', VXTS = #2026-12-08 09:00:00# WHERE PatientId = 25001");
    execute("UPDATE Patient SET VXTS = #2026-12-08 09:00:00# WHERE PatientId = 25002");
    synchronise();
    hotsync::PalmRecord changed = handheldPatient(25001);
    EXPECT_EQ(changed.uniqueId, firstId) << "written over the same record";
    EXPECT_EQ(demohandheld::patientField(changed.bytes, "names"), "'SECOND NAME'");
    EXPECT_EQ(changed.bytes.substr(0, 6), stamp(2026, 12, 8, 9, 0, 0));
    EXPECT_EQ(text("SELECT [Names] FROM VXPatient WHERE PatientId = 25001"), "SECOND NAME");
    EXPECT_EQ(handheldPatient(25002).bytes.substr(0, 6), stamp(2026, 12, 1, 10, 0, 0)) << "not sent again";

    // A change to an empty (NULL) value is not seen by the comparison.
    execute("UPDATE Patient SET AccountNumber = NULL WHERE PatientId = 25002");
    synchronise();
    EXPECT_EQ(demohandheld::patientField(handheldPatient(25002).bytes, "account"), "'AC25002'");
    EXPECT_EQ(storedPatients().records.size(), 2u);
}

TEST_F(DesktopChangesTest, RowsTheHandheldCannotHoldWholeAreSentOnce)
{
    insertDesktopPatient(25001, "A NAME LONGER THAN THE FORTY LETTERS OF THE HANDHELD", "#2026-12-01 10:00:00#");
    insertDesktopPatient(25002, "\xC5\x81UKASZ OUTSIDE THE CODE PAGE", "#2026-12-01 10:00:00#");
    execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (25001, 1, 1)");
    execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (25002, 2, 1)");
    synchronise();
    EXPECT_EQ(demohandheld::patientField(handheldPatient(25001).bytes, "names"),
              "'A NAME LONGER THAN THE FORTY LETTERS OF '");
    EXPECT_EQ(demohandheld::patientField(handheldPatient(25002).bytes, "names"), "'?UKASZ OUTSIDE THE CODE PAGE'");
    std::vector<std::uint32_t> historyIds;
    for (const hotsync::PalmRecord& record : historyRecords())
        historyIds.push_back(record.uniqueId);
    ASSERT_EQ(historyIds.size(), 2u);

    const std::size_t logBefore = logText().size();
    synchronise();
    EXPECT_EQ(logText().find("Clearing SortInfo", logBefore), std::string::npos) << logText().substr(logBefore);
    std::vector<std::uint32_t> historyIdsAfter;
    for (const hotsync::PalmRecord& record : historyRecords())
        historyIdsAfter.push_back(record.uniqueId);
    EXPECT_EQ(historyIdsAfter, historyIds) << "their history is not recreated";
}

TEST_F(DesktopChangesTest, DeletedDesktopRowsLeaveTheHandheld)
{
    insertDesktopPatient(25001, "STAYS");
    insertDesktopPatient(25002, "GOES");
    synchronise();
    ASSERT_TRUE(handheldHasPatient(25002));

    execute("DELETE FROM Patient WHERE PatientId = 25002");
    synchronise();
    EXPECT_FALSE(handheldHasPatient(25002));
    EXPECT_TRUE(handheldHasPatient(25001));
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PatientId = 25002"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PatientId = 25001"), 1);
}

TEST_F(DesktopChangesTest, TheExtraConditionLimitsNewAndDeletedRows)
{
    useTableDescription("T,VelvixPatients,Patient,Patient,VXPatient,N,N,VXTS,InFacilityCode <> 0\n"
                        "F,id,PatientId,K\nF,names,Names,C\nF,facility,InFacilityCode,C\nP,VelvixPrefs\n");
    insertDesktopPatient(25001, "ADMITTED");
    insertDesktopPatient(25002, "AT HOME");
    execute("UPDATE Patient SET InFacilityCode = 3 WHERE PatientId = 25001");
    synchronise();
    EXPECT_TRUE(handheldHasPatient(25001));
    EXPECT_FALSE(handheldHasPatient(25002));

    execute("UPDATE Patient SET InFacilityCode = 0 WHERE PatientId = 25001");
    synchronise();
    EXPECT_FALSE(handheldHasPatient(25001)) << "a row that leaves the condition is deleted from the handheld";
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient"), 2);
}

TEST_F(DesktopChangesTest, PurgeModeRebuildsTheHandheldFromTheDesktop)
{
    insertDesktopPatient(25001, "DESKTOP ONE", "#2026-12-01 10:00:00#");
    execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (25001, 4, 1)");
    execute("INSERT INTO VXPatient (PatientId, [Names], PDTId, PDTRecordId) VALUES (25001, 'DESKTOP ONE', 4242, 3)");
    storePatients({changedPatient(3, stamp(2026, 12, 9, 0, 0, 0), {25001, "HANDHELD ONE"}),
                   changedPatient(4, stamp(2026, 12, 9, 0, 0, 0), {1001, "ONLY ON HANDHELD"})});
    hotsync::PalmDatabase history = demohandheld::emptyDatabase(demohandheld::kHistoryDatabase,
                                                                demohandheld::historyLayout());
    history.records.push_back({1, SYNC_REC_DIRTY, 0, demohandheld::historyBytes(1001, 9, 9)});
    storeDatabase(history);
    synchronise(1);

    EXPECT_TRUE(logged("Purging table!!"));
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 25001"), "DESKTOP ONE");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient"), 1) << "nothing comes from the handheld";
    ASSERT_EQ(storedPatients().records.size(), 1u);
    EXPECT_EQ(demohandheld::patientField(storedPatients().records[0].bytes, "names"), "'DESKTOP ONE'");
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PDTRecordId = " +
                    std::to_string(storedPatients().records[0].uniqueId)),
              1);
    ASSERT_EQ(historyRecords().size(), 1u);
    EXPECT_EQ(historyRecords()[0].bytes, demohandheld::historyBytes(25001, 4, 1));
}

TEST_F(DesktopChangesTest, SubTablesFollowTheirParents)
{
    // The handheld brings a new patient with two history items and a changed one with one.
    insertDesktopPatient(1002, "CHANGED", "#2026-12-01 10:00:00#");
    execute("INSERT INTO VXPatient (PatientId, [Names], PDTId, PDTRecordId) VALUES (1002, 'CHANGED', 4242, 8)");
    execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (1002, 1, 1)");
    execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (1002, 2, 1)");
    // And the desktop has a new patient of its own with one item.
    insertDesktopPatient(25001, "FROM DESKTOP");
    execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (25001, 6, 2)");

    storePatients({changedPatient(7, stamp(2026, 12, 7, 10, 0, 0), {1001, "NEW ON HANDHELD"}),
                   changedPatient(8, stamp(2026, 12, 7, 10, 0, 0), {1002, "CHANGED ON HANDHELD"})});
    hotsync::PalmDatabase history = demohandheld::emptyDatabase(demohandheld::kHistoryDatabase,
                                                                demohandheld::historyLayout());
    history.records = {{1, 0, 0, demohandheld::historyBytes(1001, 3, 1)},
                       {2, 0, 0, demohandheld::historyBytes(1001, 4, 2)},
                       {3, 0, 0, demohandheld::historyBytes(1002, 5, 1)},
                       {4, 0, 8, demohandheld::historyBytes(1002, 9, 9)}};
    storeDatabase(history);
    synchronise();

    EXPECT_EQ(desktopHistory(1001), "3;4;") << logText();
    EXPECT_EQ(desktopHistory(1002), "5;") << "the handheld's items replace the desktop's; deleted ones are left out";
    EXPECT_EQ(desktopHistory(25001), "6;");

    // On the handheld: the handheld's own items stay (the deleted one goes), the desktop patient's
    // item arrives as a new record.
    std::vector<std::string> onHandheld;
    for (const hotsync::PalmRecord& record : historyRecords())
        onHandheld.push_back(record.bytes);
    EXPECT_EQ(onHandheld.size(), 4u);
    auto holds = [&onHandheld](const std::string& bytes) {
        return std::find(onHandheld.begin(), onHandheld.end(), bytes) != onHandheld.end();
    };
    EXPECT_TRUE(holds(demohandheld::historyBytes(1001, 3, 1)));
    EXPECT_TRUE(holds(demohandheld::historyBytes(1002, 5, 1)));
    EXPECT_TRUE(holds(demohandheld::historyBytes(25001, 6, 2)));
    EXPECT_FALSE(holds(demohandheld::historyBytes(1002, 9, 9)));
}

TEST_F(DesktopChangesTest, AFailedPassQueryIsShownAndEndsTheTablesPasses)
{
    useTableDescription("T,VelvixPatients,Patient,Patient,VXMissing,N,N,VXTS\n"
                        "F,id,PatientId,K\nF,names,Names,C\nP,VelvixPrefs\n");
    insertDesktopPatient(25001, "NEVER SENT");
    synchronise();

    const std::string sql = "SELECT [VXTS],[PatientId],[Names] FROM Patient WHERE NOT EXISTS ( SELECT * FROM VXMissing "
                            "WHERE [PatientId]=Patient.[PatientId] AND PDTId = 4242)";
    EXPECT_TRUE(logged("SolicitaFilasCambiadasEnPC Failure: " + sql)) << logText();
    EXPECT_TRUE(logged("Error asking for PC changes"));
    ASSERT_EQ(shownMessages.size(), 1u) << "one box; the later passes do not run";
    EXPECT_EQ(shownMessages[0], "Error en SolicitaCambios: " + sql);
    EXPECT_TRUE(storedPatients().records.empty());
}

TEST_F(DesktopChangesTest, RowLevelFailuresAreLoggedAndTheNextRowIsTaken)
{
    // A handheld that has given out its last record id takes no new record; its records still change.
    hotsync::PalmDatabase patients = demohandheld::emptyDatabase(demohandheld::kPatientsDatabase,
                                                                 demohandheld::patientLayout());
    patients.uniqueIdSeed = hotsync::kPalmLargestUniqueId;
    patients.records.push_back({7, 0, 0, demohandheld::patientBytes(stamp(2026, 1, 1, 0, 0, 0), Patient{25001, "BEFORE"})});
    storeDatabase(patients);
    insertDesktopPatient(25001, "CHANGED");
    execute("INSERT INTO VXPatient (PatientId, [Names], PDTId, PDTRecordId) VALUES (25001, 'BEFORE', 4242, 7)");
    insertDesktopPatient(25002, "NEW");
    insertDesktopPatient(25003, "NEW TOO");
    synchronise();

    EXPECT_TRUE(logged("Error writing data to palm in :0 , err=" + std::to_string(SYNC_ERR_DATABASE_FULL))) << logText();
    EXPECT_TRUE(logged("Update from PC Failed"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PatientId IN (25002, 25003)"), 0) << "a failed row gets no mirror";
    EXPECT_EQ(demohandheld::patientField(handheldPatient(25001).bytes, "names"), "'CHANGED'")
        << "the rows after a failed one are taken";
    EXPECT_EQ(text("SELECT [Names] FROM VXPatient WHERE PDTRecordId = 7"), "CHANGED");
}

TEST_F(DesktopChangesTest, ColumnsAreReadByTheirExactNames)
{
    useTableDescription("T,VelvixPatients,Patient,Patient,VXPatient,N,N,vxts\n"
                        "F,id,PatientId,K\nF,names,Names,C\nP,VelvixPrefs\n");
    insertDesktopPatient(25001, "STAMP IN OTHER CASE");
    synchronise();
    EXPECT_TRUE(logged("Fail to retrieve TS data from Patient")) << logText();

    useTableDescription("T,VelvixPatients,Patient,Patient,VXPatient,N,N,VXTS\n"
                        "F,id,PatientId,K\nF,names,names,C\nP,VelvixPrefs\n");
    storePatients({changedPatient(3, stamp(2026, 12, 7, 10, 0, 0), {25001, "FROM HANDHELD"})});
    synchronise();
    EXPECT_TRUE(logged("Unable to extract column : names")) << logText();
    EXPECT_TRUE(logged("Fail to retrieve names from row"));
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 25001"), "STAMP IN OTHER CASE");
    EXPECT_EQ(storedPatients().records.size(), 1u);
}

TEST_F(DesktopChangesTest, AMirrorThatRefusesTheRowIsLogged)
{
    execute("CREATE TABLE VXShort (PatientId SMALLINT, [Names] TEXT, PDTId INTEGER, PDTRecordId INTEGER)");
    useTableDescription("T,VelvixPatients,Patient,Patient,VXShort,N,N,VXTS\n"
                        "F,id,PatientId,K\nF,names,Names,C\nF,account,AccountNumber,C\nP,VelvixPrefs\n");
    insertDesktopPatient(25001, "NO MIRROR");
    synchronise();
    EXPECT_TRUE(logged("InsertVX Failed")) << logText();
    EXPECT_TRUE(handheldHasPatient(25001));

    useTableDescription("T,VelvixPatients,Patient,Patient,VXGone,N,N,VXTS\n"
                        "F,id,PatientId,K\nF,names,Names,C\nP,VelvixPrefs\n");
    storePatients({changedPatient(3, stamp(2026, 12, 7, 10, 0, 0), {1001, "FROM HANDHELD"})});
    synchronise();
    EXPECT_TRUE(logged("Failure: DELETE FROM VXGone WHERE PDTId = 4242 AND PDTRecordId = 3")) << logText();
    EXPECT_TRUE(logged("Delete Failed"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId = 1001"), 1);
}

TEST_F(DesktopChangesTest, PassStatementsAreWrittenAsTheDesktopReadsThem)
{
    useTableDescription("T,VelvixPatients,Patient,Patient,VXPatient,N,N,VXTS,InFacilityCode <> 0\n"
                        "F,id,PatientId,K\nF,names,Names,C\nF,account,AccountNumber,N\nP,VelvixPrefs\n");
    synchronise();
    useTableDescription("T,VelvixPatients,Patient,Patient,VXNone,N,N,VXTS,InFacilityCode <> 0\n"
                        "F,id,PatientId,K\nF,names,Names,C\nF,account,AccountNumber,N\nP,VelvixPrefs\n");
    execute("CREATE TABLE VXNone (PatientId SMALLINT, PDTId INTEGER, PDTRecordId INTEGER)");
    synchronise();
    EXPECT_TRUE(logged("SolicitaFilasCambiadasEnPC Failure: SELECT Patient.[VXTS],Patient.[PatientId],Patient.[Names],"
                       "Patient.[AccountNumber],PDTRecordId FROM VXNone INNER JOIN Patient ON "
                       "VXNone.[PatientId]=Patient.[PatientId] AND VXNone.[AccountNumber]=Patient.[AccountNumber] "
                       "WHERE PDTId = 4242 AND (StrComp(VXNone.[Names], Patient.[Names], 0)<>0)"))
        << logText();
}

}  // namespace
