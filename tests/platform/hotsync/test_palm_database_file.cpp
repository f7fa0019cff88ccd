#include "PalmDatabaseFile.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using hotsync::PalmDatabase;
using hotsync::PalmRecord;

namespace {

PalmDatabase sampleDatabase()
{
    PalmDatabase database;
    database.name = "VantoraPatients";
    database.attributes = 0x0008;
    database.version = 3;
    database.creationDate = 0xC0000001;
    database.modificationDate = 0xC0000002;
    database.backupDate = 0xC0000003;
    database.modificationNumber = 17;
    database.type = "DATA";
    database.creator = "VLXa";
    database.uniqueIdSeed = 0x300;
    database.appInfo = std::string("\x00\x01\x02\x03", 4) + std::string(200, 'a');
    database.sortInfo = "sort";
    database.records.push_back(PalmRecord{0x000101, 0x40, 0, "first"});
    database.records.push_back(PalmRecord{0x000102, 0x80 | 0x40, 8, std::string("\0\0second", 8)});
    database.records.push_back(PalmRecord{0xFFFFFF, 0x10, 15, "third record"});
    return database;
}

std::string serialized(const PalmDatabase& database)
{
    std::string bytes;
    std::string error;
    EXPECT_TRUE(hotsync::serializePalmDatabase(database, bytes, error)) << error;
    return bytes;
}

void putDoubleWord(std::string& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * (3 - i))) & 0xFF);
}

void expectRejected(const std::string& bytes, const std::string& why)
{
    PalmDatabase database;
    std::string error;
    EXPECT_FALSE(hotsync::parsePalmDatabase(bytes, database, error)) << why;
    EXPECT_FALSE(error.empty()) << why;
}

}  // namespace

TEST(PalmDatabaseFile, RoundTripKeepsHeaderBlocksAndRecordAttributes)
{
    PalmDatabase original = sampleDatabase();
    std::string bytes = serialized(original);

    PalmDatabase read;
    std::string error;
    ASSERT_TRUE(hotsync::parsePalmDatabase(bytes, read, error)) << error;
    EXPECT_EQ(read.name, original.name);
    EXPECT_EQ(read.attributes, original.attributes);
    EXPECT_EQ(read.version, original.version);
    EXPECT_EQ(read.creationDate, original.creationDate);
    EXPECT_EQ(read.modificationDate, original.modificationDate);
    EXPECT_EQ(read.backupDate, original.backupDate);
    EXPECT_EQ(read.modificationNumber, original.modificationNumber);
    EXPECT_EQ(read.type, "DATA");
    EXPECT_EQ(read.creator, "VLXa");
    EXPECT_EQ(read.uniqueIdSeed, original.uniqueIdSeed);
    EXPECT_EQ(read.appInfo, original.appInfo);
    EXPECT_EQ(read.sortInfo, "sort");
    ASSERT_EQ(read.records.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read.records[i].uniqueId, original.records[i].uniqueId);
        EXPECT_EQ(read.records[i].flags, original.records[i].flags);
        EXPECT_EQ(read.records[i].category, original.records[i].category);
        EXPECT_EQ(read.records[i].bytes, original.records[i].bytes);
    }
}

TEST(PalmDatabaseFile, LayoutIsTheStandardOne)
{
    std::string bytes = serialized(sampleDatabase());
    // Header, three 8-byte entries, two pad bytes, then the blocks in order.
    size_t appInfoAt = 78 + 3 * 8 + 2;
    EXPECT_EQ(bytes.substr(0, 16), "VantoraPatients" + std::string(1, '\0'));
    EXPECT_EQ(static_cast<uint8_t>(bytes[55]), appInfoAt);
    EXPECT_EQ(bytes.substr(60, 8), "DATAVLXa");
    EXPECT_EQ(static_cast<uint8_t>(bytes[77]), 3);
    // Second entry: attributes byte deleted|dirty|category 8, then its 24-bit id.
    EXPECT_EQ(static_cast<uint8_t>(bytes[78 + 8 + 4]), 0xC8);
    EXPECT_EQ(static_cast<uint8_t>(bytes[78 + 8 + 7]), 0x02);
    EXPECT_EQ(bytes.substr(appInfoAt + 204, 4), "sort");
    EXPECT_EQ(bytes.substr(appInfoAt + 208, 5), "first");
    EXPECT_EQ(bytes.substr(bytes.size() - 12), "third record");
}

TEST(PalmDatabaseFile, DatabaseWithoutBlocksOrRecordsRoundTrips)
{
    PalmDatabase empty;
    empty.name = "Empty";
    PalmDatabase read;
    std::string error;
    ASSERT_TRUE(hotsync::parsePalmDatabase(serialized(empty), read, error)) << error;
    EXPECT_EQ(read.name, "Empty");
    EXPECT_TRUE(read.appInfo.empty());
    EXPECT_TRUE(read.sortInfo.empty());
    EXPECT_TRUE(read.records.empty());
}

TEST(PalmDatabaseFile, UnstorableDatabasesAreRefused)
{
    std::string bytes;
    std::string error;
    PalmDatabase longName = sampleDatabase();
    longName.name = std::string(32, 'n');
    EXPECT_FALSE(hotsync::serializePalmDatabase(longName, bytes, error));
    PalmDatabase badCreator = sampleDatabase();
    badCreator.creator = "VLX";
    EXPECT_FALSE(hotsync::serializePalmDatabase(badCreator, bytes, error));
    PalmDatabase badId = sampleDatabase();
    badId.records[0].uniqueId = 0x1000000;
    EXPECT_FALSE(hotsync::serializePalmDatabase(badId, bytes, error));
    PalmDatabase badCategory = sampleDatabase();
    badCategory.records[0].category = 16;
    EXPECT_FALSE(hotsync::serializePalmDatabase(badCategory, bytes, error));
}

TEST(PalmDatabaseFile, MalformedFilesAreRejected)
{
    const std::string good = serialized(sampleDatabase());
    const size_t appInfoAt = 78 + 3 * 8 + 2;

    expectRejected(good.substr(0, 77), "shorter than a header");
    expectRejected(good.substr(0, 78 + 2 * 8), "record list cut short");

    std::string unterminatedName = good;
    std::fill(unterminatedName.begin(), unterminatedName.begin() + 32, 'x');
    expectRejected(unterminatedName, "name fills its 32 bytes");

    std::string resource = good;
    resource[33] = 0x01;
    expectRejected(resource, "resource database");

    std::string chained = good;
    putDoubleWord(chained, 72, 1);
    expectRejected(chained, "chained record list");

    std::string tooManyRecords = good;
    tooManyRecords[76] = 0x10;
    expectRejected(tooManyRecords, "record count beyond the file");

    std::string appInfoInsideList = good;
    putDoubleWord(appInfoInsideList, 52, 80);
    expectRejected(appInfoInsideList, "application info overlapping the record list");

    std::string recordPastEnd = good;
    putDoubleWord(recordPastEnd, 78 + 2 * 8, static_cast<uint32_t>(good.size() + 1));
    expectRejected(recordPastEnd, "record offset past the end");

    std::string outOfOrder = good;
    putDoubleWord(outOfOrder, 78, static_cast<uint32_t>(good.size() - 1));
    expectRejected(outOfOrder, "record offsets out of order");

    std::string sortBeforeAppInfo = good;
    putDoubleWord(sortBeforeAppInfo, 56, static_cast<uint32_t>(appInfoAt - 1));
    expectRejected(sortBeforeAppInfo, "sort info before application info");

    std::string duplicateIds = good;
    putDoubleWord(duplicateIds, 78 + 8 + 4, 0x40000101);
    expectRejected(duplicateIds, "two records with one id");
}

TEST(PalmDatabaseFile, EveryTruncationIsEitherRejectedOrReadWithinTheBytes)
{
    const std::string good = serialized(sampleDatabase());
    for (size_t length = 0; length < good.size(); ++length) {
        PalmDatabase read;
        std::string error;
        if (!hotsync::parsePalmDatabase(good.substr(0, length), read, error))
            continue;
        // Only the last record can be cut and still read.
        ASSERT_EQ(read.records.size(), 3u) << length;
        EXPECT_EQ(read.records[1].bytes, std::string("\0\0second", 8)) << length;
        EXPECT_LT(read.records[2].bytes.size(), 12u) << length;
    }
}

TEST(PalmDatabaseFile, SavingReplacesTheFileWhole)
{
    testsupport::TempDir folder;
    std::string path = folder.file("Handheld/VantoraPatients.pdb");
    std::string error;
    ASSERT_TRUE(hotsync::savePalmDatabaseFile(path, sampleDatabase(), error)) << error;
    PalmDatabase changed = sampleDatabase();
    changed.records.pop_back();
    ASSERT_TRUE(hotsync::savePalmDatabaseFile(path, changed, error)) << error;

    PalmDatabase read;
    ASSERT_TRUE(hotsync::loadPalmDatabaseFile(path, read, error)) << error;
    EXPECT_EQ(read.records.size(), 2u);
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.file("Handheld")))
        ++files;
    EXPECT_EQ(files, 1u) << "no temporary file is left behind";
}

TEST(PalmDatabaseFile, FailedSaveKeepsThePreviousFile)
{
    testsupport::TempDir folder;
    std::string path = folder.file("VantoraPatients.pdb");
    std::string error;
    ASSERT_TRUE(hotsync::savePalmDatabaseFile(path, sampleDatabase(), error)) << error;
    std::string before = testsupport::readFile(path);

    PalmDatabase unstorable = sampleDatabase();
    unstorable.creator = "toolong";
    EXPECT_FALSE(hotsync::savePalmDatabaseFile(path, unstorable, error));
    std::filesystem::create_directory(folder.file("blocked.pdb"));
    EXPECT_FALSE(hotsync::savePalmDatabaseFile(folder.file("blocked.pdb"), sampleDatabase(), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(testsupport::readFile(path), before);
}
