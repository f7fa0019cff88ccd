#include "ConduitManager.h"
#include "InstallConduit.h"
#include "InstallDialog.h"
#include "InstallSettings.h"
#include "TempDir.h"

#include <QApplication>
#include <QLineEdit>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace {

struct Shown {
    std::string text;
    std::string caption;
};

// A HotSync directory whose Conduit Manager is the given library, and a folder to run the
// installer from holding its settings, a table-description file and a conduit library.
class InstallerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(hotSync());
        setenv("HOTSYNC_DIR", hotSync().c_str(), 1);
        useConduitManager(CONDUIT_MANAGER_LIBRARY);
        std::filesystem::create_directory(runFolder());
        testsupport::writeFile(runFile("Velvix.ini"),
                               "[Application]\r\nId=VNTR\r\nUser=Kelmion\r\nFile=Velvix.vlx\r\n"
                               "Title=Vantora PC\r\nRemote=Database\r\n");
        testsupport::writeFile(runFile("Velvix.vlx"), "P VXPREF\r\n");
        testsupport::writeFile(runFile("Velvix.dll"), "conduit");
        previousFolder = std::filesystem::current_path();
        std::filesystem::current_path(runFolder());
        ui.confirmInstall = [this](const std::string& title) {
            confirmedTitles.push_back(title);
            return answerInstall;
        };
        ui.tell = [this](const std::string& text, const std::string& caption) { shown.push_back({text, caption}); };
    }

    void TearDown() override
    {
        std::filesystem::current_path(previousFolder);
        unsetenv("HOTSYNC_DIR");
    }

    void useConduitManager(const std::string& library)
    {
        std::filesystem::remove(hotSync() + "/condmgr.dll");
        std::filesystem::create_symlink(library, hotSync() + "/condmgr.dll");
    }

    void install() { InstallConduit(ReadInstallSettings(kInstallSettingsFile), ui); }

    std::string registered(int32_t (*get)(const char*, char*, int32_t*))
    {
        char buffer[300] = {};
        int32_t size = sizeof buffer;
        return get("VNTR", buffer, &size) == CM_OK ? std::string(buffer) : std::string("<none>");
    }

    std::string hotSync() const { return folder.file("hotsync"); }
    std::string runFolder() const { return folder.file("run"); }
    std::string runFile(const std::string& name) const { return runFolder() + "/" + name; }

    testsupport::TempDir folder;
    std::filesystem::path previousFolder;
    InstallerInterface ui;
    bool answerInstall = true;
    std::vector<std::string> confirmedTitles;
    std::vector<Shown> shown;
};

TEST_F(InstallerTest, InstallCopiesBothFilesAndRegistersTheConduit)
{
    install();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Velvix! Conduit installation ended succesfully!");
    EXPECT_EQ(shown[0].caption, "Message");
    EXPECT_EQ(confirmedTitles, std::vector<std::string>{"Vantora PC"});
    EXPECT_EQ(testsupport::readFile(hotSync() + "/Velvix.vlx"), "P VXPREF\r\n");
    EXPECT_EQ(testsupport::readFile(hotSync() + "/Velvix.dll"), "conduit");
    EXPECT_EQ(registered(CmGetCreatorName), "Velvix.dll");
    EXPECT_EQ(registered(CmGetCreatorTitle), "Vantora PC");
    EXPECT_EQ(registered(CmGetCreatorRemote), "Database");
    EXPECT_EQ(registered(CmGetCreatorUser), "Kelmion");
    EXPECT_EQ(registered(CmGetCreatorFile), hotSync() + "/Velvix.vlx");
}

TEST_F(InstallerTest, SecondInstallOverwritesTheRegistrationAndSucceeds)
{
    install();
    testsupport::writeFile(runFile("Velvix.ini"),
                           "[application]\n  title = \"Vantora Office\" \nID=VNTR\nFile=Velvix.vlx\n");
    install();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "Velvix! Conduit installation ended succesfully!");
    EXPECT_EQ(registered(CmGetCreatorTitle), "Vantora Office");
    EXPECT_EQ(registered(CmGetCreatorUser), "None");
}

TEST_F(InstallerTest, CancelCopiesAndRegistersNothing)
{
    answerInstall = false;
    install();
    EXPECT_TRUE(shown.empty());
    EXPECT_FALSE(std::filesystem::exists(hotSync() + "/Velvix.vlx"));
    EXPECT_FALSE(std::filesystem::exists(hotSync() + "/Velvix.dll"));
    EXPECT_EQ(registered(CmGetCreatorName), "<none>");
}

TEST_F(InstallerTest, EachFailureEndsTheRunWithItsMessage)
{
    std::filesystem::remove(runFile("Velvix.ini"));
    install();  // every setting "None": there is no file of that name
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Unable to copy vlx file");
    EXPECT_EQ(shown[0].caption, "Error");
    EXPECT_EQ(registered(CmGetCreatorName), "<none>");

    testsupport::writeFile(runFile("Velvix.ini"), "[Application]\nId=VNTR\nFile=Velvix.vlx\n");
    std::filesystem::remove(runFile("Velvix.dll"));
    install();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "Unable to copy Velvix.dll");
    EXPECT_TRUE(std::filesystem::exists(hotSync() + "/Velvix.vlx"));  // what was copied stays
    EXPECT_EQ(registered(CmGetCreatorName), "<none>");
}

TEST_F(InstallerTest, ConduitManagerMissingOrIncompleteIsReported)
{
    useConduitManager(HOTSYNC_LOG_LIBRARY);  // a library without the Conduit Manager's calls
    install();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Unable to initialize condmgr function.");

    std::filesystem::remove(hotSync() + "/condmgr.dll");
    install();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].text, "Unable to load condmgr.dll");
    EXPECT_TRUE(confirmedTitles.size() == 1u);  // no dialog without a Conduit Manager
}

TEST_F(InstallerTest, AnInvalidCreatorIdCannotBeInstalled)
{
    testsupport::writeFile(runFile("Velvix.ini"), "[Application]\nId=TOOLONG\nFile=Velvix.vlx\n");
    install();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Conduit entry already exists.");
}

TEST(InstallSettingsTest, ValuesAreCutToTheirLimits)
{
    testsupport::TempDir folder;
    const std::string path = folder.file("Velvix.ini");
    testsupport::writeFile(path, "[Application]\nId=ABCDEFGHIJKLM\nTitle=" + std::string(200, 't') + "\n");
    const InstallSettings settings = ReadInstallSettings(path);
    EXPECT_EQ(settings.Id, "ABCDEFGHI");
    EXPECT_EQ(settings.Title.size(), 139u);
    EXPECT_EQ(settings.Remote, "None");
}

TEST(InstallDialogTest, ShowsTheApplicationAndOffersTheAboutCommand)
{
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    InstallDialog dialog("Vantora PC");
    EXPECT_EQ(dialog.windowTitle(), " Velvix! Conduit Installation utility");
    auto* field = dialog.findChild<QLineEdit*>("Application");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->text(), "Vantora PC");
    EXPECT_TRUE(field->isReadOnly());
    ASSERT_EQ(dialog.actions().size(), 2);
    EXPECT_EQ(dialog.actions().at(1)->text(), "&About Installer...");
}

}  // namespace
