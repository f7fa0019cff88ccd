#include "ConnectionStrings.h"
#include "OdbcAccess.h"
#include "PracticeDatabase.h"
#include "TempDir.h"
#include "UserData.h"

#include <gtest/gtest.h>
#include <sqlext.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// Points unixODBC at the odbcinst.ini that the build generates beside the programs.
void useProjectDriverRegistry()
{
    // Test programs live in <build>/tests, the generated odbcinst.ini in <build>/odbc.
    const auto registry = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path() / "odbc";
    ASSERT_TRUE(std::filesystem::exists(registry / "odbcinst.ini")) << registry;
    setenv("ODBCSYSINI", registry.c_str(), 1);
}

class ConnectionStringTest : public ::testing::Test {
protected:
    void SetUp() override { setenv("HOTSYNC_DIR", folder.path().c_str(), 1); }

    testsupport::TempDir folder;
    std::string text;
};

TEST_F(ConnectionStringTest, DefaultsNameTheWorkgroupOnlyWhenThereIsOne)
{
    EXPECT_EQ(BuildDefaultConnectionString("/data/Vantora.mdb", "/data/Vantora.mdw", text), 0);
    EXPECT_EQ(text, "DRIVER=Microsoft Access Driver (*.mdb);DBQ=/data/Vantora.mdb;SystemDB=/data/Vantora.mdw;");
    EXPECT_EQ(BuildDefaultConnectionString("/data/Vantora.mdb", "", text), 0);
    EXPECT_EQ(text, "DRIVER=Microsoft Access Driver (*.mdb);DBQ=/data/Vantora.mdb;");
}

TEST_F(ConnectionStringTest, UserSettingsAreReadFromTheConduitsSection)
{
    ASSERT_EQ(UserDataSetString(7, "Velvix", "DBQ", "/u/Practice.mdb"), 0);
    ASSERT_EQ(UserDataSetString(7, "Velvix", "SystemDB", "/u/Practice.mdw"), 0);
    ASSERT_EQ(UserDataSetString(7, "Other", "DBQ", "/elsewhere.mdb"), 0);
    EXPECT_EQ(BuildUserConnectionString("Velvix", 7, text), 0);
    EXPECT_EQ(text, "DRIVER=Microsoft Access Driver (*.mdb);DBQ=/u/Practice.mdb;SystemDB=/u/Practice.mdw;");

    ASSERT_EQ(UserDataSetString(7, "Velvix", "SystemDB", ""), 0);
    EXPECT_EQ(BuildUserConnectionString("Velvix", 7, text), 0);
    EXPECT_EQ(text, "DRIVER=Microsoft Access Driver (*.mdb);DBQ=/u/Practice.mdb;");
}

TEST_F(ConnectionStringTest, MissingOrUnreadableDbqFailsWithItsMessage)
{
    EXPECT_EQ(BuildUserConnectionString("Velvix", 42, text), 1);
    EXPECT_EQ(text, "No DBQ for the User 42");

    // A value longer than the 300-byte setting buffer cannot be read.
    ASSERT_EQ(UserDataSetString(42, "Velvix", "DBQ", std::string(310, 'p').c_str()), 0);
    EXPECT_EQ(BuildUserConnectionString("Velvix", 42, text), 1);
    EXPECT_EQ(text, "Error getting DBQ for the User 42");
}

class OdbcAccessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        useProjectDriverRegistry();
        std::string error;
        ASSERT_TRUE(practicedb::createPracticeDatabase(databasePath, error)) << error;
        BuildDefaultConnectionString(databasePath, workgroupPath, connectionString);
    }

    void TearDown() override
    {
        if (statement != SQL_NULL_HSTMT) {
            CloseQuery(statement);
        }
        if (connection != SQL_NULL_HDBC) {
            DisconnectDatabase(environment, connection);
        }
    }

    void connect()
    {
        ASSERT_EQ(ConnectDatabase(environment, connection, connectionString, "Quivo", "Quivo"), 0);
    }

    testsupport::TempDir folder;
    std::string databasePath = folder.file("Practice.mdb");
    std::string workgroupPath = folder.file("Practice.mdw");
    std::string connectionString;
    SQLHENV environment = SQL_NULL_HENV;
    SQLHDBC connection = SQL_NULL_HDBC;
    SQLHSTMT statement = SQL_NULL_HSTMT;
    std::string value;
};

TEST_F(OdbcAccessTest, ConnectionIsRefusedAsTheDesktopRefusesIt)
{
    EXPECT_EQ(ConnectDatabase(environment, connection, connectionString, "Quivo", "wrong"), 1);
    EXPECT_EQ(ConnectDatabase(environment, connection, connectionString, "Nobody", "Quivo"), 1);
    std::string missingDatabase;
    BuildDefaultConnectionString(folder.file("Missing.mdb"), workgroupPath, missingDatabase);
    EXPECT_EQ(ConnectDatabase(environment, connection, missingDatabase, "Quivo", "Quivo"), 1);
    std::string missingWorkgroup;
    BuildDefaultConnectionString(databasePath, folder.file("Missing.mdw"), missingWorkgroup);
    EXPECT_EQ(ConnectDatabase(environment, connection, missingWorkgroup, "Quivo", "Quivo"), 1);
    EXPECT_EQ(environment, nullptr);
    EXPECT_EQ(connection, nullptr);
}

TEST_F(OdbcAccessTest, WithoutSystemDbTheWorkgroupBesideTheDatabaseIsUsed)
{
    BuildDefaultConnectionString(databasePath, "", connectionString);
    connect();
    EXPECT_NE(connection, nullptr);
}

TEST_F(OdbcAccessTest, StatementsWithoutRowsSucceedEvenWhenTheyChangeNothing)
{
    connect();
    EXPECT_EQ(ExecuteSQL(connection, "INSERT INTO VXUsers (PDTId, TerminalId, PDTOwner) VALUES (9, 1, 'Ann')"), 0);
    EXPECT_EQ(ExecuteSQL(connection, "UPDATE VXUSERS SET TerminalId = 2 WHERE PDTId = 12345"), 0);
    EXPECT_EQ(ExecuteSQL(connection, "DELETE FROM VXUSERS WHERE PDTId = 12345"), 0);
    EXPECT_EQ(ExecuteSQL(connection, "INSERT INTO VXUsers (PDTId, TerminalId) VALUES (9, 3)"), 1);
    EXPECT_EQ(ExecuteSQL(connection, "UPDATE NoSuchTable SET x = 1"), 1);
}

TEST_F(OdbcAccessTest, QueriesFailOnErrorsAndOnStatementsThatAffectNoRows)
{
    connect();
    EXPECT_EQ(OpenQuery(connection, statement, "SELECT * FROM NoSuchTable"), 1);
    EXPECT_EQ(statement, nullptr);
    EXPECT_EQ(OpenQuery(connection, statement, "DELETE FROM VXUSERS WHERE PDTId = 12345"), 1);
    EXPECT_EQ(statement, nullptr);
}

TEST_F(OdbcAccessTest, ColumnsAreFoundByTheirExactNameAndReadAsText)
{
    connect();
    ASSERT_EQ(ExecuteSQL(connection, "INSERT INTO VXUsers (PDTId, TerminalId, PDTOwner) VALUES (9, 4, 'Ann Lee')"), 0);
    ASSERT_EQ(OpenQuery(connection, statement, "SELECT PDTId, TerminalId, PDTOwner, PDTOwner AS Owner FROM VXUSERS WHERE PDTId=9"), 0);
    ASSERT_EQ(SQLFetch(statement), SQL_SUCCESS);

    EXPECT_EQ(GetColumnByName(statement, "TerminalId", value, 200), 0);
    EXPECT_EQ(value, "4");
    EXPECT_EQ(GetColumnByName(statement, "PDTOwner", value, 200), 0);
    EXPECT_EQ(value, "Ann Lee");
    EXPECT_EQ(GetColumnByName(statement, "Owner", value, 4), 0);
    EXPECT_EQ(value, "Ann");
    EXPECT_EQ(GetColumnByName(statement, "terminalid", value, 200), 1);
    EXPECT_EQ(value, "");
    EXPECT_EQ(GetColumnByName(statement, "Terminal", value, 200), 1);

    EXPECT_EQ(GetColumnByIndex(statement, 1, value, 200), 0);
    EXPECT_EQ(value, "9");
    EXPECT_EQ(SQLFetch(statement), SQL_NO_DATA);
}

TEST_F(OdbcAccessTest, NullReadsAsEmptyTextAndAMissingMaximumAsNull)
{
    connect();
    ASSERT_EQ(ExecuteSQL(connection, "INSERT INTO VXUsers (PDTId, TerminalId) VALUES (9, 4)"), 0);
    ASSERT_EQ(OpenQuery(connection, statement, "SELECT PDTOwner FROM VXUSERS WHERE PDTId=9"), 0);
    ASSERT_EQ(SQLFetch(statement), SQL_SUCCESS);
    value = "stale";
    EXPECT_EQ(GetColumnByName(statement, "PDTOwner", value, 200), 0);
    EXPECT_EQ(value, "");
    CloseQuery(statement);

    ASSERT_EQ(OpenQuery(connection, statement, "SELECT MAX(TerminalId) AS LastTerm FROM VXUSERS WHERE PDTId=10"), 0);
    ASSERT_EQ(SQLFetch(statement), SQL_SUCCESS);
    value = "stale";
    EXPECT_EQ(GetColumnByName(statement, "LastTerm", value, 200), 0);
    EXPECT_EQ(value, "");
    CloseQuery(statement);
    statement = SQL_NULL_HSTMT;
}

TEST_F(OdbcAccessTest, DatesAndTimesReadAsTheAccessDriverGivesThem)
{
    connect();
    ASSERT_EQ(ExecuteSQL(connection, "INSERT INTO Patient (PatientId, Names, DateOfBirth, VXTS) "
                                     "VALUES (25000, 'Doe', #2026-12-09#, #2026-12-07 08:30:05#)"),
              0);
    ASSERT_EQ(ExecuteSQL(connection, "INSERT INTO PatientCharges (PatientId, ChargeDate, ChargeTime) "
                                     "VALUES (25000, #12/09/2026#, #13:05:00#)"),
              0);
    ASSERT_EQ(OpenQuery(connection, statement,
                        "SELECT P.[DateOfBirth], P.[VXTS], C.[ChargeTime] FROM Patient AS P "
                        "INNER JOIN PatientCharges AS C ON C.PatientId = P.PatientId"),
              0);
    ASSERT_EQ(SQLFetch(statement), SQL_SUCCESS);
    EXPECT_EQ(GetColumnByName(statement, "DateOfBirth", value, 200), 0);
    EXPECT_EQ(value, "2026-12-09 00:00:00");
    EXPECT_EQ(GetColumnByName(statement, "VXTS", value, 30), 0);
    EXPECT_EQ(value, "2026-12-07 08:30:05");
    EXPECT_EQ(GetColumnByName(statement, "ChargeTime", value, 200), 0);
    EXPECT_EQ(value, "1899-12-30 13:05:00");
}

TEST_F(OdbcAccessTest, IdentityOfTheLastInsertIsReadBack)
{
    connect();
    ASSERT_EQ(ExecuteSQL(connection, "INSERT INTO VXUsers (PDTId, TerminalId) VALUES (31, 1)"), 0);
    ASSERT_EQ(OpenQuery(connection, statement, "SELECT @@IDENTITY"), 0);
    ASSERT_EQ(SQLFetch(statement), SQL_SUCCESS);
    EXPECT_EQ(GetColumnByIndex(statement, 1, value, 200), 0);
    EXPECT_EQ(value, "31");
}

// A statement for many records is prepared once and run with its values: Jet literals of every
// kind the conduit writes, read back as the desktop stores them.
TEST_F(OdbcAccessTest, StatementsRunAgainWithTheValuesOfTheirParameters)
{
    connect();
    const std::string insert = "INSERT INTO Patient (PatientId, Names, DateOfBirth, VXTS, AccountNumber) "
                               "VALUES (?, ?, ?, ?, ?)";
    EXPECT_EQ(ExecuteSQL(connection, insert, {"25001", "'O''Hara'", "#2026-1-5#", "#2026-12-07 08:30:05#", "NULL"}), 0);
    EXPECT_EQ(ExecuteSQL(connection, insert, {"25002", "'Lee'", "NULL", "NULL", "'A-7'"}), 0);
    EXPECT_EQ(ExecuteSQL(connection, insert, {"25001", "'Twice'", "NULL", "NULL", "NULL"}), 1);
    EXPECT_EQ(StatementWithValues(insert, {"25001", "'O''Hara'", "#2026-1-5#", "NULL", "'?'"}),
              "INSERT INTO Patient (PatientId, Names, DateOfBirth, VXTS, AccountNumber) "
              "VALUES (25001, 'O''Hara', #2026-1-5#, NULL, '?')");

    const std::string select = "SELECT Names, DateOfBirth, VXTS, AccountNumber FROM Patient WHERE PatientId = ?";
    ASSERT_EQ(OpenQuery(connection, statement, select, {"25001"}), 0);
    ASSERT_EQ(SQLFetch(statement), SQL_SUCCESS);
    EXPECT_EQ((GetColumnByIndex(statement, 1, value, 200), value), "O'Hara");
    EXPECT_EQ((GetColumnByIndex(statement, 2, value, 200), value), "2026-01-05 00:00:00");
    EXPECT_EQ((GetColumnByIndex(statement, 3, value, 200), value), "2026-12-07 08:30:05");
    EXPECT_EQ((GetColumnByIndex(statement, 4, value, 200), value), "");

    SQLHSTMT inner = SQL_NULL_HSTMT;
    ASSERT_EQ(OpenQuery(connection, inner, select, {"25002"}), 0) << "the same query inside its own rows";
    ASSERT_EQ(SQLFetch(inner), SQL_SUCCESS);
    EXPECT_EQ((GetColumnByIndex(inner, 4, value, 200), value), "A-7");
    CloseQuery(inner);
    EXPECT_EQ(SQLFetch(statement), SQL_NO_DATA);
    CloseQuery(statement);

    ASSERT_EQ(OpenQuery(connection, statement, select, {"25002"}), 0);
    ASSERT_EQ(SQLFetch(statement), SQL_SUCCESS);
    EXPECT_EQ((GetColumnByIndex(statement, 1, value, 200), value), "Lee");
    EXPECT_EQ((GetColumnByIndex(statement, 2, value, 200), value), "");
}

}  // namespace
