// vantora-setup: creates the database, optionally the demo, and records its path.
#include "PracticeDatabaseTest.h"

#include "Registry.h"

#include <sys/stat.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

struct Outcome {
    int exitCode = -1;
    std::string output;
};

std::string shellQuoted(const std::string& text)
{
    std::string result = "'";
    for (const char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

class SetupToolTest : public ::testing::Test {
protected:
    // Runs the tool with the arguments (already quoted), from the working folder when given.
    Outcome run(const std::string& arguments, const std::string& workingFolder = "")
    {
        const std::string command = (workingFolder.empty() ? "" : "cd " + shellQuoted(workingFolder) + " && ") +
                                    "VANTORA_REGISTRY=" + shellQuoted(hive) + " " +
                                    shellQuoted(VANTORA_SETUP_PROGRAM) + " " +
                                    arguments + " 2>&1";
        Outcome outcome;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) {
            ADD_FAILURE() << "cannot start " << command;
            return outcome;
        }
        std::array<char, 512> buffer{};
        while (const std::size_t read = std::fread(buffer.data(), 1, buffer.size(), pipe))
            outcome.output.append(buffer.data(), read);
        const int status = pclose(pipe);
        outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return outcome;
    }

    // The database path recorded for the desktop program, or "" when none is.
    std::string recordedDatabase()
    {
        setenv("VANTORA_REGISTRY", hive.c_str(), 1);
        registry::Key key;
        if (registry::openKey("SOFTWARE\\Kelmion\\Vantora PC", key) != registry::kSuccess)
            return "";
        std::uint32_t size = 0;
        if (registry::queryValue(key, "Database", nullptr, nullptr, &size) != registry::kSuccess)
            return "";
        std::vector<std::uint8_t> data(size);
        registry::queryValue(key, "Database", nullptr, data.data(), &size);
        return std::string(data.begin(), data.end()).c_str();
    }

    testsupport::TempDir folder;
    std::string hive = folder.file("registry.reg");
};

TEST_F(SetupToolTest, CreatesTheDemoPracticeAndRecordsItsPath)
{
    const std::string path = folder.file("practice.mdb");
    const Outcome outcome = run(shellQuoted(path) + " --demo");
    ASSERT_EQ(outcome.exitCode, 0) << outcome.output;
    EXPECT_EQ(recordedDatabase(), path);

    std::string error;
    const auto connection = openPracticeDatabase(path, error);
    ASSERT_TRUE(connection) << error;
    jet::Rows rows;
    ASSERT_TRUE(connection->query("SELECT COUNT(*) FROM PatientCharges", rows, error)) << error;
    EXPECT_GT(std::get<std::int64_t>(rows.rows.at(0).at(0)), 0);
}

TEST_F(SetupToolTest, RecordsAFullPathForAnEmptyDatabase)
{
    const Outcome outcome = run("empty.mdb", folder.path().string());
    ASSERT_EQ(outcome.exitCode, 0) << outcome.output;
    EXPECT_EQ(recordedDatabase(), folder.file("empty.mdb"));
    std::string error;
    const auto connection = openPracticeDatabase(folder.file("empty.mdb"), error);
    ASSERT_TRUE(connection) << error;
    jet::Rows rows;
    ASSERT_TRUE(connection->query("SELECT COUNT(*) FROM Patient", rows, error)) << error;
    EXPECT_EQ(rows.rows.at(0).at(0), jet::Value(std::int64_t(0)));
}

TEST_F(SetupToolTest, RefusesAnExistingDatabaseAndRecordsNothing)
{
    const std::string path = folder.file("practice.mdb");
    testsupport::writeFile(path, "precious");
    const Outcome outcome = run(shellQuoted(path));
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.output.find("already exists"), std::string::npos) << outcome.output;
    EXPECT_EQ(testsupport::readFile(path), "precious");
    EXPECT_EQ(recordedDatabase(), "");
}

TEST_F(SetupToolTest, FailsClearlyWhereNoDatabaseCanBeMade)
{
    const Outcome outcome = run(shellQuoted(folder.file("missing/practice.mdb")) + " --demo");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.output.find("cannot be created"), std::string::npos) << outcome.output;
    EXPECT_EQ(recordedDatabase(), "");
}

TEST_F(SetupToolTest, TakesBackTheDatabaseWhenItsPathCannotBeRecorded)
{
    // A file that is not a registry hive is never overwritten.
    testsupport::writeFile(hive, "not a hive");
    const Outcome outcome = run(shellQuoted(folder.file("practice.mdb")) + " --demo");
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.output.find("registry"), std::string::npos) << outcome.output;
    EXPECT_FALSE(std::filesystem::exists(folder.file("practice.mdb")));
    EXPECT_FALSE(std::filesystem::exists(folder.file("practice.mdw")));
    EXPECT_EQ(testsupport::readFile(hive), "not a hive");
}

TEST_F(SetupToolTest, ChecksEveryPageOfADatabaseOnDemand)
{
    const std::string path = folder.file("practice.mdb");
    ASSERT_EQ(run(shellQuoted(path) + " --demo").exitCode, 0);
    const std::string recorded = testsupport::readFile(hive);
    Outcome outcome = run("--check " + shellQuoted(path));
    EXPECT_EQ(outcome.exitCode, 0) << outcome.output;
    EXPECT_NE(outcome.output.find("is sound"), std::string::npos) << outcome.output;

    // Pages of charges scribbled over: a plain open does not read them, the check does.
    std::string bytes = testsupport::readFile(path);
    ASSERT_GT(bytes.size(), 200000u);
    for (std::size_t i = bytes.size() * 3 / 4; i < bytes.size() * 3 / 4 + 20000; ++i)
        bytes[i] = char(i * 7);
    testsupport::writeFile(path, bytes);
    std::string error;
    EXPECT_TRUE(openPracticeDatabase(path, error)) << error;
    outcome = run("--check " + shellQuoted(path));
    EXPECT_EQ(outcome.exitCode, 1);
    EXPECT_NE(outcome.output.find("is damaged"), std::string::npos) << outcome.output;
    EXPECT_EQ(testsupport::readFile(hive), recorded);
}

TEST_F(SetupToolTest, ShowsUsageForBadArguments)
{
    for (const std::string& arguments : {std::string(""), std::string("--demo"), std::string("a.mdb --bogus"),
                                        std::string("a.mdb b.mdb"), std::string("a.mdb --demo --demo"),
                                        std::string("--check"), std::string("--check a.mdb --demo")}) {
        const Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.exitCode, 2) << arguments;
        EXPECT_NE(outcome.output.find("Usage: vantora-setup <database path> [--demo]"), std::string::npos)
            << arguments;
    }
    EXPECT_EQ(recordedDatabase(), "");
}

TEST_F(SetupToolTest, KeepsThePatientsDataToItsOwner)
{
    const mode_t usual = ::umask(022);
    const std::string path = folder.file("practice.mdb");
    const Outcome outcome = run(shellQuoted(path) + " --demo");
    ::umask(usual);
    ASSERT_EQ(outcome.exitCode, 0) << outcome.output;
    std::string error;
    const auto connection = openPracticeDatabase(path, error);
    ASSERT_TRUE(connection) << error;
    for (const std::string file : {path, folder.file("practice.mdw"), path + "-wal", path + "-shm"}) {
        struct stat status {};
        ASSERT_EQ(::stat(file.c_str(), &status), 0) << file;
        EXPECT_EQ(status.st_mode & 0777, 0600u) << file;
    }
}

TEST_F(SetupToolTest, RefusesAPathThatAConnectionStringCannotCarry)
{
    for (const std::string name : {"a;b.mdb", "practice.mdb "}) {
        const Outcome outcome = run(shellQuoted(folder.file(name)));
        EXPECT_EQ(outcome.exitCode, 1) << name;
        EXPECT_NE(outcome.output.find("connection string cannot carry"), std::string::npos) << outcome.output;
        EXPECT_FALSE(std::filesystem::exists(folder.file(name))) << name;
    }
    EXPECT_EQ(recordedDatabase(), "");
}

}  // namespace
