#include "test_handheld_layout.h"

#include "PalmDatabaseFile.h"
#include "PalmTables.h"
#include "PreferenceFile.h"
#include "SyncManager.h"
#include "TableDescription.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace handheldtest;
using hotsync::PalmDatabase;
using hotsync::PalmRecord;
using namespace std::string_literals;

namespace {

std::string bytes(const std::vector<std::uint8_t>& record)
{
    return asText(record);
}

// A stored record of the every-type layout with a stamp and a name.
std::string storedRecord(const std::string& stamp, const std::string& name, std::uint16_t code)
{
    HandheldLayout layout = everyTypeLayout();
    std::vector<std::uint8_t> record;
    SetRecordDefaults(layout, record);
    std::copy(stamp.begin(), stamp.end(), record.begin());
    std::string text = name;
    ConvertField(ConversionMode::TextToRecord, record, text, layout.fields[0]);
    text = std::to_string(code);
    ConvertField(ConversionMode::TextToRecord, record, text, layout.fields[1]);
    return asText(record);
}

class HandheldTables : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("HOTSYNC_DIR", temp_.file("HotSync").c_str(), 1);
        std::filesystem::create_directories(temp_.file("Handheld"));
        ASSERT_EQ(SyncSetHandheldFolder(temp_.file("Handheld").c_str()), SYNC_OK);

        PalmDatabase patients;
        patients.name = "VantoraPatients";
        patients.appInfo = asText(layoutBlock(kEveryTypeRecordLength, everyTypeFields()));
        patients.sortInfo = "old sort order";
        patients.records.push_back(PalmRecord{1, 0, 0, storedRecord("\x1a\x0c\x01\x08\x00\x00", "Clean", 1)});
        patients.records.push_back(PalmRecord{2, SYNC_REC_DIRTY, 0, storedRecord("\x1a\x0c\x02\x08\x00\x00", "Changed", 2)});
        patients.records.push_back(PalmRecord{3, SYNC_REC_DIRTY, 8, storedRecord("\x1a\x0c\x03\x08\x00\x00", "Gone", 3)});
        store(patients);

        table_.handheldDatabase = "VantoraPatients";
        table_.writeTable = "Patient";
        table_.timeStampColumn = "VXTS";
        table_.fields = {field("code", "PatientId", FieldKind::Key), field("name", "LastName", FieldKind::Compared),
                         field("fee", "Balance", FieldKind::Carried)};
    }

    void TearDown() override
    {
        for (int handle = 1; handle <= 255; ++handle)
            SyncCloseDB(static_cast<std::uint8_t>(handle));
    }

    static SyncFieldDescription field(const std::string& handheld, const std::string& desktop, FieldKind kind)
    {
        SyncFieldDescription description;
        description.handheldName = handheld;
        description.desktopColumn = desktop;
        description.kind = kind;
        return description;
    }

    void store(const PalmDatabase& database)
    {
        std::string error;
        ASSERT_TRUE(hotsync::savePalmDatabaseFile(databasePath(database.name), database, error)) << error;
    }

    PalmDatabase stored(const std::string& name)
    {
        PalmDatabase database;
        std::string error;
        EXPECT_TRUE(hotsync::loadPalmDatabaseFile(databasePath(name), database, error)) << error;
        return database;
    }

    std::string databasePath(const std::string& name) { return temp_.file("Handheld/" + name + ".pdb"); }
    std::string logText() { return testsupport::readFile(temp_.file("HotSync/HotSync.log")); }
    bool logged(const std::string& text) { return logText().find("\t" + text + "\n") != std::string::npos; }

    testsupport::TempDir temp_;
    SyncTableDescription table_;
};

}  // namespace

TEST_F(HandheldTables, OpeningLinksEveryFieldToItsDescriptor)
{
    ASSERT_EQ(OpenPalmTable(table_), 0) << logText();
    EXPECT_NE(table_.handheldHandle, 0);
    EXPECT_EQ(table_.fields[0].descriptorIndex, 1);
    EXPECT_EQ(table_.fields[1].descriptorIndex, 0);
    EXPECT_EQ(table_.fields[2].descriptorIndex, 7);
    EXPECT_TRUE(table_.hasComparedField);
    EXPECT_FALSE(table_.written);
    EXPECT_EQ(ReadTableLayout(table_).recordLength, kEveryTypeRecordLength);
    ClosePalmTable(table_);
    EXPECT_EQ(table_.handheldHandle, 0);

    table_.fields[1].kind = FieldKind::Key;
    ASSERT_EQ(OpenPalmTable(table_), 0);
    EXPECT_FALSE(table_.hasComparedField);
}

TEST_F(HandheldTables, OpeningFailuresAreLoggedAndLeaveTheDatabaseClosed)
{
    table_.handheldDatabase = "Missing";
    EXPECT_EQ(OpenPalmTable(table_), 1);
    EXPECT_TRUE(logged("OpenPalmTable: SynOpenDb error=" + std::to_string(SYNC_ERR_NOT_FOUND) + " opening Missing"))
        << logText();

    table_.handheldDatabase = "VantoraPatients";
    table_.fields.push_back(field("nofield", "Nothing", FieldKind::Carried));
    EXPECT_EQ(OpenPalmTable(table_), 1);
    EXPECT_TRUE(logged("OpenPalmTable: Palm Field not found: nofield")) << logText();
    table_.fields.pop_back();
    ASSERT_EQ(OpenPalmTable(table_), 0) << "the failed open closed the database";
    ClosePalmTable(table_);

    PalmDatabase withoutLayout;
    withoutLayout.name = "NoLayout";
    store(withoutLayout);
    table_.handheldDatabase = "NoLayout";
    EXPECT_EQ(OpenPalmTable(table_), 1);
    EXPECT_TRUE(logged("SyncReadDBAppInfoBlock Failed")) << logText();

    PalmDatabase badLayout;
    badLayout.name = "BadLayout";
    badLayout.appInfo = asText(layoutBlock(20, {{"code", kFieldMoney, 4, 18}}));
    store(badLayout);
    table_.handheldDatabase = "BadLayout";
    EXPECT_EQ(OpenPalmTable(table_), 1);
    EXPECT_NE(logText().find("OpenPalmTable: malformed layout of BadLayout: field code"), std::string::npos)
        << logText();
    std::uint8_t handle = 0;
    EXPECT_EQ(SyncOpenDB("BadLayout", 0, &handle, SYNC_MODE_READ), SYNC_OK) << "closed again";
}

TEST_F(HandheldTables, ModifiedRecordsAreListedWithTheirDeletedMark)
{
    ASSERT_EQ(OpenPalmTable(table_), 0);
    ASSERT_EQ(ReadPalmTable(table_), 0);
    ASSERT_EQ(ReadModifiedPalmRecords(table_), 0);
    ASSERT_EQ(table_.records.size(), 2u);
    EXPECT_EQ(table_.records[0].recordId, 2u);
    EXPECT_FALSE(table_.records[0].deleted);
    EXPECT_EQ(table_.records[0].status, 0);
    EXPECT_EQ(bytes(table_.records[0].bytes), storedRecord("\x1a\x0c\x02\x08\x00\x00", "Changed", 2));
    EXPECT_EQ(table_.records[1].recordId, 3u);
    EXPECT_TRUE(table_.records[1].deleted);
    EXPECT_TRUE(logged("Palm Modified records: 2")) << logText();

    std::string literal;
    ASSERT_TRUE(ConvertField(ConversionMode::RecordToLiteral, table_.records[1].bytes, literal,
                             ReadTableLayout(table_).fields[table_.fields[1].descriptorIndex]));
    EXPECT_EQ(literal, "'Gone'");
}

TEST_F(HandheldTables, RecordsOfAnotherSizeAreLoggedAndKeptAtTheLayoutsSize)
{
    PalmDatabase patients = stored("VantoraPatients");
    patients.records[1].bytes = "short";
    patients.records[2].bytes = std::string(80, 'x');
    store(patients);
    ASSERT_EQ(OpenPalmTable(table_), 0);
    ASSERT_EQ(ReadPalmTable(table_), 0);
    ASSERT_EQ(ReadModifiedPalmRecords(table_), 0);
    ASSERT_EQ(table_.records.size(), 2u);
    EXPECT_EQ(bytes(table_.records[0].bytes), "short" + std::string(49, '\0'));
    EXPECT_EQ(bytes(table_.records[1].bytes), std::string(54, 'x'));
    EXPECT_TRUE(logged("Palm record 2 of VantoraPatients has 5 bytes, 54 expected")) << logText();
    EXPECT_TRUE(logged("Palm record 3 of VantoraPatients has 80 bytes, 54 expected")) << logText();
}

TEST_F(HandheldTables, ARecordTheHandheldCannotAnswerEndsTheReading)
{
    PalmDatabase patients = stored("VantoraPatients");
    patients.records[2].bytes = std::string(2001, 'x');
    store(patients);
    ASSERT_EQ(OpenPalmTable(table_), 0);
    EXPECT_EQ(ReadPalmTable(table_), 1);
    EXPECT_EQ(table_.heldRecords.size(), 2u);
    EXPECT_TRUE(logged("SyncReadRecordByIndex error=" + std::to_string(SYNC_ERR_BUFFER_TOO_SMALL) +
                       " reading VantoraPatients"))
        << logText();
}

TEST_F(HandheldTables, AChangeThatCannotReachTheFileIsLoggedOnClosing)
{
    ASSERT_EQ(OpenPalmTable(table_), 0);
    ASSERT_EQ(ClearSortInfo(table_.handheldHandle), 0);
    std::filesystem::remove(databasePath("VantoraPatients"));
    std::filesystem::create_directory(databasePath("VantoraPatients"));
    ClosePalmTable(table_);
    EXPECT_TRUE(logged("ClosePalmTable: SyncCloseDB error=" + std::to_string(SYNC_ERR_FILE) + " closing VantoraPatients"))
        << logText();
    EXPECT_EQ(table_.handheldHandle, 0);
}

TEST_F(HandheldTables, AllRecordsAreReadByIndex)
{
    ASSERT_EQ(OpenPalmTable(table_), 0);
    ASSERT_EQ(ReadPalmTable(table_), 0);
    ASSERT_EQ(ReadAllPalmRecords(table_), 0);
    ASSERT_EQ(table_.records.size(), 3u);
    EXPECT_EQ(table_.records[0].recordId, 1u);
    EXPECT_EQ(table_.records[2].recordId, 3u);
    EXPECT_TRUE(table_.records[2].deleted);
}

TEST_F(HandheldTables, DesktopRowsAreWrittenWithTheirStampAndFields)
{
    ASSERT_EQ(OpenPalmTable(table_), 0);
    std::vector<std::uint8_t> record;
    SetRecordDefaults(ReadTableLayout(table_), record);
    table_.desktopStamp = "2026-12-07 09:05:03";
    table_.fields[0].value = "25001";
    table_.fields[1].value = "D'Angelo";
    table_.fields[2].value = "12.349";
    std::uint32_t recordId = 0;
    ASSERT_EQ(WriteRecordToPalm(table_, recordId, record), 0) << logText();
    EXPECT_EQ(recordId, 4u);
    EXPECT_TRUE(table_.written);
    ClosePalmTable(table_);

    PalmDatabase patients = stored("VantoraPatients");
    ASSERT_EQ(patients.records.size(), 4u);
    const PalmRecord& written = patients.records[3];
    EXPECT_EQ(written.uniqueId, 4u);
    EXPECT_EQ(written.flags, 0) << "clean";
    EXPECT_EQ(written.category, 0);
    EXPECT_EQ(written.bytes, bytes(record));
    EXPECT_EQ(written.bytes.substr(0, 6), std::string("\x1a\x0c\x07\x09\x05\x03", 6));
    HandheldLayout layout = everyTypeLayout();
    std::string literal;
    ConvertField(ConversionMode::RecordToLiteral, record, literal, layout.fields[1]);
    EXPECT_EQ(literal, "25001");
    ConvertField(ConversionMode::RecordToLiteral, record, literal, layout.fields[0]);
    EXPECT_EQ(literal, "'D''Angelo'");
    ConvertField(ConversionMode::RecordToLiteral, record, literal, layout.fields[7]);
    EXPECT_EQ(literal, "12.34");
}

TEST_F(HandheldTables, ATableWithoutTimeStampColumnWritesAZeroStamp)
{
    table_.timeStampColumn.clear();
    table_.desktopStamp = "2026-12-07 09:05:03";
    ASSERT_EQ(OpenPalmTable(table_), 0);
    ASSERT_EQ(ReadPalmTable(table_), 0);
    ASSERT_EQ(ReadModifiedPalmRecords(table_), 0);
    std::vector<std::uint8_t> record = table_.records[0].bytes;
    std::uint32_t recordId = table_.records[0].recordId;
    table_.fields[0].value = "2";
    table_.fields[1].value = "Rewritten";
    ASSERT_EQ(WriteRecordToPalm(table_, recordId, record), 0);
    EXPECT_EQ(recordId, 2u);
    EXPECT_EQ(std::vector<std::uint8_t>(record.begin(), record.begin() + 6), std::vector<std::uint8_t>(6, 0));
    ClosePalmTable(table_);
    EXPECT_EQ(stored("VantoraPatients").records[1].bytes, bytes(record));
}

TEST_F(HandheldTables, AFailedWriteIsLoggedWithTheHandheldsError)
{
    ASSERT_EQ(OpenPalmTable(table_), 0);
    std::vector<std::uint8_t> record;
    std::uint32_t recordId = 999;
    EXPECT_EQ(WriteRecordToPalm(table_, recordId, record), 1);
    EXPECT_TRUE(logged("Error writing data to palm in :999 , err=" + std::to_string(SYNC_ERR_NOT_FOUND))) << logText();
    EXPECT_FALSE(table_.written);
}

TEST_F(HandheldTables, ClearingSortInfoEmptiesTheBlock)
{
    ASSERT_EQ(OpenPalmTable(table_), 0);
    EXPECT_EQ(ClearSortInfo(table_.handheldHandle), 0);
    ClosePalmTable(table_);
    EXPECT_TRUE(stored("VantoraPatients").sortInfo.empty());
    EXPECT_EQ(ClearSortInfo(table_.handheldHandle), SYNC_ERR_BAD_HANDLE);
}

namespace {

class PreferenceDatabase : public HandheldTables {
protected:
    void SetUp() override
    {
        HandheldTables::SetUp();
        PalmDatabase preferences;
        preferences.name = "VantoraPrefs";
        preferences.appInfo = asText(layoutBlock(16, {{"owner", kFieldText, 4, 8}, {"rancod", kFieldDoubleWord, 4, 12}}));
        preferences.records.push_back(PalmRecord{77, SYNC_REC_DIRTY, 5, std::string(6, '\0') + "Ana" + std::string(5, '\0')});
        store(preferences);
    }
};

}  // namespace

TEST_F(PreferenceDatabase, TheTerminalNumberIsWrittenIntoRecordZero)
{
    PreferenceFile preference;
    ASSERT_EQ(OpenPreferenceFile(preference, "VantoraPrefs"), 0) << logText();
    EXPECT_EQ(preference.recordId, 77u);
    EXPECT_EQ(preference.record.size(), 14u);
    EXPECT_EQ(SetPreferenceField(preference.layout, preference.record, 2000, "rancod"), 0);
    EXPECT_EQ(SetPreferenceField(preference.layout, preference.record, 2000, "Rancod"), 1) << "names match exactly";
    ASSERT_EQ(WritePreferenceRecord(preference), 0);
    ClosePreferenceFile(preference);

    PalmDatabase preferences = stored("VantoraPrefs");
    ASSERT_EQ(preferences.records.size(), 1u);
    EXPECT_EQ(preferences.records[0].uniqueId, 77u);
    EXPECT_EQ(preferences.records[0].category, 5);
    EXPECT_EQ(preferences.records[0].bytes, std::string(6, '\0') + "Ana" + std::string(1, '\0') + "\x00\x00\x07\xD0"s);
}

TEST_F(PreferenceDatabase, OpeningFailuresAnswerTheirNumbers)
{
    PreferenceFile preference;
    EXPECT_EQ(OpenPreferenceFile(preference, ""), 6);
    EXPECT_TRUE(logText().empty());
    EXPECT_EQ(OpenPreferenceFile(preference, "Missing"), 1);
    EXPECT_TRUE(logged("Unable to open preference file Missing")) << logText();

    PalmDatabase withoutLayout;
    withoutLayout.name = "NoLayout";
    store(withoutLayout);
    EXPECT_EQ(OpenPreferenceFile(preference, "NoLayout"), 2);
    EXPECT_TRUE(logged("Unable to read header of preference file NoLayout")) << logText();

    PalmDatabase empty = stored("VantoraPrefs");
    empty.records.clear();
    store(empty);
    EXPECT_EQ(OpenPreferenceFile(preference, "VantoraPrefs"), 4);
    EXPECT_TRUE(logged("Error reading preference record of VantoraPrefs")) << logText();
    std::uint8_t handle = 0;
    EXPECT_EQ(SyncOpenDB("VantoraPrefs", 0, &handle, SYNC_MODE_READ), SYNC_OK) << "closed after the failure";
}
