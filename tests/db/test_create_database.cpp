// Creating a practice database: a database and workgroup file the desktop program can
// open, never over existing files, and nothing left behind when it fails.
#include "PracticeDatabaseTest.h"

#include "PracticeDatabase.h"
#include "Workgroup.h"

#include <algorithm>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

std::vector<std::string> filesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (!entry.is_directory())
            names.push_back(entry.path().lexically_relative(folder).string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(CreatePracticeDatabase, MakesADatabaseAndWorkgroupTheDesktopProgramOpens)
{
    testsupport::TempDir folder;
    const std::string path = folder.file("practice.mdb");
    std::string error;
    ASSERT_TRUE(practicedb::createPracticeDatabase(path, error)) << error;
    // The write-ahead log is folded back in: two files only.
    EXPECT_EQ(filesIn(folder.path()), (std::vector<std::string>{"practice.mdb", "practice.mdw"}));

    EXPECT_TRUE(jet::checkWorkgroupAccount(folder.file("practice.mdw"), practicedb::kAccountUser,
                                           practicedb::kAccountPassword, error))
        << error;
    EXPECT_FALSE(jet::checkWorkgroupAccount(folder.file("practice.mdw"), practicedb::kAccountUser, "wrong", error));
    // Write-ahead logging is recorded in the file's header (read and write versions 2).
    const std::string header = testsupport::readFile(path).substr(0, 20);
    ASSERT_EQ(header.size(), 20u);
    EXPECT_EQ(header.substr(0, 16), std::string("SQLite format 3\0", 16));
    EXPECT_EQ(header[18], 2);
    EXPECT_EQ(header[19], 2);
    EXPECT_TRUE(openPracticeDatabase(path, error)) << error;
}

TEST(CreatePracticeDatabase, RefusesExistingFilesAndLeavesThemAlone)
{
    for (const char* existing : {"practice.mdb", "practice.mdw", "practice.mdb-wal", "practice.mdb-journal"}) {
        SCOPED_TRACE(existing);
        testsupport::TempDir folder;
        testsupport::writeFile(folder.file(existing), "precious");
        std::string error;
        EXPECT_FALSE(practicedb::createPracticeDatabase(folder.file("practice.mdb"), error));
        EXPECT_NE(error.find("already exists"), std::string::npos) << error;
        EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{existing});
        EXPECT_EQ(testsupport::readFile(folder.file(existing)), "precious");
    }
}

TEST(CreatePracticeDatabase, RefusesASecondCreationOfTheSameDatabase)
{
    testsupport::TempDir folder;
    const std::string path = folder.file("practice.mdb");
    std::string error;
    ASSERT_TRUE(practicedb::createPracticeDatabase(path, error)) << error;
    const std::string workgroup = testsupport::readFile(folder.file("practice.mdw"));
    EXPECT_FALSE(practicedb::createPracticeDatabase(path, error));
    EXPECT_EQ(testsupport::readFile(folder.file("practice.mdw")), workgroup);
    EXPECT_TRUE(openPracticeDatabase(path, error)) << error;
}

TEST(CreatePracticeDatabase, FailsWithAReasonWhereNoFileCanBeMade)
{
    testsupport::TempDir folder;
    std::string error;
    EXPECT_FALSE(practicedb::createPracticeDatabase(folder.file("missing/practice.mdb"), error));
    EXPECT_NE(error.find("cannot be created"), std::string::npos) << error;
    EXPECT_FALSE(practicedb::createPracticeDatabase("", error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(filesIn(folder.path()).empty());
}

TEST(CreatePracticeDatabase, LeavesNothingWhenTheDatabaseCannotBeWritten)
{
    // The file system takes a path longer than SQLite accepts: the file is made, SQLite
    // then refuses it, and the empty file must go again.
    testsupport::TempDir folder;
    fs::path deep = folder.path();
    while (deep.string().size() < 600)
        deep /= std::string(60, 'd');
    fs::create_directories(deep);
    const std::string path = (deep / "practice.mdb").string();
    std::string error;
    EXPECT_FALSE(practicedb::createPracticeDatabase(path, error));
    EXPECT_NE(error.find("cannot be written"), std::string::npos) << error;
    EXPECT_TRUE(filesIn(folder.path()).empty());
}

TEST(RemovePracticeDatabase, RemovesTheDatabaseItsSideFilesAndWorkgroup)
{
    testsupport::TempDir folder;
    const std::string path = folder.file("practice.mdb");
    std::string error;
    ASSERT_TRUE(practicedb::createPracticeDatabase(path, error)) << error;
    testsupport::writeFile(folder.file("practice.mdb-shm"), "");
    testsupport::writeFile(folder.file("other.mdb"), "kept");
    practicedb::removePracticeDatabase(path);
    EXPECT_EQ(filesIn(folder.path()), std::vector<std::string>{"other.mdb"});
}

}  // namespace

TEST(CreatePracticeDatabase, OnlyItsOwnWorkgroupFileOpensIt)
{
    testsupport::TempDir folder;
    const std::string path = folder.file("practice.mdb");
    std::string error;
    ASSERT_TRUE(practicedb::createPracticeDatabase(path, error)) << error;

    // A workgroup file that anyone can make with the same account, named in the connection.
    jet::ConnectionSettings settings{path, folder.file("mine.mdw"), practicedb::kAccountUser,
                                     practicedb::kAccountPassword};
    ASSERT_TRUE(jet::writeWorkgroupFile(settings.workgroupPath, {{settings.userId, settings.password}}, error))
        << error;
    jet::Connection::Refusal refusal = jet::Connection::Refusal::Database;
    EXPECT_FALSE(jet::Connection::open(settings, error, &refusal));
    EXPECT_EQ(error, "Not a valid account name or password.");
    EXPECT_EQ(refusal, jet::Connection::Refusal::Account);

    // A copy of its own file still opens it.
    fs::copy_file(folder.file("practice.mdw"), folder.file("copy.mdw"));
    settings.workgroupPath = folder.file("copy.mdw");
    EXPECT_TRUE(jet::Connection::open(settings, error)) << error;
}
