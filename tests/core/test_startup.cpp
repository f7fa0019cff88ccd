#include "AppGlobals.h"
#include "JetConnection.h"
#include "Messages.h"
#include "PracticeDatabase.h"
#include "Principal.h"
#include "Registry.h"
#include "TempDir.h"
#include "Workgroup.h"

#include <QString>
#include <QStringList>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

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

QString refusedMessage(const std::string& databasePath, const std::string& workgroupPath)
{
    return QString::fromStdString("Problems stablishing connection"
                                  "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" +
                                  databasePath + ";Jet OLEDB:System database=" + workgroupPath);
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

TEST_F(StartupTest, RefusedConnectionShowsBothPathsAndNeverTheCredentials)
{
    std::string database = createDatabase("practice.mdb");
    std::string workgroup = jet::workgroupPathFor(database);
    std::string error;
    auto replaceWorkgroup = [&](const std::vector<jet::WorkgroupAccount>& accounts) {
        std::filesystem::remove(workgroup);
        ASSERT_TRUE(jet::writeWorkgroupFile(workgroup, accounts, error)) << error;
    };
    struct Case {
        const char* what;
        std::function<void()> breakIt;
    };
    const Case cases[] = {
        {"missing workgroup file", [&] { std::filesystem::remove(workgroup); }},
        {"unknown account", [&] { replaceWorkgroup({{"Someone", "Quivo"}}); }},
        {"wrong password", [&] { replaceWorkgroup({{"Quivo", "other"}}); }},
        {"missing database", [&] { std::filesystem::remove(database); }},
    };
    registerDatabase(database);
    for (const Case& one : cases) {
        SCOPED_TRACE(one.what);
        ResetGlobals();
        shownMessages.clear();
        okOnlyBoxes = userInterfaceStarts = 0;
        one.breakIt();
        runMain();
        ASSERT_EQ(shownMessages.size(), 1);
        EXPECT_EQ(shownMessages.front(), refusedMessage(database, workgroup));
        for (const char* secret : {"Quivo", "User Id", "Password"})
            EXPECT_FALSE(shownMessages.front().contains(secret, Qt::CaseInsensitive)) << secret;
        EXPECT_EQ(okOnlyBoxes, 1);
        EXPECT_EQ(userInterfaceStarts, 0);
        EXPECT_FALSE(Globals().ConnectionOpen);
        EXPECT_FALSE(Globals().DbConnection);
    }
}

TEST_F(StartupTest, WorkgroupFileIsThePathWithItsLastCharacterReplacedByW)
{
    QString message;
    Globals().DatabasePath = "C:\\a.mdb";
    EXPECT_EQ(OpenDatabaseConnection(message), 0);
    EXPECT_EQ(message, refusedMessage("C:\\a.mdb", "C:\\a.mdw"));
    Globals().DatabasePath = "x";
    EXPECT_EQ(OpenDatabaseConnection(message), 0);
    EXPECT_EQ(message, refusedMessage("x", "w"));

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
    EXPECT_EQ(shownMessages, QStringList{refusedMessage("10", "1w")});
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
