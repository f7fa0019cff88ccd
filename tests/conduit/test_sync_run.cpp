// The run's order: HotSync user, table-description file, preference database, connection; each
// failure ends the run after one log line.
#include "SyncTestEnvironment.h"

#include "ConduitMessages.h"
#include "SyncManager.h"
#include "SyncTables.h"
#include "UserData.h"

#include <cstdio>

namespace {

std::vector<std::string> shownMessages;

void recordMessage(const std::string& text, const std::string& caption)
{
    shownMessages.push_back(caption + ": " + text);
}

class SyncRunTest : public SyncTest {
protected:
    void SetUp() override
    {
        SyncTest::SetUp();
        registerHandheld();
        execute("INSERT INTO Patient (PatientId, [Names]) VALUES (25001, 'ON DESKTOP')");
    }

    void synchroniseWithDefaults(const std::string& databasePath, const std::string& workgroupPath,
                                 int expectedResult = 0)
    {
        EXPECT_EQ(SyncTables(0, kConduitName, tableDescriptionPath, databasePath, workgroupPath), expectedResult);
    }
};

TEST_F(SyncRunTest, TheTableDescriptionAndPreferenceDatabaseMustBeReadable)
{
    tableDescriptionPath = temp.file("missing.vlx");
    synchroniseUntilTheRunEnds();
    EXPECT_TRUE(logged("Error reading file " + tableDescriptionPath)) << logText();

    useTableDescription("T,VelvixPatients,Patient,Patient,VXPatient\nF,id,PatientId,K\n");
    synchroniseUntilTheRunEnds();
    EXPECT_TRUE(logged("Error opereading file " + tableDescriptionPath));

    useTableDescription("T,VelvixPatients,Patient,Patient,VXPatient\nF,id,PatientId,K\nP,NoSuchPrefs\n");
    synchroniseUntilTheRunEnds();
    EXPECT_TRUE(logged("Unable to open preference file NoSuchPrefs"));
    EXPECT_TRUE(storedPatients().records.empty());
}

TEST_F(SyncRunTest, ATableWithoutAKeyFieldIsRefusedWhenTheFileIsRead)
{
    useTableDescription("T,VelvixPatients,Patient,Patient,VXPatient,N,N,VXTS\nF,names,Names,C\nP,VelvixPrefs\n");
    shownMessages.clear();
    SetConduitMessageHandler(recordMessage);
    synchroniseUntilTheRunEnds();
    SetConduitMessageHandler(nullptr);

    EXPECT_TRUE(logged("Table VelvixPatients has no key field (K or A) and cannot be synchronised")) << logText();
    EXPECT_TRUE(logged("Error reading file " + tableDescriptionPath));
    EXPECT_TRUE(shownMessages.empty()) << shownMessages.front();
    EXPECT_TRUE(storedPatients().records.empty());
}

TEST_F(SyncRunTest, WithoutTheUsersDatabaseTheDefaultsServeOrTheRunEnds)
{
    ASSERT_EQ(UserDataSetString(kUserId, kConduitName, "DBQ", ""), 0);
    synchroniseWithDefaults("", "", 1);
    EXPECT_TRUE(logged("No DBQ for the User 4242"));
    EXPECT_TRUE(logged("No default values"));
    EXPECT_TRUE(storedPatients().records.empty());

    synchroniseWithDefaults(databasePath, databasePath.substr(0, databasePath.size() - 1) + "w");
    EXPECT_TRUE(logged("Assuming default values"));
    EXPECT_TRUE(handheldHasPatient(25001)) << logText();
}

TEST_F(SyncRunTest, AConnectionThatFailsIsLoggedWithItsString)
{
    ASSERT_EQ(UserDataSetString(kUserId, kConduitName, "SystemDB", temp.file("none.mdw").c_str()), 0);
    synchroniseUntilTheRunEnds();
    EXPECT_TRUE(logged("Connection could not be stablished with Velvix with connection string "
                       "DRIVER=Microsoft Access Driver (*.mdb);DBQ=" +
                       databasePath + ";SystemDB=" + temp.file("none.mdw") + ";"))
        << logText();
    EXPECT_TRUE(storedPatients().records.empty());
}

TEST_F(SyncRunTest, AMissingHandheldDatabaseSkipsOnlyItsTable)
{
    useTableDescription("T,VelvixMissing,Patient,Patient,VXPatient,N,N,VXTS\nF,id,PatientId,K\n"
                        "T,VelvixPatients,Patient,Patient,VXPatient,N,N,VXTS\nF,id,PatientId,K\nF,names,Names,C\n"
                        "P,VelvixPrefs\n");
    synchroniseUntilTheRunEnds();
    EXPECT_TRUE(logged("Fail to open Palm DB VelvixMissing")) << logText();
    EXPECT_TRUE(handheldHasPatient(25001));
}

TEST_F(SyncRunTest, ASubTableWithoutTheParentsKeyStopsItsTableBeforeAnythingIsWritten)
{
    useTableDescription("T,VelvixPatients,Patient,Patient,VXPatient,N,N,VXTS\nF,id,PatientId,K\nF,names,Names,C\n"
                        "S,VelvixHistory,PatientHistory,PatientHistory\nB,sickness,SicknessCode,K\n"
                        "S,VelvixNone,PatientHistory,PatientHistory\nB,id,PatientId,K\n"
                        "P,VelvixPrefs\n");
    execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (25001, 1, 1)");
    synchroniseUntilTheRunEnds();
    EXPECT_TRUE(logged("Didn't find related key id")) << logText();
    EXPECT_FALSE(handheldHasPatient(25001));
    EXPECT_TRUE(storedDatabase(demohandheld::kHistoryDatabase).records.empty());
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient"), 0);

    useTableDescription("T,VelvixPatients,Patient,Patient,VXPatient,N,N,VXTS\nF,id,PatientId,K\nF,names,Names,C\n"
                        "S,VelvixNone,PatientHistory,PatientHistory\nB,id,PatientId,K\n"
                        "P,VelvixPrefs\n");
    synchroniseUntilTheRunEnds();
    EXPECT_TRUE(logged("Fail to open Palm DB VelvixNone")) << logText();
    EXPECT_FALSE(handheldHasPatient(25001));
}

}  // namespace
