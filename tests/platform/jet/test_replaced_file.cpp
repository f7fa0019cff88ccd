// The database file replaced (a backup restored with cp and mv) or removed while a program
// has it open: that program's writes are refused, and the file at the path stays sound.
#include "JetTestDatabase.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace {

class ReplacedFile : public JetDatabaseTest {
protected:
    void SetUp() override
    {
        JetDatabaseTest::SetUp();
        desktop = openConnection();
        ASSERT_TRUE(desktop);
        write("INSERT INTO Notes (Body) VALUES ('in the backup')");
        // Commits are folded into the file, so a copy of the file alone is a backup.
        fs::copy_file(databasePath, backup);
        write("INSERT INTO Notes (Body) VALUES ('after the backup')");
        // A second name keeps the file that goes, to look at afterwards.
        fs::create_hard_link(databasePath, lost);
    }

    void write(const std::string& sql)
    {
        long affected = 0;
        std::string error;
        ASSERT_TRUE(desktop->execute(sql, affected, error)) << error;
    }

    void restoreBackup()
    {
        fs::copy_file(backup, folder.file("restoring.mdb"));
        fs::rename(folder.file("restoring.mdb"), databasePath);
    }

    void expectWritesRefused()
    {
        long affected = 0;
        std::string error;
        EXPECT_FALSE(desktop->execute("INSERT INTO Notes (Body) VALUES ('lost')", affected, error));
        EXPECT_EQ(error, jet::kDatabaseFileReplaced);
        error.clear();
        EXPECT_FALSE(desktop->beginTrans(error));
        EXPECT_EQ(error, jet::kDatabaseFileReplaced);
        EXPECT_EQ(desktop->transactionLevel(), 0);
    }

    // Another program's reading of the file at the path: its notes after every page was read
    // back sound, or -1.
    OtherProgram reader()
    {
        return OtherProgram(settings, [](jet::Connection& connection) {
            jet::Rows check, count;
            std::string error;
            if (!connection.query("PRAGMA quick_check", check, error) || check.rows.size() != 1 ||
                check.rows[0][0] != jet::Value(std::string("ok")) ||
                !connection.query("SELECT COUNT(*) FROM Notes", count, error))
                return 254;
            return int(std::get<std::int64_t>(count.rows[0][0]));
        });
    }

    std::unique_ptr<jet::Connection> desktop;
    std::string backup = folder.file("backup.mdb");
    std::string lost = folder.file("lost.mdb");
};

}  // namespace

TEST_F(ReplacedFile, ByABackupWritesAreRefusedAndOtherProgramsReadTheBackup)
{
    restoreBackup();
    const std::string lostBytes = testsupport::readFile(lost);
    OtherProgram hotSync = reader();
    expectWritesRefused();
    desktop.reset();
    EXPECT_EQ(hotSync.finish(), 1);
    EXPECT_EQ(reader().finish(), 1);
    EXPECT_TRUE(testsupport::readFile(lost) == lostBytes) << "the lost file was written to";
}

TEST_F(ReplacedFile, ByABackupWithNoOtherProgramTheNextOneReadsTheBackup)
{
    restoreBackup();
    expectWritesRefused();
    desktop.reset();
    EXPECT_EQ(reader().finish(), 1);
}

TEST_F(ReplacedFile, RemovedWritesAreRefusedAndABackupRestoredLaterOpensSound)
{
    fs::remove(databasePath);
    const std::string lostBytes = testsupport::readFile(lost);
    expectWritesRefused();
    EXPECT_FALSE(fs::exists(databasePath));

    desktop.reset();
    restoreBackup();
    EXPECT_EQ(reader().finish(), 1);
    EXPECT_TRUE(testsupport::readFile(lost) == lostBytes) << "the lost file was written to";
}
