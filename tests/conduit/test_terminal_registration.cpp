// A handheld seen for the first time gets the next terminal number and starts from the desktop.
#include "SyncTestEnvironment.h"

#include "FieldConversion.h"
#include "SyncManager.h"
#include "UserData.h"

#include <filesystem>

using demohandheld::Patient;
using demohandheld::stamp;

namespace {

class TerminalRegistrationTest : public SyncTest {
protected:
    std::string rancod()
    {
        hotsync::PalmDatabase preferences = storedDatabase(demohandheld::kPreferenceDatabase);
        std::vector<std::uint8_t> record(preferences.records.at(0).bytes.begin(), preferences.records.at(0).bytes.end());
        std::string literal;
        ConvertField(ConversionMode::RecordToLiteral, record, literal, demohandheld::preferenceLayout().fields[0]);
        return literal;
    }

    // Another handheld on the same desktop.
    void switchHandheld(const std::string& name, std::uint32_t id)
    {
        demohandheld::writeHotSyncUser(handheldFolder, name, id);
        storeDatabase(demohandheld::preferenceDatabase(0));
        ASSERT_EQ(UserDataSetString(id, kConduitName, "DBQ", databasePath.c_str()), 0);
    }
};

TEST_F(TerminalRegistrationTest, NewHandheldsGetTheNextTerminalAndStartFromTheDesktop)
{
    execute("INSERT INTO Patient (PatientId, [Names]) VALUES (25001, 'ON DESKTOP')");
    synchronise();

    EXPECT_EQ(count("SELECT TerminalId FROM VXUSERS WHERE PDTId = 4242 AND PDTOwner = 'Dr Alma'"), 1);
    EXPECT_EQ(rancod(), "1000");
    EXPECT_TRUE(logged("Changing to Desktop overrides HH mode"));
    EXPECT_TRUE(logged("Purging table!!"));
    ASSERT_EQ(storedPatients().records.size(), 1u);
    EXPECT_EQ(demohandheld::patientField(storedPatients().records[0].bytes, "id"), "25001");

    // A new handheld that already holds a record of its own brings it in instead of losing it.
    switchHandheld("O'Neil", 77);
    storePatients({changedPatient(3, stamp(2026, 12, 7, 10, 0, 0), {1001, "ON HANDHELD"})});
    const std::size_t logBefore = logText().size();
    synchronise();
    EXPECT_EQ(count("SELECT TerminalId FROM VXUSERS WHERE PDTId = 77 AND PDTOwner = 'O''Neil'"), 2) << logText();
    EXPECT_EQ(rancod(), "2000");
    EXPECT_TRUE(logged("The handheld already holds records: they are exchanged with the desktop, not overwritten"));
    EXPECT_EQ(logText().find("Purging table!!", logBefore), std::string::npos);
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 1001"), "ON HANDHELD");
    EXPECT_EQ(storedPatients().records.size(), 2u);
}

TEST_F(TerminalRegistrationTest, AHandheldARestoredDesktopNoLongerKnowsBringsItsRecordsIn)
{
    insertDesktopPatient({25000, "BEFORE THE BACKUP"}, "#2026-12-01 08:00:00#");
    const std::string firstHandheld = handheldFolder;
    const std::string secondHandheld = addHandheld("Second", "Dr Bo", 77);
    synchronise();
    desktop.reset();
    std::filesystem::copy_file(databasePath, temp.file("backup.mdb"));
    reopenDesktop();

    // Registered after the backup, the first handheld then takes a new desktop patient, and its
    // doctor changes one patient and makes another.
    useHandheld(firstHandheld);
    synchronise();
    insertDesktopPatient({25001, "AFTER THE BACKUP"}, "#2026-12-02 08:00:00#");
    synchronise();
    changeOnHandheld(25000, "ward", "12", stamp(2026, 12, 8, 9, 0, 0));
    hotsync::PalmDatabase patients = storedPatients();
    patients.records.push_back(changedPatient(900, stamp(2026, 12, 8, 9, 5, 0), {1001, "MADE ON THE HANDHELD"}));
    storeDatabase(patients);

    desktop.reset();
    for (const char* suffix : {"-wal", "-shm"})
        std::filesystem::remove(databasePath + suffix);
    std::filesystem::copy_file(temp.file("backup.mdb"), databasePath, std::filesystem::copy_options::overwrite_existing);
    reopenDesktop();
    synchronise();

    EXPECT_EQ(text("SELECT InWardCode FROM Patient WHERE PatientId = 25000"), "12") << logText();
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 1001"), "MADE ON THE HANDHELD");
    EXPECT_EQ(text("SELECT [Names] FROM Patient WHERE PatientId = 25001"), "AFTER THE BACKUP");
    EXPECT_EQ(storedPatients().records.size(), 3u);
    EXPECT_EQ(demohandheld::patientField(handheldPatient(25000).bytes, "ward"), "12");

    useHandheld(secondHandheld);
    synchronise();
    EXPECT_EQ(storedPatients().records.size(), 3u);
    EXPECT_EQ(demohandheld::patientField(handheldPatient(1001).bytes, "names"), "'MADE ON THE HANDHELD'");
    EXPECT_EQ(demohandheld::patientField(handheldPatient(25000).bytes, "ward"), "12");
}

TEST_F(TerminalRegistrationTest, ARegisteredHandheldKeepsTheAskedModeUntilItsRowIsGone)
{
    synchronise();
    storePatients({changedPatient(3, stamp(2026, 12, 7, 10, 0, 0), {1001, "ON HANDHELD"})});
    storeDatabase(demohandheld::preferenceDatabase(5));
    synchronise();
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId = 1001"), 1) << "synchronised, not purged";
    EXPECT_EQ(rancod(), "5") << "the preference record is left alone";
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXUSERS"), 1);

    execute("DELETE FROM VXUSERS WHERE PDTId = 4242");
    execute("INSERT INTO VXUSERS (PDTId, TerminalId, PDTOwner) VALUES (9, 6, 'OTHER')");
    synchronise();
    EXPECT_EQ(count("SELECT TerminalId FROM VXUSERS WHERE PDTId = 4242"), 7);
    EXPECT_EQ(rancod(), "7000");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Patient WHERE PatientId = 1001"), 1) << "the desktop rows stay";
    EXPECT_EQ(storedPatients().records.size(), 1u);
}

TEST_F(TerminalRegistrationTest, EveryFailureIsLoggedAndEndsTheRun)
{
    execute("INSERT INTO Patient (PatientId, [Names]) VALUES (25001, 'ON DESKTOP')");
    storeDatabase(demohandheld::emptyDatabase(demohandheld::kPreferenceDatabase, demohandheld::patientLayout()));
    synchroniseUntilTheRunEnds();
    EXPECT_TRUE(logged("Error reading preference record of VelvixPrefs")) << logText();
    EXPECT_TRUE(logged("Error opereading file " + tableDescriptionPath));

    hotsync::PalmDatabase noRancod = demohandheld::emptyDatabase(demohandheld::kPreferenceDatabase,
                                                                 demohandheld::historyLayout());
    noRancod.records.push_back({1, 0, 0, demohandheld::historyBytes(1, 2, 3)});
    storeDatabase(noRancod);
    synchroniseUntilTheRunEnds();
    EXPECT_TRUE(logged("Error setting TerminalId on PDA buffer"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM VXUSERS"), 1) << "the user row was written before";
    EXPECT_TRUE(storedPatients().records.empty()) << "the run ended";

    execute("DROP TABLE VXUSERS");
    synchroniseUntilTheRunEnds();
    EXPECT_TRUE(logged("ReadUserInfoFromPC Failure: SELECT PDTId FROM VXUSERS WHERE PDTId=4242")) << logText();
    EXPECT_TRUE(logged("Error reading user info from database"));
    EXPECT_TRUE(storedPatients().records.empty());
}

TEST_F(TerminalRegistrationTest, AnUnreadableLastTerminalOrAFailedInsertEndsTheRun)
{
    execute("DROP TABLE VXUSERS");
    execute("CREATE VIEW VXUSERS AS SELECT 1 AS PDTId, 1 AS Other");
    synchroniseUntilTheRunEnds();
    EXPECT_TRUE(logged("ReadLastTerminalId Failure: SELECT MAX(TerminalId) AS LastTerm FROM VXUSERS")) << logText();
    EXPECT_TRUE(logged("Error reading last terminal id"));

    execute("DROP VIEW VXUSERS");
    execute("CREATE TABLE VXUSERS (PDTId INTEGER, TerminalId INTEGER)");
    synchroniseUntilTheRunEnds();
    EXPECT_TRUE(logged("Failure: INSERT INTO VXUsers (PDTId, TerminalId, PDTOwner) VALUES (4242, 1, 'Dr Alma')"))
        << logText();
    EXPECT_TRUE(logged("Error inserting User Info to PC"));
    EXPECT_FALSE(logged("Changing to Desktop overrides HH mode"));
}

}  // namespace
