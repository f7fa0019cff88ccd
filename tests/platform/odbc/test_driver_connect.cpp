#include "DriverFixture.h"

#include "Workgroup.h"

#include <filesystem>

namespace odbctest {
namespace {

class DriverConnectTest : public DriverTest {};

TEST_F(DriverConnectTest, ConnectsUnderTheAccessDriversNameWithTheWorkgroupAccount)
{
    std::string text = connectionString();
    SQLCHAR output[1024] = {};
    SQLSMALLINT outputLength = 0;
    allocateHandles();
    ASSERT_TRUE(SQL_SUCCEEDED(SQLSetConnectAttr(connection, SQL_ATTR_LOGIN_TIMEOUT,
                                                reinterpret_cast<SQLPOINTER>(SQLULEN{5}), 0)));
    EXPECT_EQ(SQLDriverConnect(connection, nullptr, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS, output,
                               sizeof output, &outputLength, SQL_DRIVER_NOPROMPT),
              SQL_SUCCESS);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(output)), text);
    EXPECT_EQ(outputLength, static_cast<SQLSMALLINT>(text.size()));
    SQLUINTEGER timeout = 0;
    ASSERT_TRUE(SQL_SUCCEEDED(SQLGetConnectAttr(connection, SQL_ATTR_LOGIN_TIMEOUT, &timeout, 0, nullptr)));
    EXPECT_EQ(timeout, 5u);
}

TEST_F(DriverConnectTest, ShortOutputBufferIsSuccessWithInformation)
{
    allocateHandles();
    std::string text = connectionString();
    SQLCHAR output[8] = {};
    SQLSMALLINT outputLength = 0;
    EXPECT_EQ(SQLDriverConnect(connection, nullptr, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS, output,
                               sizeof output, &outputLength, SQL_DRIVER_NOPROMPT),
              SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(sqlState(SQL_HANDLE_DBC, connection), "01004");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(output)), text.substr(0, 7));
}

TEST_F(DriverConnectTest, RefusesAMissingDatabase)
{
    std::filesystem::remove(databasePath);
    EXPECT_EQ(connect(connectionString()), SQL_ERROR);
    EXPECT_EQ(sqlState(SQL_HANDLE_DBC, connection), "08001");
    EXPECT_FALSE(std::filesystem::exists(databasePath));  // never created by connecting
}

TEST_F(DriverConnectTest, RefusesAMissingWorkgroupFile)
{
    std::filesystem::remove(workgroupPath);
    EXPECT_EQ(connect(connectionString()), SQL_ERROR);
    EXPECT_EQ(sqlState(SQL_HANDLE_DBC, connection), "08001");
}

TEST_F(DriverConnectTest, RefusesAWrongAccountOrPassword)
{
    EXPECT_EQ(connect(connectionString(kUser, "nope")), SQL_ERROR);
    EXPECT_EQ(sqlState(SQL_HANDLE_DBC, connection), "28000");
    EXPECT_EQ(connect(connectionString("Stranger", kPassword)), SQL_ERROR);
    EXPECT_EQ(sqlState(SQL_HANDLE_DBC, connection), "28000");
}

TEST_F(DriverConnectTest, WithoutSystemDbTheWorkgroupBesideTheDatabaseIsChecked)
{
    const std::string text = "DRIVER={Microsoft Access Driver (*.mdb)};DBQ=" + databasePath + ";UID=Quivo;PWD=Quivo";
    EXPECT_EQ(connect(text), SQL_SUCCESS);
    SQLDisconnect(connection);
    std::filesystem::remove(workgroupPath);
    EXPECT_EQ(connect(text), SQL_ERROR);
    EXPECT_EQ(sqlState(SQL_HANDLE_DBC, connection), "08001");
}

TEST_F(DriverConnectTest, ReconnectsAfterDisconnectingWithAStatementOpen)
{
    connectOrFail();
    ASSERT_EQ(execute("SELECT * FROM Items"), SQL_SUCCESS);
    EXPECT_EQ(SQLDisconnect(connection), SQL_SUCCESS);
    statement = SQL_NULL_HSTMT;  // gone with the connection
    EXPECT_TRUE(SQL_SUCCEEDED(connect(connectionString())));
}

TEST_F(DriverConnectTest, RefusesAWorkgroupFileThatIsNotTheDatabasesOwn)
{
    // A workgroup file that anyone can make with the same account, named by SystemDB.
    const std::string mine = folder.file("mine.mdw");
    std::string error;
    ASSERT_TRUE(jet::writeWorkgroupFile(mine, {{kUser, kPassword}}, error)) << error;
    const std::string text = "DRIVER=Microsoft Access Driver (*.mdb);DBQ=" + databasePath + ";SystemDB=" + mine +
                             ";UID=Quivo;PWD=Quivo;";
    // A database that records no workgroup file (made before databases did) takes only the
    // one beside it.
    EXPECT_EQ(connect(text), SQL_ERROR);
    EXPECT_EQ(sqlState(SQL_HANDLE_DBC, connection), "28000");

    // A database bound to its workgroup file takes only that file.
    const std::string id = jet::newWorkgroupId();
    runOnFile(jet::workgroupBindingSql(id));
    std::filesystem::remove(workgroupPath);
    ASSERT_TRUE(jet::writeWorkgroupFile(workgroupPath, {{kUser, kPassword}}, error, id)) << error;
    EXPECT_EQ(connect(text), SQL_ERROR);
    EXPECT_EQ(sqlState(SQL_HANDLE_DBC, connection), "28000");
    EXPECT_EQ(connect(connectionString()), SQL_SUCCESS);
}

}  // namespace
}  // namespace odbctest
