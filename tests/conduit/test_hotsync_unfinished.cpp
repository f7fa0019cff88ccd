// A HotSync that did not exchange or store a table says so: hotsync exits with 1, the reason is on
// the standard error and in the log, and neither side keeps any part of that table's exchange.
#include "HotSyncProgram.h"
#include "PrivateDisk.h"

#include <sys/mount.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

using demohandheld::stamp;

namespace {

constexpr const char* kFillerName = "filler";

class UnfinishedHotSyncTest : public HotSyncProgramTest {
protected:
    void SetUp() override
    {
        HotSyncProgramTest::SetUp();
        registerConduit(VANTORA_BIN_DIR "/Velvix.dll");
        registerHandheld();
    }

    // A change on each side, so that the HotSync writes to both.
    void changeBothSides()
    {
        execute("INSERT INTO Patient (PatientId, [Names], VXTS) VALUES (25001, 'ON DESKTOP', #2026-12-01 08:00:00#)");
        execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) VALUES (25001, 1, 1)");
        storePatients({changedPatient(3, stamp(2026, 12, 7, 10, 0, 0), {1001, "ON HANDHELD"})});
    }

    // Each handheld file by name, with a digest of its bytes.
    std::map<std::string, std::size_t> handheldFiles() const
    {
        std::map<std::string, std::size_t> files;
        for (const auto& entry : std::filesystem::directory_iterator(handheldFolder))
            if (entry.path().filename() != kFillerName)
                files[entry.path().filename().string()] =
                    std::hash<std::string>{}(testsupport::readFile(entry.path().string()));
        return files;
    }

    void expectToldOnTheTerminalAndInTheLog(const ProgramRun& run, const std::vector<std::string>& reasons)
    {
        EXPECT_EQ(run.exitCode, 1) << run.output;
        for (const std::string& reason : reasons) {
            EXPECT_NE(run.output.find(reason), std::string::npos) << reason << " not in:\n" << run.output;
            EXPECT_NE(logText().find(reason), std::string::npos) << reason << " not in:\n" << logText();
        }
    }

    void expectNothingWritten(const std::map<std::string, std::size_t>& handheldBefore)
    {
        EXPECT_EQ(handheldFiles(), handheldBefore);
        EXPECT_EQ(count("SELECT COUNT(*) FROM VXPatient"), 0);
        EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId = 1001"), 0);
    }
};

// The handheld folder on a small file system of its own (a tmpfs in a mount namespace of this
// test program) where the machine allows mounting; elsewhere, as in a container that refuses it,
// hotsync runs with a preloaded library that refuses to create files in the folder with the same
// error.
class HandheldThatCannotStoreTest : public UnfinishedHotSyncTest, public ::testing::WithParamInterface<int> {
protected:
    void TearDown() override
    {
        if (mounted_)
            ::umount2(handheldFolder.c_str(), MNT_DETACH);
        UnfinishedHotSyncTest::TearDown();
    }

    // Runs hotsync with a handheld folder whose file system answers error to every new file
    // (ENOSPC: full; EROFS: read-only).
    ProgramRun runHotSyncUnableToStore(int error)
    {
        if (moveHandheldFolderToItsOwnFileSystem()) {
            if (error == ENOSPC)
                EXPECT_EQ(testsupport::fillDisk(handheldFolder, kFillerName), ENOSPC);
            else
                EXPECT_EQ(::mount(nullptr, handheldFolder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
            return runHotSync({"VLVX", handheldFolder});
        }
        return runHotSync({"VLVX", handheldFolder}, {{"LD_PRELOAD", REFUSED_FILE_CREATION_LIBRARY},
                                                     {"VANTORA_TEST_REFUSING_FOLDER", handheldFolder},
                                                     {"VANTORA_TEST_REFUSING_ERRNO", std::to_string(error)}});
    }

private:
    bool moveHandheldFolderToItsOwnFileSystem()
    {
        const std::filesystem::path mountPoint = temp.file("Mounted");
        std::filesystem::create_directories(mountPoint);
        if (!testsupport::mountPrivateDisk(mountPoint.string(), "1m"))
            return false;
        for (const auto& entry : std::filesystem::directory_iterator(handheldFolder))
            std::filesystem::copy_file(entry.path(), mountPoint / entry.path().filename());
        handheldFolder = mountPoint;
        mounted_ = true;
        return true;
    }

    bool mounted_ = false;
};

TEST_P(HandheldThatCannotStoreTest, IsToldAndKeepsNothingOfTheExchange)
{
    changeBothSides();
    const std::map<std::string, std::size_t> before = handheldFiles();
    const ProgramRun run = runHotSyncUnableToStore(GetParam());
    expectToldOnTheTerminalAndInTheLog(run, {std::strerror(GetParam()), "VelvixPatients were not stored"});
    expectNothingWritten(before);
}

INSTANTIATE_TEST_SUITE_P(HandheldFolder, HandheldThatCannotStoreTest, ::testing::Values(ENOSPC, EROFS),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return info.param == ENOSPC ? "OnAFullDisk" : "ReadOnly";
                         });

class DamagedHandheldFileTest : public UnfinishedHotSyncTest {
protected:
    // Overwrites bytes of the stored patients file at offset.
    void damagePatientsFile(std::size_t offset, const std::string& bytes)
    {
        const std::string path = handheldFolder + "/" + demohandheld::kPatientsDatabase + ".pdb";
        std::string file = testsupport::readFile(path);
        file.replace(offset, bytes.size(), bytes);
        testsupport::writeFile(path, file);
    }
};

TEST_F(DamagedHandheldFileTest, ARecordCountPastTheFileIsTold)
{
    changeBothSides();
    damagePatientsFile(76, std::string("\x7F\xFF", 2));
    const std::map<std::string, std::size_t> before = handheldFiles();
    const ProgramRun run = runHotSync({"VLVX", handheldFolder});
    expectToldOnTheTerminalAndInTheLog(run, {"record list runs past the end of the file",
                                             "Fail to open Palm DB VelvixPatients"});
    expectNothingWritten(before);
}

TEST_F(DamagedHandheldFileTest, ARecordOffsetPastTheFileIsTold)
{
    changeBothSides();
    damagePatientsFile(78, std::string("\x00\xFF\xFF\xFF", 4));
    const std::map<std::string, std::size_t> before = handheldFiles();
    const ProgramRun run = runHotSync({"VLVX", handheldFolder});
    expectToldOnTheTerminalAndInTheLog(run, {"out of order or past the end", "Fail to open Palm DB VelvixPatients"});
    expectNothingWritten(before);
}

// 1,024 patients (2001 on) with 64 history items each: one more history record than a handheld database
// can hold.
TEST_F(UnfinishedHotSyncTest, ATableThatCannotFitTheHandheldIsNotExchanged)
{
    execute("INSERT INTO Patient (PatientId, [Names], VXTS) WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 "
            "FROM n WHERE i < 1023) SELECT 2001 + i, 'PATIENT', #2026-12-01 08:00:00# FROM n");
    execute("INSERT INTO PatientHistory (PatientId, SicknessCode, SicknessTypeCode) WITH RECURSIVE n(i) AS "
            "(SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 65535) SELECT 2001 + i / 64, 1 + i % 64, 1 FROM n");
    const std::map<std::string, std::size_t> before = handheldFiles();
    ProgramRun run = runHotSync({"VLVX", handheldFolder});
    expectToldOnTheTerminalAndInTheLog(run, {"VelvixHistory would hold up to 65536 records; a handheld database holds at "
                                             "most 65535. VelvixPatients was not exchanged."});
    expectNothingWritten(before);

    run = runHotSync({"VLVX", handheldFolder});
    EXPECT_EQ(run.exitCode, 1) << "refused again, not taken as done";
}

}  // namespace
