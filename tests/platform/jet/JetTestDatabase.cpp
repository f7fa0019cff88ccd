#include "JetTestDatabase.h"

#include "Workgroup.h"

#include <sqlite3.h>

#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

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

OtherProgram::OtherProgram(const jet::ConnectionSettings& settings, std::function<int(jet::Connection&)> part)
{
    int toChild[2], fromChild[2];
    if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0) {
        ADD_FAILURE() << "no pipe";
        return;
    }
    child_ = ::fork();
    if (child_ < 0) {
        ADD_FAILURE() << "no child process";
        return;
    }
    if (child_ == 0) {
        ::close(toChild[1]);
        ::close(fromChild[0]);
        std::string error;
        auto connection = jet::Connection::open(settings, error);
        const char opened = connection ? 1 : 0;
        (void)!::write(fromChild[1], &opened, 1);
        char go = 0;
        if (!connection || ::read(toChild[0], &go, 1) != 1)
            ::_exit(255);
        const int answer = part(*connection);
        connection.reset();
        ::_exit(answer);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    toChild_ = toChild[1];
    char opened = 0;
    (void)!::read(fromChild[0], &opened, 1);
    ::close(fromChild[0]);
}

OtherProgram::~OtherProgram()
{
    if (child_ > 0)
        kill();
}

int OtherProgram::finish()
{
    if (child_ <= 0)
        return -1;
    const char go = 1;
    (void)!::write(toChild_, &go, 1);
    const int status = wait();
    return WIFEXITED(status) && WEXITSTATUS(status) != 255 ? WEXITSTATUS(status) : -1;
}

void OtherProgram::kill()
{
    if (child_ <= 0)
        return;
    ::kill(child_, SIGKILL);
    wait();
}

int OtherProgram::wait()
{
    int status = 0;
    ::waitpid(child_, &status, 0);
    ::close(toChild_);
    child_ = -1;
    return status;
}
