#include "HotSyncFixture.h"
#include "HotSyncLog.h"

#include <cstring>
#include <vector>

using hotsync::PalmDatabase;
using hotsync::PalmRecord;

// Record info fields are packed, so the checks read them by value (+info.field): a reference to
// one would be misaligned.
namespace {

class SyncManagerTest : public HotSyncTest {
protected:
    void SetUp() override
    {
        HotSyncTest::SetUp();
        PalmDatabase database;
        database.name = "VantoraPatients";
        database.creator = "VLXa";
        database.uniqueIdSeed = 12;
        database.appInfo = "layout-bytes";
        database.records.push_back(PalmRecord{10, 0, 0, "clean"});
        database.records.push_back(PalmRecord{11, SYNC_REC_DIRTY, 2, "changed"});
        database.records.push_back(PalmRecord{12, SYNC_REC_DIRTY | SYNC_REC_DELETED, 8, "removed"});
        storeDatabase(database);
    }

    uint8_t open(uint8_t mode = SYNC_MODE_READ_WRITE)
    {
        uint8_t handle = 0;
        EXPECT_EQ(SyncOpenDB("VantoraPatients", 0, &handle, mode), SYNC_OK);
        return handle;
    }

    SyncRecordInfo readInfo(uint8_t handle)
    {
        SyncRecordInfo info{};
        info.dbHandle = handle;
        info.buffer = buffer_.data();
        info.bufferSize = static_cast<uint16_t>(buffer_.size());
        return info;
    }

    std::string bytesOf(const SyncRecordInfo& info) const
    {
        return std::string(reinterpret_cast<const char*>(buffer_.data()), info.recordSize);
    }

    int32_t write(uint8_t handle, uint32_t& recordId, std::string bytes, uint16_t category = 0)
    {
        SyncRecordInfo info{};
        info.dbHandle = handle;
        info.recordId = recordId;
        info.category = category;
        info.recordSize = static_cast<uint32_t>(bytes.size());
        info.buffer = reinterpret_cast<uint8_t*>(bytes.data());
        int32_t result = SyncWriteRec(&info);
        recordId = info.recordId;
        return result;
    }

    std::vector<uint8_t> buffer_ = std::vector<uint8_t>(2000);
};

}  // namespace

TEST_F(SyncManagerTest, ReadsRecordsByIndexAndByIdWithTheirAttributes)
{
    uint8_t handle = open();
    uint16_t count = 0;
    ASSERT_EQ(SyncGetDBRecordCount(handle, &count), SYNC_OK);
    EXPECT_EQ(count, 3);

    SyncRecordInfo info = readInfo(handle);
    info.index = 2;
    ASSERT_EQ(SyncReadRecordByIndex(&info), SYNC_OK);
    EXPECT_EQ(+info.recordId, 12u);
    EXPECT_EQ(+info.attributes, SYNC_REC_DIRTY | SYNC_REC_DELETED);
    EXPECT_EQ(+info.category, 8);
    EXPECT_EQ(bytesOf(info), "removed");

    info.index = 3;
    EXPECT_EQ(SyncReadRecordByIndex(&info), SYNC_ERR_NO_MORE_RECORDS);

    info = readInfo(handle);
    info.recordId = 11;
    ASSERT_EQ(SyncReadRecordById(&info), SYNC_OK);
    EXPECT_EQ(+info.index, 1);
    EXPECT_EQ(+info.category, 2);
    EXPECT_EQ(bytesOf(info), "changed");
    info.recordId = 99;
    EXPECT_EQ(SyncReadRecordById(&info), SYNC_ERR_NOT_FOUND);
}

TEST_F(SyncManagerTest, ReadsTooLargeForTheBufferAreRefusedWithTheSizeNeeded)
{
    uint8_t handle = open();
    SyncRecordInfo info = readInfo(handle);
    info.bufferSize = 4;
    info.recordId = 11;
    EXPECT_EQ(SyncReadRecordById(&info), SYNC_ERR_BUFFER_TOO_SMALL);
    EXPECT_EQ(+info.recordSize, 7u);
    EXPECT_EQ(buffer_[4], 0) << "nothing was copied";
}

TEST_F(SyncManagerTest, NextModifiedWalksTheDirtyRecordsInIndexOrder)
{
    uint8_t handle = open();
    std::vector<uint32_t> ids;
    SyncRecordInfo info = readInfo(handle);
    while (SyncReadNextModifiedRec(&info) == SYNC_OK)
        ids.push_back(+info.recordId);
    EXPECT_EQ(ids, (std::vector<uint32_t>{11, 12}));
    EXPECT_EQ(SyncReadNextModifiedRec(&info), SYNC_ERR_NO_MORE_RECORDS);
}

TEST_F(SyncManagerTest, WritesGiveNewIdsAndLeaveRecordsClean)
{
    uint8_t handle = open();
    uint32_t newId = 0;
    ASSERT_EQ(write(handle, newId, "fresh", 3), SYNC_OK);
    EXPECT_EQ(newId, 13u) << "after the highest id handed out";
    uint32_t changedId = 11;
    ASSERT_EQ(write(handle, changedId, "rewritten"), SYNC_OK);
    EXPECT_EQ(changedId, 11u);
    uint32_t unknownId = 500;
    EXPECT_EQ(write(handle, unknownId, "nowhere"), SYNC_ERR_NOT_FOUND);

    SyncRecordInfo info = readInfo(handle);
    std::vector<uint32_t> modified;
    while (SyncReadNextModifiedRec(&info) == SYNC_OK)
        modified.push_back(+info.recordId);
    EXPECT_EQ(modified, (std::vector<uint32_t>{12})) << "written records are clean";
    ASSERT_EQ(SyncCloseDB(handle), SYNC_OK);

    PalmDatabase stored = storedDatabase("VantoraPatients");
    ASSERT_EQ(stored.records.size(), 4u);
    EXPECT_EQ(stored.records[1].bytes, "rewritten");
    EXPECT_EQ(stored.records[1].flags, 0);
    EXPECT_EQ(stored.records[3].uniqueId, 13u);
    EXPECT_EQ(stored.records[3].category, 3);
    EXPECT_EQ(stored.records[3].bytes, "fresh");
    EXPECT_EQ(stored.uniqueIdSeed, 13u);
    EXPECT_EQ(stored.modificationNumber, 1u);
}

TEST_F(SyncManagerTest, ChangesReachTheFileWhenTheDatabaseCloses)
{
    std::string before = testsupport::readFile(databasePath("VantoraPatients"));
    uint8_t handle = open();
    ASSERT_EQ(SyncDeleteRec(handle, 10), SYNC_OK);
    EXPECT_EQ(testsupport::readFile(databasePath("VantoraPatients")), before);
    ASSERT_EQ(SyncCloseDB(handle), SYNC_OK);
    EXPECT_EQ(storedDatabase("VantoraPatients").records.size(), 2u);
    EXPECT_EQ(SyncCloseDB(handle), SYNC_ERR_BAD_HANDLE);
}

TEST_F(SyncManagerTest, DeleteAndPurgeRemoveRecords)
{
    uint8_t handle = open();
    SyncRecordInfo info = readInfo(handle);
    ASSERT_EQ(SyncReadNextModifiedRec(&info), SYNC_OK);
    EXPECT_EQ(+info.recordId, 11u);
    ASSERT_EQ(SyncDeleteRec(handle, 10), SYNC_OK);
    EXPECT_EQ(SyncDeleteRec(handle, 10), SYNC_ERR_NOT_FOUND);
    ASSERT_EQ(SyncReadNextModifiedRec(&info), SYNC_OK);
    EXPECT_EQ(+info.recordId, 12u) << "deleting before the cursor skips nothing";

    ASSERT_EQ(SyncPurgeAllRecs(handle), SYNC_OK);
    uint16_t count = 99;
    ASSERT_EQ(SyncGetDBRecordCount(handle, &count), SYNC_OK);
    EXPECT_EQ(count, 0);
    ASSERT_EQ(SyncCloseDB(handle), SYNC_OK);
    EXPECT_TRUE(storedDatabase("VantoraPatients").records.empty());
}

TEST_F(SyncManagerTest, IndexesCountOnlyTheRecordsLeftAfterDeletions)
{
    uint8_t handle = open();
    uint32_t added = 0;
    for (int i = 0; i < 20; ++i) {
        added = 0;
        ASSERT_EQ(write(handle, added, "added " + std::to_string(i)), SYNC_OK);
    }
    for (uint32_t id : {10u, 12u, 14u, 15u, 20u})
        ASSERT_EQ(SyncDeleteRec(handle, id), SYNC_OK);
    uint16_t count = 0;
    ASSERT_EQ(SyncGetDBRecordCount(handle, &count), SYNC_OK);
    EXPECT_EQ(count, 18);

    SyncRecordInfo info = readInfo(handle);
    info.recordId = 13;
    ASSERT_EQ(SyncReadRecordById(&info), SYNC_OK);
    EXPECT_EQ(+info.index, 1) << "after record 11";
    info.index = 2;
    ASSERT_EQ(SyncReadRecordByIndex(&info), SYNC_OK);
    EXPECT_EQ(+info.recordId, 16u);
    info.index = 17;
    ASSERT_EQ(SyncReadRecordByIndex(&info), SYNC_OK);
    EXPECT_EQ(+info.recordId, added);
    info.index = 18;
    EXPECT_EQ(SyncReadRecordByIndex(&info), SYNC_ERR_NO_MORE_RECORDS);

    uint32_t last = 0;
    ASSERT_EQ(write(handle, last, "after the deletions"), SYNC_OK);
    EXPECT_EQ(last, added + 1) << "deleted ids are not given again";
    ASSERT_EQ(SyncCloseDB(handle), SYNC_OK);
    std::vector<uint32_t> ids;
    for (const PalmRecord& record : storedDatabase("VantoraPatients").records)
        ids.push_back(record.uniqueId);
    EXPECT_EQ(ids, (std::vector<uint32_t>{11, 13, 16, 17, 18, 19, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33}));
}

TEST_F(SyncManagerTest, ApplicationInfoAndSortInfoBlocks)
{
    uint8_t handle = open();
    uint8_t block[64] = {};
    uint16_t size = 5;
    EXPECT_EQ(SyncReadDBAppInfoBlock(handle, block, &size), SYNC_ERR_BUFFER_TOO_SMALL);
    EXPECT_EQ(size, 12);
    size = sizeof block;
    ASSERT_EQ(SyncReadDBAppInfoBlock(handle, block, &size), SYNC_OK);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(block), size), "layout-bytes");

    const uint8_t sortInfo[] = {1, 2, 3};
    ASSERT_EQ(SyncWriteDBSortInfoBlock(handle, sortInfo, 3), SYNC_OK);
    ASSERT_EQ(SyncCloseDB(handle), SYNC_OK);
    EXPECT_EQ(storedDatabase("VantoraPatients").sortInfo, "\x01\x02\x03");

    handle = open();
    ASSERT_EQ(SyncWriteDBSortInfoBlock(handle, nullptr, 0), SYNC_OK);
    ASSERT_EQ(SyncCloseDB(handle), SYNC_OK);
    EXPECT_TRUE(storedDatabase("VantoraPatients").sortInfo.empty());

    PalmDatabase noBlock;
    noBlock.name = "NoLayout";
    storeDatabase(noBlock);
    ASSERT_EQ(SyncOpenDB("NoLayout", 0, &handle, SYNC_MODE_READ), SYNC_OK);
    size = sizeof block;
    EXPECT_EQ(SyncReadDBAppInfoBlock(handle, block, &size), SYNC_ERR_NOT_FOUND);
}

TEST_F(SyncManagerTest, ReadOnlyDatabasesRefuseChanges)
{
    uint8_t handle = open(SYNC_MODE_READ);
    uint32_t id = 0;
    EXPECT_EQ(write(handle, id, "x"), SYNC_ERR_READ_ONLY);
    EXPECT_EQ(SyncDeleteRec(handle, 10), SYNC_ERR_READ_ONLY);
    EXPECT_EQ(SyncPurgeAllRecs(handle), SYNC_ERR_READ_ONLY);
    EXPECT_EQ(SyncWriteDBSortInfoBlock(handle, nullptr, 0), SYNC_ERR_READ_ONLY);
}

TEST_F(SyncManagerTest, OpeningChecksNamesCardsAndHandles)
{
    uint8_t handle = 0;
    EXPECT_EQ(SyncOpenDB("Missing", 0, &handle, SYNC_MODE_READ_WRITE), SYNC_ERR_NOT_FOUND);
    EXPECT_EQ(SyncOpenDB("VantoraPatients", 1, &handle, SYNC_MODE_READ_WRITE), SYNC_ERR_BAD_ARGUMENT);
    EXPECT_EQ(SyncOpenDB("../Handheld/VantoraPatients", 0, &handle, SYNC_MODE_READ_WRITE), SYNC_ERR_BAD_ARGUMENT);
    EXPECT_EQ(SyncOpenDB("", 0, &handle, SYNC_MODE_READ_WRITE), SYNC_ERR_BAD_ARGUMENT);
    EXPECT_EQ(SyncOpenDB(std::string(32, 'n').c_str(), 0, &handle, SYNC_MODE_READ_WRITE), SYNC_ERR_BAD_ARGUMENT);

    handle = open();
    uint8_t second = 0;
    EXPECT_EQ(SyncOpenDB("VantoraPatients", 0, &second, SYNC_MODE_READ_WRITE), SYNC_ERR_ALREADY_OPEN);
    uint16_t count = 0;
    EXPECT_EQ(SyncGetDBRecordCount(static_cast<uint8_t>(handle + 1), &count), SYNC_ERR_BAD_HANDLE);
    EXPECT_EQ(SyncGetDBRecordCount(0, &count), SYNC_ERR_BAD_HANDLE);
}

TEST_F(SyncManagerTest, MalformedDatabaseIsLoggedAndNotOpened)
{
    std::string bytes = testsupport::readFile(databasePath("VantoraPatients"));
    testsupport::writeFile(databasePath("Broken"), bytes.substr(0, 90));
    uint8_t handle = 0;
    EXPECT_EQ(SyncOpenDB("Broken", 0, &handle, SYNC_MODE_READ_WRITE), SYNC_ERR_MALFORMED_DATABASE);
    EXPECT_NE(logText().find("Malformed handheld file " + databasePath("Broken") + ": record list"), std::string::npos)
        << logText();
}

TEST_F(SyncManagerTest, ReadsTheHotSyncUser)
{
    char name[8] = {};
    uint32_t id = 0;
    EXPECT_EQ(SyncReadUserID(name, sizeof name, &id), SYNC_ERR_NO_HANDHELD);

    testsupport::writeFile(handheldFolder() + "/HotSyncUser", "Name=Dr. Alvarez Montes\nId=4000000000\n");
    ASSERT_EQ(SyncReadUserID(name, sizeof name, &id), SYNC_OK);
    EXPECT_STREQ(name, "Dr. Alv") << "cut to the buffer";
    EXPECT_EQ(id, 4000000000u);

    testsupport::writeFile(handheldFolder() + "/HotSyncUser", "Name=Someone\nId=5000000000\n");
    EXPECT_EQ(SyncReadUserID(name, sizeof name, &id), SYNC_ERR_MALFORMED_DATABASE);
    EXPECT_NE(logText().find("HotSyncUser: needs Name= and a 32-bit decimal Id="), std::string::npos);
}

TEST_F(SyncManagerTest, UnregisteringClosesAndSavesWhatIsStillOpen)
{
    uint32_t conduit = 0;
    ASSERT_EQ(SyncRegisterConduit(&conduit), SYNC_OK);
    uint32_t another = 0;
    EXPECT_EQ(SyncRegisterConduit(&another), SYNC_ERR_ALREADY_REGISTERED);
    uint8_t handle = open();
    ASSERT_EQ(SyncPurgeAllRecs(handle), SYNC_OK);

    EXPECT_EQ(SyncUnRegisterConduit(conduit + 1), SYNC_ERR_NOT_REGISTERED);
    ASSERT_EQ(SyncUnRegisterConduit(conduit), SYNC_OK);
    EXPECT_TRUE(storedDatabase("VantoraPatients").records.empty());
    EXPECT_EQ(SyncCloseDB(handle), SYNC_ERR_BAD_HANDLE);
    EXPECT_EQ(SyncUnRegisterConduit(conduit), SYNC_ERR_NOT_REGISTERED);
}

TEST_F(SyncManagerTest, RegisteringNeedsAHandheldFolder)
{
    ASSERT_EQ(SyncSetHandheldFolder(temp_.file("NoSuchFolder").c_str()), SYNC_OK);
    uint32_t conduit = 0;
    EXPECT_EQ(SyncRegisterConduit(&conduit), SYNC_ERR_NO_HANDHELD);
    EXPECT_EQ(SyncSetHandheldFolder(""), SYNC_ERR_BAD_ARGUMENT);
}

TEST(SyncByteOrder, ConvertsBetweenHandheldAndHostOrder)
{
    const uint8_t handheldWord[] = {0x12, 0x34};
    const uint8_t handheldDoubleWord[] = {0x12, 0x34, 0x56, 0x78};
    uint16_t word = 0;
    uint32_t doubleWord = 0;
    std::memcpy(&word, handheldWord, 2);
    std::memcpy(&doubleWord, handheldDoubleWord, 4);
    EXPECT_EQ(SyncHHToHostWord(word), 0x1234);
    EXPECT_EQ(SyncHHToHostDWord(doubleWord), 0x12345678u);
    EXPECT_EQ(SyncHostToHHWord(0x1234), word);
    EXPECT_EQ(SyncHostToHHDWord(0x12345678u), doubleWord);
}
