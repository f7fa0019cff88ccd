// The conduit library as the HotSync manager loads it: its exports by name, and whole HotSyncs
// through OpenConduit.
#include "SyncTestEnvironment.h"

#include "ConduitInterface.h"
#include "ConduitManager.h"
#include "HotSyncLog.h"
#include "Registry.h"
#include "SyncManager.h"
#include "UserData.h"

#include <dlfcn.h>

#include <cstring>

using demohandheld::stamp;

namespace {

constexpr std::uint32_t kCreatorId = 0x564C5658;  // "VLVX"

// The conduit library, loaded once per test program as the HotSync manager loads it.
void* conduitLibrary()
{
    static void* library = ::dlopen(VANTORA_BIN_DIR "/Velvix.dll", RTLD_NOW | RTLD_LOCAL);
    return library;
}

template <typename Function>
Function entryPoint(const char* name)
{
    void* library = conduitLibrary();
    EXPECT_NE(library, nullptr) << ::dlerror();
    return library != nullptr ? reinterpret_cast<Function>(::dlsym(library, name)) : nullptr;
}

void reportProgress(const char*) {}

class EntryPointsTest : public SyncTest {
protected:
    void SetUp() override
    {
        SyncTest::SetUp();
        ::setenv("VANTORA_REGISTRY", temp.file("registry.reg").c_str(), 1);
        ASSERT_GE(CmInstallCreator("VLVX", 1), 0);
        ASSERT_EQ(CmSetCreatorName("VLVX", "Velvix.dll"), CM_OK);
        ASSERT_EQ(CmSetCreatorUser("VLVX", "Kelmion"), CM_OK);
        ASSERT_EQ(CmSetCreatorTitle("VLVX", "Vantora PC"), CM_OK);
        ASSERT_EQ(CmSetCreatorRemote("VLVX", "Database"), CM_OK);
        openConduit = entryPoint<OpenConduitFunction>("OpenConduit");
        ASSERT_NE(openConduit, nullptr);
    }

    void registerDefaultDatabase()
    {
        std::string error;
        ASSERT_TRUE(registry::writeStringValue("SOFTWARE\\Kelmion\\Vantora PC", "Database", databasePath, error)) << error;
    }

    std::int32_t hotSync(std::int32_t syncType)
    {
        ConduitSyncProperties properties{};
        properties.syncType = syncType;
        properties.creatorId = kCreatorId;
        std::strncpy(properties.localName, tableDescriptionPath.c_str(), sizeof properties.localName - 1);
        return openConduit(reportProgress, &properties);
    }

    // Whether the log holds an entry of that activity with the text.
    bool loggedActivity(const std::string& activity, const std::string& entry) const
    {
        return logText().find("\t" + activity + "\t" + entry + "\n") != std::string::npos;
    }

    OpenConduitFunction openConduit = nullptr;
};

TEST_F(EntryPointsTest, OnlyTheSixEntryPointsAreExported)
{
    for (const char* name : {"CfgConduit", "ConfigureConduit", "GetConduitInfo", "GetConduitName", "GetConduitVersion",
                             "OpenConduit"})
        EXPECT_NE(::dlsym(conduitLibrary(), name), nullptr) << name;
    EXPECT_EQ(::dlsym(conduitLibrary(), "SyncTables"), nullptr);
    EXPECT_EQ(::dlsym(conduitLibrary(), "_Z10SyncTablesiRKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEES6_S6_S6_"),
              nullptr);
}

TEST_F(EntryPointsTest, NameAndVersion)
{
    auto getName = entryPoint<GetConduitNameFunction>("GetConduitName");
    char buffer[10];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(getName(buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "Velvix");
    EXPECT_EQ(buffer[9], '\0') << "the whole buffer is zero-filled";
    EXPECT_EQ(getName(buffer, 4), 0);
    EXPECT_STREQ(buffer, "Vel");
    EXPECT_EQ(entryPoint<GetConduitVersionFunction>("GetConduitVersion")(), 257u);
}

TEST_F(EntryPointsTest, ConduitInfoAnswersAndRefusals)
{
    auto info = entryPoint<GetConduitInfoFunction>("GetConduitInfo");
    ConduitRequestInfo request{1, sizeof(ConduitRequestInfo), kCreatorId, 4242, "Dr Alma"};
    char name[6];
    std::uint32_t size = sizeof name;
    EXPECT_EQ(info(CONDUIT_INFO_NAME, &request, name, &size), 0);
    EXPECT_STREQ(name, "Velvi");
    char longName[32];
    size = sizeof longName;
    EXPECT_EQ(info(CONDUIT_INFO_NAME, &request, longName, &size), 0);
    EXPECT_STREQ(longName, "Velvix!");

    EXPECT_EQ(info(CONDUIT_INFO_NAME, nullptr, name, &size), 4212);
    request.version = 2;
    EXPECT_EQ(info(CONDUIT_INFO_NAME, &request, name, &size), 4213);
    request.version = 1;
    request.size = 79;
    EXPECT_EQ(info(CONDUIT_INFO_NAME, &request, name, &size), 4213);

    std::uint32_t number = 7;
    size = 4;
    EXPECT_EQ(info(CONDUIT_INFO_FRAMEWORK_VERSION, nullptr, &number, &size), 0);
    EXPECT_EQ(number, 1536u);
    EXPECT_EQ(info(CONDUIT_INFO_DEFAULT_ACTION, nullptr, &number, &size), 0);
    EXPECT_EQ(number, 0u);
    size = 2;
    EXPECT_EQ(info(CONDUIT_INFO_FRAMEWORK_VERSION, nullptr, &number, &size), 4211);
    EXPECT_EQ(info(CONDUIT_INFO_DEFAULT_ACTION, nullptr, &number, &size), 4211);
    size = 4;
    EXPECT_EQ(info(3, nullptr, &number, &size), 4208);
    EXPECT_EQ(info(CONDUIT_INFO_FRAMEWORK_VERSION, nullptr, &number, nullptr), 4215);
    EXPECT_EQ(info(CONDUIT_INFO_FRAMEWORK_VERSION, nullptr, nullptr, &size), 4209);
    EXPECT_EQ(info(CONDUIT_INFO_FRAMEWORK_VERSION, nullptr, nullptr, nullptr), 4209);
}

TEST_F(EntryPointsTest, ConfigurationRecordsAreCheckedInOrderBeforeAnyDialog)
{
    auto configure = entryPoint<CfgConduitFunction>("CfgConduit");
    ConduitConfiguration record{};
    record.version = 1;
    std::uint32_t size = sizeof record;
    std::uint32_t wrongSize = 351;
    EXPECT_EQ(configure(0, nullptr, nullptr), 4212);
    EXPECT_EQ(configure(1, &record, nullptr), 4216);
    EXPECT_EQ(configure(1, &record, &wrongSize), 4218);
    EXPECT_EQ(configure(1, &record, &size), 4217);
    record.version = 2;
    EXPECT_EQ(configure(0, &record, &size), 4219);
}

TEST_F(EntryPointsTest, AWholeHotSyncRunsThroughOpenConduit)
{
    registerDefaultDatabase();
    ASSERT_EQ(UserDataSetString(kUserId, kConduitName, "DBQ", ""), 0);
    registerHandheld();
    execute("INSERT INTO Patient (PatientId, [Names]) VALUES (25001, 'ON DESKTOP')");
    storePatients({changedPatient(3, stamp(2026, 12, 7, 10, 0, 0), {1001, "ON HANDHELD"})});
    EXPECT_EQ(hotSync(CONDUIT_SYNC_FAST), 0);

    EXPECT_TRUE(logged("Software\\Kelmion\\Vantora PC")) << logText();
    EXPECT_TRUE(logged("Database"));
    EXPECT_TRUE(loggedActivity("SyncStarted", "Vantora PC"));
    EXPECT_TRUE(logged("Synching Velvix! Vantora PC  with User: Dr Alma Id: 4242"));
    EXPECT_TRUE(logged("No DBQ for the User 4242"));
    EXPECT_TRUE(logged("Assuming default values"));
    EXPECT_TRUE(loggedActivity("SyncFinished", "Vantora PC"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId = 1001"), 1);
    EXPECT_TRUE(handheldHasPatient(25001));

    // The manager may start the next HotSync: the conduit unregistered itself.
    std::uint32_t handle = 0;
    ASSERT_EQ(SyncRegisterConduit(&handle), SYNC_OK);
    EXPECT_EQ(SyncUnRegisterConduit(handle), SYNC_OK);
}

TEST_F(EntryPointsTest, DesktopOverwritesHandheldPurgesFirst)
{
    registerDefaultDatabase();
    registerHandheld();
    execute("INSERT INTO Patient (PatientId, [Names]) VALUES (25001, 'ON DESKTOP')");
    storePatients({changedPatient(3, stamp(2026, 12, 7, 10, 0, 0), {1001, "ON HANDHELD"})});
    EXPECT_EQ(hotSync(CONDUIT_SYNC_DESKTOP_OVERWRITES), 0);
    EXPECT_TRUE(logged("Purging table!!")) << logText();
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId = 1001"), 0);
    ASSERT_EQ(storedPatients().records.size(), 1u);
}

TEST_F(EntryPointsTest, OtherSyncTypesExchangeNothing)
{
    registerDefaultDatabase();
    registerHandheld();
    storePatients({changedPatient(3, stamp(2026, 12, 7, 10, 0, 0), {1001, "ON HANDHELD"})});
    for (std::int32_t type : {CONDUIT_SYNC_HANDHELD_OVERWRITES, CONDUIT_SYNC_INSTALL, CONDUIT_SYNC_BACKUP})
        EXPECT_EQ(hotSync(type), 0);
    EXPECT_EQ(hotSync(CONDUIT_SYNC_DO_NOTHING), 0);

    const std::string log = logText();
    std::size_t starts = 0;
    for (std::size_t at = log.find("\tSyncStarted\tVantora PC\n"); at != std::string::npos;
         at = log.find("\tSyncStarted\tVantora PC\n", at + 1))
        ++starts;
    EXPECT_EQ(starts, 3u) << log;
    EXPECT_TRUE(logged("Velvix! - Vantora PC - sync configured to Do Nothing"));
    EXPECT_EQ(log.find("Synching Velvix!"), std::string::npos);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient"), 0);
}

TEST_F(EntryPointsTest, RefusalsBeforeTheRun)
{
    ConduitSyncProperties properties{};
    properties.creatorId = kCreatorId;
    EXPECT_EQ(openConduit(nullptr, &properties), -1);
    EXPECT_TRUE(logged("Fallo get key")) << "the registry is read first";
    EXPECT_EQ(logText().find("SyncStarted"), std::string::npos);
    EXPECT_EQ(openConduit(reportProgress, nullptr), -1);

    registerDefaultDatabase();
    ASSERT_EQ(SyncSetHandheldFolder(temp.file("no such handheld").c_str()), SYNC_OK);
    EXPECT_EQ(hotSync(CONDUIT_SYNC_FAST), SYNC_ERR_NO_HANDHELD);
    EXPECT_EQ(logText().find("SyncStarted"), std::string::npos);
}

TEST_F(EntryPointsTest, NoDefaultDatabaseAndNoUserDatabaseEndTheRun)
{
    registerHandheld();
    ASSERT_EQ(UserDataSetString(kUserId, kConduitName, "DBQ", ""), 0);
    EXPECT_EQ(hotSync(CONDUIT_SYNC_FAST), 1);
    EXPECT_TRUE(logged("Fallo get key"));
    EXPECT_TRUE(logged("No DBQ for the User 4242")) << logText();
    EXPECT_TRUE(logged("No default values"));
    EXPECT_TRUE(loggedActivity("SyncAborted", "Vantora PC"));
}

}  // namespace
