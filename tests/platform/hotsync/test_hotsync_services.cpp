#include "HotSyncFixture.h"
#include "HotSyncLog.h"
#include "InstallAide.h"
#include "PalmCommon.h"
#include "UserData.h"

#include <dlfcn.h>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line))
        result.push_back(line);
    return result;
}

std::string setting(uint32_t user, const char* section, const char* key, const char* defaultValue = "")
{
    char buffer[300] = {};
    int32_t size = sizeof buffer;
    EXPECT_EQ(UserDataGetString(user, section, key, buffer, &size, defaultValue), 0);
    return buffer;
}

std::string hotSyncPath()
{
    char buffer[200] = {};
    int32_t size = 190;
    EXPECT_EQ(InstallAideGetPath(INSTALL_AIDE_HOTSYNC_DIRECTORY, buffer, &size), 0);
    return buffer;
}

}  // namespace

TEST_F(HotSyncTest, LogEntriesAreAppendedWithTheirActivity)
{
    ASSERT_EQ(LogAddEntry("Vantora PC", LOG_SYNC_STARTED, 0), 0);
    ASSERT_EQ(LogAddEntry("Palm Modified records: 3", LOG_TEXT, 0), 0);
    ASSERT_EQ(LogAddEntry("two\nlines", LOG_TEXT, 0), 0);
    ASSERT_EQ(LogAddEntry("Vantora PC", LOG_SYNC_FINISHED, 0), 0);
    ASSERT_EQ(LogAddEntry("Vantora PC", LOG_SYNC_ABORTED, 0), 0);
    EXPECT_NE(LogAddEntry("unknown", 7, 0), 0);
    EXPECT_NE(LogAddEntry(nullptr, LOG_TEXT, 0), 0);

    std::vector<std::string> entries = lines(logText());
    ASSERT_EQ(entries.size(), 5u);
    const char* expected[] = {"\tSyncStarted\tVantora PC", "\tText\tPalm Modified records: 3", "\tText\ttwo lines",
                              "\tSyncFinished\tVantora PC", "\tSyncAborted\tVantora PC"};
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].substr(19), expected[i]);
        EXPECT_EQ(entries[i][4], '-') << "starts with the date";
    }
}

TEST_F(HotSyncTest, UserSettingsAreKeptPerUserSectionAndKey)
{
    ASSERT_EQ(UserDataSetString(7, "Vantora PC", "DBQ", "/data/practice.mdb"), 0);
    ASSERT_EQ(UserDataSetString(7, "Vantora PC", "SystemDB", "/data/practice.mdw"), 0);
    ASSERT_EQ(UserDataSetString(8, "Vantora PC", "DBQ", "/other/practice.mdb"), 0);
    ASSERT_EQ(UserDataSetString(7, "Vantora PC", "DBQ", "/data/new.mdb"), 0);

    EXPECT_EQ(setting(7, "Vantora PC", "DBQ"), "/data/new.mdb");
    EXPECT_EQ(setting(7, "Vantora PC", "SystemDB"), "/data/practice.mdw");
    EXPECT_EQ(setting(8, "Vantora PC", "DBQ"), "/other/practice.mdb");
    EXPECT_EQ(setting(9, "Vantora PC", "DBQ", "none"), "none");
    EXPECT_EQ(setting(7, "Other", "DBQ", ""), "");
}

TEST_F(HotSyncTest, UserSettingsRefuseWhatTheyCannotStore)
{
    EXPECT_NE(UserDataSetString(7, "Vantora PC", "DBQ", "a\nb"), 0);
    EXPECT_NE(UserDataSetString(7, "Vantora PC", "D=Q", "x"), 0);
    EXPECT_NE(UserDataSetString(7, "Sec]tion", "DBQ", "x"), 0);
    ASSERT_EQ(UserDataSetString(7, "Vantora PC", "DBQ", "/a/rather/long/path.mdb"), 0);
    char small[8] = {};
    int32_t size = sizeof small;
    EXPECT_NE(UserDataGetString(7, "Vantora PC", "DBQ", small, &size, ""), 0);
    std::filesystem::create_directories(hotSyncDirectory() + "/Users/9.ini");
    size = sizeof small;
    EXPECT_NE(UserDataGetString(9, "Vantora PC", "DBQ", small, &size, ""), 0) << "unreadable settings";
}

TEST_F(HotSyncTest, InstallAideAnswersTheHotSyncDirectory)
{
    EXPECT_EQ(hotSyncPath(), hotSyncDirectory() + "/");
    char buffer[200] = {};
    int32_t size = sizeof buffer;
    EXPECT_NE(InstallAideGetPath(1, buffer, &size), 0);
    size = 3;
    EXPECT_NE(InstallAideGetPath(INSTALL_AIDE_HOTSYNC_DIRECTORY, buffer, &size), 0);
}

TEST_F(HotSyncTest, HotSyncDirectoryDefaultsUnderTheUsersDataFolder)
{
    ::unsetenv("HOTSYNC_DIR");
    ::setenv("XDG_DATA_HOME", "/srv/data/", 1);
    EXPECT_EQ(hotSyncPath(), "/srv/data/hotsync/");
    ::unsetenv("XDG_DATA_HOME");
    ::setenv("HOME", "/home/office", 1);
    EXPECT_EQ(hotSyncPath(), "/home/office/.local/share/hotsync/");
}

TEST_F(HotSyncTest, ResourceLibrariesLoadOrLeaveTheCurrentResources)
{
    int ownResources = 0;
    EXPECT_EQ(PalmLoadResourceLibrary("VelvixLang.DLL", &ownResources), &ownResources);

    Dl_info logLibrary{};
    ASSERT_NE(::dladdr(reinterpret_cast<void*>(&LogAddEntry), &logLibrary), 0);
    void* loaded = PalmLoadResourceLibrary(logLibrary.dli_fname, &ownResources);
    ASSERT_NE(loaded, &ownResources);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(PalmFreeResourceLibrary(loaded, &ownResources), &ownResources);
    EXPECT_EQ(PalmFreeResourceLibrary(&ownResources, &ownResources), &ownResources)
        << "a handle it did not load is left alone";
}
