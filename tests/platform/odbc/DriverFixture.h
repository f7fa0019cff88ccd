#pragma once
// A small database made with SQLite directly, with its workgroup file beside it, reached
// through the driver manager and the project's odbcinst.ini.
#include "TempDir.h"

#include <gtest/gtest.h>
#include <sql.h>
#include <sqlext.h>

#include <string>

namespace odbctest {

inline constexpr const char* kUser = "Quivo";
inline constexpr const char* kPassword = "Quivo";

// Points unixODBC at the odbcinst.ini that the build generates.
void useProjectDriverRegistry();

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs SQLite SQL straight on the file, outside the driver.
    void runOnFile(const std::string& sql);

    // "DRIVER=...;DBQ=...;SystemDB=...;UID=...;PWD=...;" with the given account.
    std::string connectionString(const std::string& user = kUser,
                                 const std::string& password = kPassword) const;

    void allocateHandles();  // environment (with odbcVersion) and connection, once
    SQLRETURN connect(const std::string& text);
    void connectOrFail();
    SQLRETURN execute(const std::string& sql);  // on a fresh statement
    // The first diagnostic record's SQLSTATE of a handle.
    std::string sqlState(SQLSMALLINT handleType, SQLHANDLE handle) const;

    testsupport::TempDir folder;
    std::string databasePath = folder.file("Test.mdb");
    std::string workgroupPath = folder.file("Test.mdw");
    SQLINTEGER odbcVersion = SQL_OV_ODBC3;
    SQLHENV environment = SQL_NULL_HENV;
    SQLHDBC connection = SQL_NULL_HDBC;
    SQLHSTMT statement = SQL_NULL_HSTMT;
};

}  // namespace odbctest
