#include "DriverFixture.h"

#include "Workgroup.h"

#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>

namespace odbctest {

void useProjectDriverRegistry()
{
    // Test programs live in <build>/tests, the generated odbcinst.ini in <build>/odbc.
    const auto registry = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "odbc";
    ASSERT_TRUE(std::filesystem::exists(registry / "odbcinst.ini")) << registry;
    setenv("ODBCSYSINI", registry.c_str(), 1);
}

void DriverTest::SetUp()
{
    useProjectDriverRegistry();
    runOnFile("CREATE TABLE Items (Code SMALLINT, Name TEXT COLLATE NOCASE, Day DATE, At TIME, "
              "Stamp DATETIME, Done BIT, Price DOUBLE, Total INTEGER)");
    std::string error;
    ASSERT_TRUE(jet::writeWorkgroupFile(workgroupPath, {{kUser, kPassword}}, error)) << error;
}

void DriverTest::TearDown()
{
    if (statement != SQL_NULL_HSTMT) {
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
    }
    if (connection != SQL_NULL_HDBC) {
        SQLDisconnect(connection);
        SQLFreeHandle(SQL_HANDLE_DBC, connection);
    }
    if (environment != SQL_NULL_HENV) {
        SQLFreeHandle(SQL_HANDLE_ENV, environment);
    }
}

void DriverTest::runOnFile(const std::string& sql)
{
    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(databasePath.c_str(), &database), SQLITE_OK);
    char* message = nullptr;
    const int result = sqlite3_exec(database, sql.c_str(), nullptr, nullptr, &message);
    const std::string error = message != nullptr ? message : "";
    sqlite3_free(message);
    sqlite3_close(database);
    ASSERT_EQ(result, SQLITE_OK) << error;
}

std::string DriverTest::connectionString(const std::string& user, const std::string& password) const
{
    return "DRIVER=Microsoft Access Driver (*.mdb);DBQ=" + databasePath + ";SystemDB=" + workgroupPath +
           ";UID=" + user + ";PWD=" + password + ";";
}

void DriverTest::allocateHandles()
{
    if (environment != SQL_NULL_HENV) {
        return;
    }
    ASSERT_EQ(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &environment), SQL_SUCCESS);
    ASSERT_EQ(SQLSetEnvAttr(environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQLLEN{odbcVersion}), 0),
              SQL_SUCCESS);
    ASSERT_EQ(SQLAllocHandle(SQL_HANDLE_DBC, environment, &connection), SQL_SUCCESS);
}

SQLRETURN DriverTest::connect(const std::string& text)
{
    allocateHandles();
    std::string input = text;
    return SQLDriverConnect(connection, nullptr, reinterpret_cast<SQLCHAR*>(input.data()), SQL_NTS, nullptr, 0,
                            nullptr, SQL_DRIVER_NOPROMPT);
}

void DriverTest::connectOrFail()
{
    const SQLRETURN result = connect(connectionString());
    ASSERT_TRUE(SQL_SUCCEEDED(result)) << sqlState(SQL_HANDLE_DBC, connection);
}

SQLRETURN DriverTest::execute(const std::string& sql)
{
    if (statement != SQL_NULL_HSTMT) {
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
    }
    SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement);
    std::string text = sql;
    return SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS);
}

std::string DriverTest::sqlState(SQLSMALLINT handleType, SQLHANDLE handle) const
{
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR message[512] = {};
    SQLSMALLINT length = 0;
    if (!SQL_SUCCEEDED(SQLGetDiagRec(handleType, handle, 1, state, &native, message, sizeof message, &length))) {
        return {};
    }
    return reinterpret_cast<const char*>(state);
}

}  // namespace odbctest
