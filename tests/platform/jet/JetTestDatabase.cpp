#include "JetTestDatabase.h"

#include "Workgroup.h"

#include <sqlite3.h>

namespace {

constexpr const char* kSchema = R"sql(
CREATE TABLE Doctors (DoctorCode SMALLINT PRIMARY KEY, Description TEXT COLLATE NOCASE,
                      BillingDoctorCode VARCHAR(20));
CREATE TABLE PatientCharges (PatientId SMALLINT, ChargeDate DATE, ChargeTime TIME, Amount DOUBLE,
                             Stamp DATETIME, Posted BIT, PrintLot INTEGER, Total LONG, Ratio REAL,
                             PRIMARY KEY (PatientId, ChargeDate, ChargeTime));
CREATE TABLE Notes (NoteId INTEGER PRIMARY KEY, Body TEXT);
CREATE VIEW DoctorsDescriptive AS
  SELECT DoctorCode, Description AS Names, length(Description) AS NameLength FROM Doctors;
)sql";

}  // namespace

void writeTestWorkgroup(const jet::ConnectionSettings& settings)
{
    std::string error;
    ASSERT_TRUE(jet::writeWorkgroupFile(settings.workgroupPath, {{settings.userId, settings.password}}, error))
        << error;
}

void JetDatabaseTest::SetUp()
{
    databasePath = folder.file("practice.mdb");
    settings.databasePath = databasePath;
    settings.workgroupPath = jet::workgroupPathFor(databasePath);
    settings.userId = "Quivo";
    settings.password = "Quivo";

    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open(databasePath.c_str(), &handle), SQLITE_OK);
    char* message = nullptr;
    const int result = sqlite3_exec(handle, kSchema, nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(handle);
    ASSERT_EQ(result, SQLITE_OK) << error;
    writeTestWorkgroup(settings);
}

void JetDatabaseTest::runDirectly(const std::string& sql)
{
    sqlite3* handle = nullptr;
    ASSERT_EQ(sqlite3_open_v2(databasePath.c_str(), &handle, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    sqlite3_busy_timeout(handle, 5000);
    char* message = nullptr;
    const int result = sqlite3_exec(handle, sql.c_str(), nullptr, nullptr, &message);
    const std::string error = message ? message : "";
    sqlite3_free(message);
    sqlite3_close(handle);
    ASSERT_EQ(result, SQLITE_OK) << error;
}

long long JetDatabaseTest::countDirectly(const std::string& countSql)
{
    sqlite3* handle = nullptr;
    long long count = -1;
    if (sqlite3_open_v2(databasePath.c_str(), &handle, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(handle, countSql.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            count = sqlite3_column_int64(statement, 0);
        sqlite3_finalize(statement);
    }
    sqlite3_close(handle);
    return count;
}

std::unique_ptr<jet::Connection> JetDatabaseTest::openConnection()
{
    std::string error;
    auto connection = jet::Connection::open(settings, error);
    EXPECT_TRUE(connection) << error;
    return connection;
}
