#include "AppGlobals.h"
#include "JetConnection.h"
#include "Messages.h"
#include "PracticeDatabase.h"
#include "Principal.h"
#include "PrivateDisk.h"
#include "Registry.h"
#include "TempDir.h"
#include "Workgroup.h"

#include <QString>
#include <QStringList>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include <sys/mount.h>

#include <gtest/gtest.h>

namespace {

const char* const kDatabaseKey = "SOFTWARE\\Kelmion\\Vantora PC";

}  // namespace

// The desktop program before start-up: reset globals, an own registry hive (not yet
// written) and an own folder for databases; message boxes are recorded with their buttons.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the "Database" value where the program looks for it.
    void registerDatabase(const std::string& path);
    // A practice database with its workgroup file, in the test's folder.
    std::string createDatabase(const std::string& fileName);
    // Runs Main with a next step that counts its calls.
    void runMain();

    testsupport::TempDir folder;
    std::string hive = folder.file("registry.reg");
    QStringList shownMessages;
    int okOnlyBoxes = 0;
    int userInterfaceStarts = 0;

private:
    MessageHandler previousHandler;
};

void StartupTest::SetUp()
{
    ResetGlobals();
    ::setenv("VANTORA_REGISTRY", hive.c_str(), 1);
    previousHandler = SetMessageHandler([this](const QString& text, MessageButtons buttons) {
        shownMessages << text;
        if (buttons == MessageButtons::Ok)
            ++okOnlyBoxes;
        return MessageAnswer::Ok;
    });
}

void StartupTest::TearDown()
{
    SetMessageHandler(previousHandler);
    ::unsetenv("VANTORA_REGISTRY");
    ResetGlobals();
}

void StartupTest::registerDatabase(const std::string& path)
{
    std::string error;
    ASSERT_TRUE(registry::writeStringValue(kDatabaseKey, "Database", path, error)) << error;
}

std::string StartupTest::createDatabase(const std::string& fileName)
{
    std::string path = folder.file(fileName);
    std::string error;
    EXPECT_TRUE(practicedb::createPracticeDatabase(path, error)) << error;
    return path;
}

void StartupTest::runMain()
{
    Main([this] { ++userInterfaceStarts; });
}

namespace {

const QString kNoDatabase = "Falta iniciar Informacion de Bases de datos";

// The Part's text with the connection string's paths, then the reason in a sentence of its own.
QString refusedMessage(const std::string& databasePath, const std::string& workgroupPath, const QString& reason)
{
    return QString::fromStdString("Problems stablishing connection"
                                  "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
                                  databasePath + ";Jet OLEDB:System database=" + workgroupPath) +
           "\n\n" + reason;
}

}  // namespace

TEST_F(StartupTest, ConnectsAndHandsOverToTheUserInterface)
{
    std::string database = createDatabase("practice.mdb");
    registerDatabase(database);
    Globals().ReportHeading = "left over";
    int startsSeenConnected = 0;
    Main([&] { startsSeenConnected += Globals().ConnectionOpen && Globals().DbConnection ? 1 : 0; });

    EXPECT_TRUE(shownMessages.isEmpty()) << shownMessages.join("|").toStdString();
    EXPECT_EQ(startsSeenConnected, 1);
    EXPECT_EQ(Globals().DatabasePath.toStdString(), database);
    EXPECT_TRUE(Globals().ReportHeading.isEmpty());
    ASSERT_TRUE(Globals().DbConnection);
    EXPECT_EQ(Globals().DbConnection->databasePath(), database);
    jet::Rows rows;
    std::string error;
    EXPECT_TRUE(Globals().DbConnection->query("SELECT 1 + 1 AS Two", rows, error)) << error;
}

TEST_F(StartupTest, NoUsableDatabasePathEndsWithTheSetupMessage)
{
    struct Case {
        const char* what;
        std::string hiveText;  // empty: no hive file at all
    };
    const Case cases[] = {
        {"no hive", ""},
        {"no key", "REGEDIT4\n\n[SOFTWARE\\Kelmion\\Other]\n\"Database\"=\"a.mdb\"\n"},
        {"no value", "REGEDIT4\n\n[SOFTWARE\\Kelmion\\Vantora PC]\n\"Data\"=\"a.mdb\"\n"},
        {"empty value", "REGEDIT4\n\n[SOFTWARE\\Kelmion\\Vantora PC]\n\"Database\"=\"\"\n"},
        {"binary value", "REGEDIT4\n\n[SOFTWARE\\Kelmion\\Vantora PC]\n\"Database\"=hex:61,2e,6d\n"},
        {"expandable text", "REGEDIT4\n\n[SOFTWARE\\Kelmion\\Vantora PC]\n\"Database\"=hex(2):61,00\n"},
        {"unreadable line", "REGEDIT4\n\n[SOFTWARE\\Kelmion\\Vantora PC]\n\"Database\"=\"a.mdb\n"},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.what);
        ResetGlobals();
        shownMessages.clear();
        okOnlyBoxes = userInterfaceStarts = 0;
        std::filesystem::remove(hive);
        if (!one.hiveText.empty())
            testsupport::writeFile(hive, one.hiveText);
        runMain();
        EXPECT_EQ(shownMessages, QStringList{kNoDatabase});
        EXPECT_EQ(okOnlyBoxes, 1);
        EXPECT_EQ(userInterfaceStarts, 0);
        EXPECT_FALSE(Globals().ConnectionOpen);
        EXPECT_FALSE(Globals().DbConnection);
    }
}

TEST_F(StartupTest, RefusedConnectionShowsBothPathsTheReasonAndNeverTheCredentials)
{
    std::string error;
    const auto replaceWorkgroup = [&](const std::string& workgroup,
                                      const std::vector<jet::WorkgroupAccount>& accounts) {
        std::filesystem::remove(workgroup);
        ASSERT_TRUE(jet::writeWorkgroupFile(workgroup, accounts, error)) << error;
    };
    const QString refusedAccount = "The workgroup file does not accept the program's account: it may belong to "
                                   "another database.";
    struct Case {
        const char* what;
        std::function<void(const std::string& database, const std::string& workgroup)> breakIt;
        std::function<QString(const std::string& database, const std::string& workgroup)> reason;
    };
    const Case cases[] = {
        {"missing workgroup file", [&](auto&, auto& workgroup) { std::filesystem::remove(workgroup); },
         [](auto&, auto& workgroup) { return QString::fromStdString("The workgroup file " + workgroup +
                                                                    " was not found."); }},
        {"unknown account", [&](auto&, auto& workgroup) { replaceWorkgroup(workgroup, {{"Someone", "Quivo"}}); },
         [&](auto&, auto&) { return refusedAccount; }},
        {"wrong password", [&](auto&, auto& workgroup) { replaceWorkgroup(workgroup, {{"Quivo", "other"}}); },
         [&](auto&, auto&) { return refusedAccount; }},
        {"missing database", [](auto& database, auto&) { std::filesystem::remove(database); },
         [](auto& database, auto&) { return QString::fromStdString("The database file " + database +
                                                                   " was not found."); }},
        {"damaged database",
         [](auto& database, auto&) {
             std::string bytes = testsupport::readFile(database);
             for (std::size_t i = 100; i < 4096; ++i)
                 bytes[i] = char(i * 7);
             testsupport::writeFile(database, bytes);
         },
         [](auto& database, auto&) {
             return QString::fromStdString("The database file " + database +
                                           " is damaged (database disk image is malformed).");
         }},
    };
    int number = 0;
    for (const Case& one : cases) {
        SCOPED_TRACE(one.what);
        ResetGlobals();
        shownMessages.clear();
        okOnlyBoxes = userInterfaceStarts = 0;
        const std::string database = createDatabase("practice" + std::to_string(++number) + ".mdb");
        const std::string workgroup = jet::workgroupPathFor(database);
        registerDatabase(database);
        one.breakIt(database, workgroup);
        runMain();
        ASSERT_EQ(shownMessages.size(), 1);
        EXPECT_EQ(shownMessages.front().toStdString(),
                  refusedMessage(database, workgroup, one.reason(database, workgroup)).toStdString());
        for (const char* secret : {"Quivo", "User Id", "Password"})
            EXPECT_FALSE(shownMessages.front().contains(secret, Qt::CaseInsensitive)) << secret;
        EXPECT_EQ(okOnlyBoxes, 1);
        EXPECT_EQ(userInterfaceStarts, 0);
        EXPECT_FALSE(Globals().ConnectionOpen);
        EXPECT_FALSE(Globals().DbConnection);
    }
}

TEST_F(StartupTest, AReadOnlyDiskIsTheReasonGiven)
{
    const std::string disk = folder.file("disk");
    std::filesystem::create_directory(disk);
    if (!testsupport::mountPrivateDisk(disk, "4m"))
        GTEST_SKIP() << "this machine lets the test mount no disk of its own";
    const std::string database = disk + "/practice.mdb";
    std::string error;
    const bool created = practicedb::createPracticeDatabase(database, error);
    const bool readOnly = ::mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    if (created && readOnly) {
        registerDatabase(database);
        runMain();
    }
    ::umount2(disk.c_str(), MNT_DETACH);
    ASSERT_TRUE(created) << error;
    ASSERT_TRUE(readOnly);
    ASSERT_EQ(shownMessages.size(), 1);
    EXPECT_EQ(shownMessages.front().toStdString(),
              refusedMessage(database, jet::workgroupPathFor(database),
                             QString::fromStdString("The database file " + database +
                                                    " is read-only, or the disk that holds it is."))
                  .toStdString());
    EXPECT_EQ(userInterfaceStarts, 0);
}

TEST_F(StartupTest, WorkgroupFileIsThePathWithItsLastCharacterReplacedByW)
{
    QString message;
    Globals().DatabasePath = "C:\\a.mdb";
    EXPECT_EQ(OpenDatabaseConnection(message), 0);
    EXPECT_EQ(message, refusedMessage("C:\\a.mdb", "C:\\a.mdw", "The workgroup file C:\\a.mdw was not found."));
    Globals().DatabasePath = "x";
    EXPECT_EQ(OpenDatabaseConnection(message), 0);
    EXPECT_EQ(message, refusedMessage("x", "w", "The workgroup file w was not found."));

    // No extension is looked for: practice.sqlite is guarded by practice.sqlitw.
    std::string database = createDatabase("practice.sqlite");
    ASSERT_TRUE(std::filesystem::exists(folder.file("practice.sqlitw")));
    Globals().DatabasePath = QString::fromStdString(database);
    message.clear();
    EXPECT_EQ(OpenDatabaseConnection(message), 1) << message.toStdString();
    EXPECT_TRUE(Globals().ConnectionOpen);
}

TEST_F(StartupTest, ANumberForThePathIsTriedAsItsDigits)
{
    testsupport::writeFile(hive, "REGEDIT4\n\n[SOFTWARE\\Kelmion\\Vantora PC]\n\"Database\"=dword:0000000a\n");
    runMain();
    EXPECT_EQ(shownMessages, QStringList{refusedMessage("10", "1w", "The workgroup file 1w was not found.")});
    EXPECT_EQ(userInterfaceStarts, 0);
}

TEST_F(StartupTest, AnOpenConnectionIsKept)
{
    std::string database = createDatabase("practice.mdb");
    Globals().DatabasePath = QString::fromStdString(database);
    QString message;
    ASSERT_EQ(OpenDatabaseConnection(message), 1) << message.toStdString();
    const jet::Connection* first = Globals().DbConnection.get();

    Globals().DatabasePath = "elsewhere.mdb";
    EXPECT_EQ(OpenDatabaseConnection(message), 1);
    EXPECT_EQ(Globals().DbConnection.get(), first);
}
