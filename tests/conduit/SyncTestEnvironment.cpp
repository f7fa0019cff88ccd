#include "SyncTestEnvironment.h"

#include "HotSyncLog.h"
#include "PracticeDatabase.h"
#include "SyncManager.h"
#include "SyncTables.h"
#include "UserData.h"
#include "Workgroup.h"

#include <cstdlib>
#include <filesystem>

namespace {

// Test programs live in <build>/tests, the generated odbcinst.ini in <build>/odbc.
std::string driverRegistryFolder()
{
    return (std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "odbc").string();
}

std::string shippedTableDescription()
{
    return (std::filesystem::path(VANTORA_SOURCE_DIR) / "conduit" / "Velvix.vlx").string();
}

}  // namespace

hotsync::PalmRecord changedPatient(std::uint32_t recordId, const std::string& recordStamp,
                                   const demohandheld::Patient& patient)
{
    return hotsync::PalmRecord{recordId, SYNC_REC_DIRTY, 0, demohandheld::patientBytes(recordStamp, patient)};
}

hotsync::PalmRecord deletedPatient(std::uint32_t recordId, const std::string& recordStamp,
                                   const demohandheld::Patient& patient)
{
    return hotsync::PalmRecord{recordId, SYNC_REC_DIRTY, 8, demohandheld::patientBytes(recordStamp, patient)};
}

void SyncTest::SetUp()
{
    ::setenv("HOTSYNC_DIR", temp.file("HotSync").c_str(), 1);
    ::setenv("ODBCSYSINI", driverRegistryFolder().c_str(), 1);
    databasePath = temp.file("practice.mdb");
    std::string error;
    ASSERT_TRUE(practicedb::createPracticeDatabase(databasePath, error)) << error;
    reopenDesktop();

    useHandheld(addHandheld("Handheld", kUserName, kUserId));
    tableDescriptionPath = shippedTableDescription();
}

std::string SyncTest::addHandheld(const std::string& folderName, const std::string& userName, std::uint32_t userId)
{
    const std::string folder = temp.file(folderName);
    std::filesystem::create_directories(folder);
    useHandheld(folder);
    demohandheld::writeHotSyncUser(folder, userName, userId);
    storeDatabase(demohandheld::emptyDatabase(demohandheld::kPatientsDatabase, demohandheld::patientLayout()));
    storeDatabase(demohandheld::emptyDatabase(demohandheld::kHistoryDatabase, demohandheld::historyLayout()));
    storeDatabase(demohandheld::preferenceDatabase(0));
    EXPECT_EQ(UserDataSetString(userId, kConduitName, "DBQ", databasePath.c_str()), 0);
    EXPECT_EQ(UserDataSetString(userId, kConduitName, "SystemDB", jet::workgroupPathFor(databasePath).c_str()), 0);
    return folder;
}

void SyncTest::useHandheld(const std::string& folder)
{
    handheldFolder = folder;
    ASSERT_EQ(SyncSetHandheldFolder(handheldFolder.c_str()), SYNC_OK);
}

void SyncTest::TearDown()
{
    for (int handle = 1; handle <= 32; ++handle)
        SyncCloseDB(static_cast<std::uint8_t>(handle));
}

void SyncTest::reopenDesktop()
{
    std::string error;
    desktop = jet::Connection::open(practicedb::connectionSettings(databasePath), error);
    ASSERT_TRUE(desktop) << error;
}

void SyncTest::registerHandheld()
{
    execute("INSERT INTO VXUSERS (PDTId, TerminalId, PDTOwner) VALUES (" + std::to_string(kUserId) + ", 1, 'Dr Alma')");
}

void SyncTest::synchronise(int purgeFlag)
{
    EXPECT_EQ(SyncTables(purgeFlag, kConduitName, tableDescriptionPath, "", ""), 0);
}

void SyncTest::synchroniseUntilTheRunEnds()
{
    EXPECT_EQ(SyncTables(0, kConduitName, tableDescriptionPath, "", ""), 1);
}

void SyncTest::storeDatabase(const hotsync::PalmDatabase& database)
{
    std::string error;
    ASSERT_TRUE(hotsync::savePalmDatabaseFile(handheldFolder + "/" + database.name + ".pdb", database, error)) << error;
}

hotsync::PalmDatabase SyncTest::storedDatabase(const std::string& name)
{
    hotsync::PalmDatabase database;
    std::string error;
    EXPECT_TRUE(hotsync::loadPalmDatabaseFile(handheldFolder + "/" + name + ".pdb", database, error)) << error;
    return database;
}

void SyncTest::storePatients(const std::vector<hotsync::PalmRecord>& records)
{
    hotsync::PalmDatabase patients = demohandheld::emptyDatabase(demohandheld::kPatientsDatabase,
                                                                 demohandheld::patientLayout());
    patients.records = records;
    storeDatabase(patients);
}

hotsync::PalmRecord SyncTest::handheldPatient(int patientId)
{
    for (const hotsync::PalmRecord& record : storedPatients().records)
        if (demohandheld::patientField(record.bytes, "id") == std::to_string(patientId))
            return record;
    ADD_FAILURE() << "the handheld holds no patient " << patientId;
    return {};
}

bool SyncTest::handheldHasPatient(int patientId)
{
    for (const hotsync::PalmRecord& record : storedPatients().records)
        if (demohandheld::patientField(record.bytes, "id") == std::to_string(patientId))
            return true;
    return false;
}

void SyncTest::editOnHandheld(const demohandheld::Patient& patient, const std::string& recordStamp,
                              std::uint8_t category)
{
    rewriteOnHandheld(patient.id, [&](hotsync::PalmRecord& record) {
        record.category = category;
        record.bytes = demohandheld::patientBytes(recordStamp, patient);
    });
}

void SyncTest::changeOnHandheld(int patientId, const std::string& fieldName, const std::string& text,
                                const std::string& recordStamp)
{
    rewriteOnHandheld(patientId, [&](hotsync::PalmRecord& record) {
        demohandheld::setPatientField(record.bytes, fieldName, text);
        record.bytes.replace(0, recordStamp.size(), recordStamp);
    });
}

void SyncTest::rewriteOnHandheld(int patientId, const std::function<void(hotsync::PalmRecord&)>& change)
{
    hotsync::PalmDatabase patients = storedPatients();
    for (hotsync::PalmRecord& record : patients.records) {
        if (demohandheld::patientField(record.bytes, "id") != std::to_string(patientId))
            continue;
        change(record);
        record.flags = SYNC_REC_DIRTY;
        storeDatabase(patients);
        return;
    }
    ADD_FAILURE() << "the handheld holds no patient " << patientId;
}

void SyncTest::insertDesktopPatient(const demohandheld::Patient& patient, const std::string& vxts)
{
    std::string names = "'";
    for (char c : patient.names)
        names += c == '\'' ? std::string("''") : std::string(1, c);
    execute("INSERT INTO Patient (PatientId, [Names], DateOfBirth, AccountNumber, InsuranceCode, InFacilityCode, "
            "InWardCode, InDoctorCode, VXTS) VALUES (" +
            std::to_string(patient.id) + ", " + names + "', #" + patient.birth + "#, '" + patient.account + "', " +
            std::to_string(patient.insurance) + ", " + std::to_string(patient.facility) + ", " +
            std::to_string(patient.ward) + ", " + std::to_string(patient.doctor) + ", " + vxts + ")");
}

void SyncTest::execute(const std::string& sql)
{
    long affected = 0;
    std::string error;
    ASSERT_TRUE(desktop->execute(sql, affected, error)) << sql << ": " << error;
}

jet::Rows SyncTest::query(const std::string& sql)
{
    jet::Rows rows;
    std::string error;
    EXPECT_TRUE(desktop->query(sql, rows, error)) << sql << ": " << error;
    return rows;
}

std::int64_t SyncTest::count(const std::string& sql)
{
    jet::Rows rows = query(sql);
    const std::int64_t* value = rows.rows.empty() ? nullptr : std::get_if<std::int64_t>(&rows.rows[0][0]);
    EXPECT_TRUE(value) << sql;
    return value != nullptr ? *value : -1;
}

std::string SyncTest::text(const std::string& sql)
{
    jet::Rows rows = query(sql);
    if (rows.rows.empty() || jet::isNull(rows.rows[0][0]))
        return "";
    const jet::Value& value = rows.rows[0][0];
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return std::to_string(*number);
    if (const auto* real = std::get_if<double>(&value))
        return std::to_string(*real);
    return std::get<std::string>(value);
}

std::string SyncTest::desktopHistory(int patientId)
{
    std::string codes;
    for (const auto& row : query("SELECT SicknessCode FROM PatientHistory WHERE PatientId = " +
                                 std::to_string(patientId) + " ORDER BY SicknessCode")
                               .rows)
        codes += std::to_string(std::get<std::int64_t>(row[0])) + ";";
    return codes;
}

std::string SyncTest::logText() const
{
    return testsupport::readFile(temp.file("HotSync") + "/" + HOTSYNC_LOG_FILE_NAME);
}

bool SyncTest::logged(const std::string& entry) const
{
    return logText().find("\t" + entry + "\n") != std::string::npos;
}

void SyncTest::useTableDescription(const std::string& text)
{
    tableDescriptionPath = temp.file("Test.vlx");
    testsupport::writeFile(tableDescriptionPath, text);
}
