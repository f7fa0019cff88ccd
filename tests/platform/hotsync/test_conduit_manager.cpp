#include "ConduitManager.h"
#include "HotSyncFixture.h"

#include <cstring>
#include <filesystem>

namespace {

std::string registered(int32_t (*get)(const char*, char*, int32_t*), const char* creator)
{
    char buffer[40] = {};
    int32_t size = sizeof buffer;
    EXPECT_EQ(get(creator, buffer, &size), CM_OK);
    EXPECT_EQ(static_cast<size_t>(size), std::strlen(buffer));
    return buffer;
}

}  // namespace

TEST(ConduitManager, CreatorIdsConvertBothWays)
{
    uint32_t id = 0;
    ASSERT_EQ(CmConvertStringToCreatorID("VLXa", &id), CM_OK);
    EXPECT_EQ(id, 0x564C5861u);
    char text[6] = {};
    int32_t size = sizeof text;
    ASSERT_EQ(CmConvertCreatorIDToString(id, text, &size), CM_OK);
    EXPECT_STREQ(text, "VLXa");
    EXPECT_EQ(size, 4);

    EXPECT_EQ(CmConvertStringToCreatorID("VLX", &id), CM_ERR_BAD_ARGUMENT);
    EXPECT_EQ(CmConvertStringToCreatorID("VLXab", &id), CM_ERR_BAD_ARGUMENT);
    size = 4;
    EXPECT_EQ(CmConvertCreatorIDToString(id, text, &size), CM_ERR_BUFFER_TOO_SMALL);
}

TEST_F(HotSyncTest, InstallingACreatorTwiceAnswersThatItExists)
{
    EXPECT_EQ(CmSetCreatorTitle("VLXa", "Vantora PC"), CM_ERR_NOT_FOUND) << "setters need an entry";
    ASSERT_EQ(CmInstallCreator("VLXa", 1), CM_OK);
    EXPECT_EQ(CmInstallCreator("VLXa", 1), CM_ERR_CREATOR_EXISTS);
    EXPECT_EQ(CmInstallCreator("VLX", 1), CM_ERR_BAD_ARGUMENT);
    EXPECT_TRUE(std::filesystem::exists(hotSyncDirectory() + "/Conduits/564C5861.reg"));
}

TEST_F(HotSyncTest, TheShippedRegistrationAnswersUserTitleAndRemote)
{
    ASSERT_EQ(CmInstallCreator("VLXa", 1), CM_OK);
    ASSERT_EQ(CmSetCreatorName("VLXa", "Velvix.dll"), CM_OK);
    ASSERT_EQ(CmSetCreatorTitle("VLXa", "Vantora PC"), CM_OK);
    ASSERT_EQ(CmSetCreatorRemote("VLXa", "Database"), CM_OK);
    ASSERT_EQ(CmSetCreatorFile("VLXa", "/opt/hotsync/Velvix.vlx"), CM_OK);
    ASSERT_EQ(CmSetCreatorUser("VLXa", "Kelmion"), CM_OK);

    // What the conduit reads as A, NAME and VALUE: "Software\Kelmion\Vantora PC", value "Database".
    EXPECT_EQ(registered(CmGetCreatorUser, "VLXa"), "Kelmion");
    EXPECT_EQ(registered(CmGetCreatorTitle, "VLXa"), "Vantora PC");
    EXPECT_EQ(registered(CmGetCreatorRemote, "VLXa"), "Database");
    EXPECT_EQ(registered(CmGetCreatorName, "VLXa"), "Velvix.dll");
    EXPECT_EQ(registered(CmGetCreatorFile, "VLXa"), "/opt/hotsync/Velvix.vlx");

    // A second installation overwrites through the setters.
    ASSERT_EQ(CmInstallCreator("VLXa", 1), CM_ERR_CREATOR_EXISTS);
    ASSERT_EQ(CmSetCreatorTitle("VLXa", "Vantora Clinic"), CM_OK);
    EXPECT_EQ(registered(CmGetCreatorTitle, "VLXa"), "Vantora Clinic");
    EXPECT_EQ(registered(CmGetCreatorUser, "VLXa"), "Kelmion");
}

TEST_F(HotSyncTest, RegisteredStringsRefuseWhatTheyCannotHold)
{
    ASSERT_EQ(CmInstallCreator("VLXa", 1), CM_OK);
    EXPECT_EQ(CmSetCreatorTitle("VLXa", "two\nlines"), CM_ERR_BAD_ARGUMENT);
    ASSERT_EQ(CmSetCreatorTitle("VLXa", "Vantora PC"), CM_OK);
    char small[10] = {};
    int32_t size = sizeof small;
    EXPECT_EQ(CmGetCreatorTitle("VLXa", small, &size), CM_ERR_BUFFER_TOO_SMALL);
    size = sizeof small;
    EXPECT_EQ(CmGetCreatorTitle("ZZZZ", small, &size), CM_ERR_NOT_FOUND);
    size = sizeof small;
    ASSERT_EQ(CmGetCreatorRemote("VLXa", small, &size), CM_OK);
    EXPECT_STREQ(small, "") << "an unset string reads empty";
}
