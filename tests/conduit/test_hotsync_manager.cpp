// The HotSync manager program: finds the registered conduit, loads it and runs one HotSync of a
// handheld folder, from a terminal.
#include "HotSyncProgram.h"

#include "UserData.h"

#include <cstdlib>

using demohandheld::stamp;

namespace {

class HotSyncManagerTest : public HotSyncProgramTest {
protected:
    void SetUp() override
    {
        HotSyncProgramTest::SetUp();
        registerHandheld();
        execute("INSERT INTO Patient (PatientId, [Names]) VALUES (25001, 'ON DESKTOP')");
        storePatients({changedPatient(3, stamp(2026, 12, 7, 10, 0, 0), {1001, "ON HANDHELD"})});
    }
};

TEST_F(HotSyncManagerTest, OneHotSyncOfAHandheldFolderThroughTheRegisteredConduit)
{
    registerConduit(VANTORA_BIN_DIR "/Velvix.dll");
    ProgramRun run = runHotSync({"VLVX", handheldFolder});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(logged("Synching Velvix! Velvix  with User: Dr Alma Id: 4242")) << logText();
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId = 1001"), 1);
    EXPECT_TRUE(handheldHasPatient(25001));
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient WHERE PDTId = 4242"), 2);
}

TEST_F(HotSyncManagerTest, ARelativeLibraryNameLiesInTheHotSyncDirectory)
{
    std::filesystem::create_directories(temp.file("HotSync"));
    std::filesystem::copy_file(VANTORA_BIN_DIR "/Velvix.dll", temp.file("HotSync/Velvix.dll"));
    registerConduit("Velvix.dll");
    ProgramRun run = runHotSync({"VLVX", handheldFolder});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId = 1001"), 1) << logText();
}

TEST_F(HotSyncManagerTest, TheActionKeptForTheUserDecidesTheHotSync)
{
    registerConduit(VANTORA_BIN_DIR "/Velvix.dll");
    ASSERT_EQ(UserDataSetString(kUserId, "HotSync Manager", "VLVX.Action", "6"), 0);
    ASSERT_EQ(UserDataSetString(kUserId, "HotSync Manager", "VLVX.NextAction", "3"), 0);
    EXPECT_EQ(runHotSync({"VLVX", handheldFolder}).exitCode, 0);
    EXPECT_TRUE(logged("Purging table!!")) << "the choice for the next HotSync comes first";
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId = 1001"), 0);

    EXPECT_EQ(runHotSync({"VLVX", handheldFolder}).exitCode, 0);
    EXPECT_TRUE(logged("Velvix! - Velvix - sync configured to Do Nothing")) << logText();
}

TEST_F(HotSyncManagerTest, AFailedHotSyncIsToldOnTheTerminal)
{
    registerConduit(VANTORA_BIN_DIR "/Velvix.dll");
    const std::string missing = temp.file("missing.mdb");
    ASSERT_EQ(UserDataSetString(kUserId, kConduitName, "DBQ", missing.c_str()), 0);
    ProgramRun run = runHotSync({"VLVX", handheldFolder});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("Connection could not be stablished with Velvix with connection string "
                              "DRIVER=Microsoft Access Driver (*.mdb);DBQ=" + missing),
              std::string::npos)
        << run.output;
}

TEST_F(HotSyncManagerTest, RefusalsAreToldOnTheTerminal)
{
    ProgramRun run = runHotSync({});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("usage: hotsync [--configure] <creator id> <handheld folder>"), std::string::npos);

    run = runHotSync({"VLVX", handheldFolder});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("No conduit is registered for the creator id VLVX"), std::string::npos) << run.output;

    run = runHotSync({"TOOLONG", handheldFolder});
    EXPECT_NE(run.output.find("A creator id is four characters: TOOLONG"), std::string::npos) << run.output;

    registerConduit(temp.file("missing.dll"));
    run = runHotSync({"VLVX", handheldFolder});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("The conduit library cannot be loaded"), std::string::npos) << run.output;

    registerConduit(VANTORA_BIN_DIR "/Velvix.dll");
    run = runHotSync({"VLVX", temp.file("no handheld here")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("the conduit for VLVX ended with result"), std::string::npos) << run.output;
}

}  // namespace
