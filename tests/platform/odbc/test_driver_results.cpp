#include "DriverFixture.h"

#include <sqlite3.h>

namespace odbctest {
namespace {

class DriverResultTest : public DriverTest {
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        runOnFile("INSERT INTO Items VALUES (7, 'abcdefg', '2026-12-09', '13:05:00', '2026-12-07 08:30:05', 1, 12.5, 70000);"
                  "INSERT INTO Items (Code, Name) VALUES (8, NULL)");
        connectOrFail();
    }

    // Column n of the fetched row read whole as character data; "<null>" for NULL.
    std::string text(SQLUSMALLINT column)
    {
        char buffer[256] = {};
        SQLLEN indicator = 0;
        const SQLRETURN result = SQLGetData(statement, column, SQL_C_CHAR, buffer, sizeof buffer, &indicator);
        EXPECT_EQ(result, SQL_SUCCESS) << sqlState(SQL_HANDLE_STMT, statement);
        return indicator == SQL_NULL_DATA ? "<null>" : std::string(buffer);
    }
};

TEST_F(DriverResultTest, EveryValueIsCharacterDataWithDatesAndTimesAsAccessGivesThem)
{
    ASSERT_EQ(execute("SELECT Code, Name, Day, At, Stamp, Done, Price, Total FROM Items WHERE Code = 7"), SQL_SUCCESS);
    SQLSMALLINT columns = 0;
    ASSERT_EQ(SQLNumResultCols(statement, &columns), SQL_SUCCESS);
    EXPECT_EQ(columns, 8);
    ASSERT_EQ(SQLFetch(statement), SQL_SUCCESS);
    EXPECT_EQ(text(1), "7");
    EXPECT_EQ(text(2), "abcdefg");
    EXPECT_EQ(text(3), "2026-12-09 00:00:00");
    EXPECT_EQ(text(4), "1899-12-30 13:05:00");
    EXPECT_EQ(text(5), "2026-12-07 08:30:05");
    EXPECT_EQ(text(6), "1");
    EXPECT_EQ(text(7), "12.5");
    EXPECT_EQ(text(8), "70000");
    EXPECT_EQ(SQLFetch(statement), SQL_NO_DATA);
}

TEST_F(DriverResultTest, NullIsReportedThroughTheIndicator)
{
    ASSERT_EQ(execute("SELECT Name FROM Items WHERE Code = 8"), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(statement), SQL_SUCCESS);
    EXPECT_EQ(text(1), "<null>");
    char buffer[8] = {};
    EXPECT_EQ(SQLGetData(statement, 1, SQL_C_CHAR, buffer, sizeof buffer, nullptr), SQL_NO_DATA);
}

TEST_F(DriverResultTest, LongValuesAreReadInParts)
{
    ASSERT_EQ(execute("SELECT Name FROM Items WHERE Code = 7"), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(statement), SQL_SUCCESS);
    char buffer[4] = {};
    SQLLEN indicator = 0;
    EXPECT_EQ(SQLGetData(statement, 1, SQL_C_CHAR, buffer, sizeof buffer, &indicator), SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(sqlState(SQL_HANDLE_STMT, statement), "01004");
    EXPECT_EQ(std::string(buffer), "abc");
    EXPECT_EQ(indicator, 7);
    EXPECT_EQ(SQLGetData(statement, 1, SQL_C_CHAR, buffer, sizeof buffer, &indicator), SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(std::string(buffer), "def");
    EXPECT_EQ(indicator, 4);
    EXPECT_EQ(SQLGetData(statement, 1, SQL_C_CHAR, buffer, sizeof buffer, &indicator), SQL_SUCCESS);
    EXPECT_EQ(std::string(buffer), "g");
    EXPECT_EQ(SQLGetData(statement, 1, SQL_C_CHAR, buffer, sizeof buffer, &indicator), SQL_NO_DATA);
}

TEST_F(DriverResultTest, ColumnsAreDescribedWithTheirNamesAndTypes)
{
    ASSERT_EQ(execute("SELECT Code, Name AS ItemName, Stamp FROM Items"), SQL_SUCCESS);
    SQLCHAR name[64] = {};
    SQLSMALLINT nameLength = 0;
    SQLSMALLINT type = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = 0;
    ASSERT_EQ(SQLDescribeCol(statement, 2, name, sizeof name, &nameLength, &type, &size, &digits, &nullable),
              SQL_SUCCESS);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(name)), "ItemName");
    EXPECT_EQ(type, SQL_VARCHAR);
    ASSERT_EQ(SQLDescribeCol(statement, 1, name, 3, &nameLength, &type, &size, &digits, &nullable),
              SQL_SUCCESS_WITH_INFO);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(name)), "Co");
    EXPECT_EQ(nameLength, 4);
    EXPECT_EQ(type, SQL_SMALLINT);
    SQLLEN displaySize = 0;
    ASSERT_EQ(SQLColAttribute(statement, 3, SQL_DESC_DISPLAY_SIZE, nullptr, 0, nullptr, &displaySize), SQL_SUCCESS);
    EXPECT_EQ(displaySize, 19);
    EXPECT_EQ(SQLDescribeCol(statement, 4, name, sizeof name, &nameLength, &type, &size, &digits, &nullable),
              SQL_ERROR);
    EXPECT_EQ(sqlState(SQL_HANDLE_STMT, statement), "07009");
}

TEST_F(DriverResultTest, ChangesReportTheirRowCountsAndNoDataWhenNothingChanged)
{
    SQLLEN rows = 0;
    ASSERT_EQ(execute("UPDATE Items SET Total = 1"), SQL_SUCCESS);
    ASSERT_EQ(SQLRowCount(statement, &rows), SQL_SUCCESS);
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(execute("UPDATE Items SET Total = 1 WHERE Code = 99"), SQL_NO_DATA);
    EXPECT_EQ(execute("DELETE FROM Items WHERE Code = 99"), SQL_NO_DATA);
    ASSERT_EQ(execute("SELECT * FROM Items"), SQL_SUCCESS);
    ASSERT_EQ(SQLRowCount(statement, &rows), SQL_SUCCESS);
    EXPECT_EQ(rows, -1);
    EXPECT_EQ(execute("CREATE TABLE Other (Code SMALLINT)"), SQL_SUCCESS);
}

TEST_F(DriverResultTest, ErrorsCarryTheirSqlState)
{
    EXPECT_EQ(execute("SELECT * FROM Missing"), SQL_ERROR);
    EXPECT_EQ(sqlState(SQL_HANDLE_STMT, statement), "42S02");
    EXPECT_EQ(execute("UPDATE Items SET Missing = 1"), SQL_ERROR);
    EXPECT_EQ(sqlState(SQL_HANDLE_STMT, statement), "42S22");
    ASSERT_EQ(execute("UPDATE Items SET Total = 2"), SQL_SUCCESS);
    EXPECT_EQ(SQLFetch(statement), SQL_ERROR);
    EXPECT_EQ(sqlState(SQL_HANDLE_STMT, statement), "24000");
}

TEST_F(DriverResultTest, TextCrossesInTheSingleByteCodePage)
{
    ASSERT_EQ(execute("INSERT INTO Items (Code, Name) VALUES (9, 'Jos\xE9 \x80')"), SQL_SUCCESS);
    ASSERT_EQ(execute("SELECT Name FROM Items WHERE Name = 'Jos\xE9 \x80'"), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(statement), SQL_SUCCESS);
    EXPECT_EQ(text(1), "Jos\xE9 \x80");

    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open(databasePath.c_str(), &database), SQLITE_OK);
    sqlite3_stmt* query = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(database, "SELECT Name FROM Items WHERE Code = 9", -1, &query, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(query), SQLITE_ROW);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(sqlite3_column_text(query, 0))), "Jos\xC3\xA9 \xE2\x82\xAC");
    sqlite3_finalize(query);
    sqlite3_close(database);
}

// A statement prepared once runs with new values each time, read from the bound buffers.
TEST_F(DriverResultTest, AfterTheDatabaseUndidTheTransactionNothingMoreIsStoredAndItsCommitFails)
{
    ASSERT_EQ(SQLSetConnectAttr(connection, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0),
              SQL_SUCCESS);
    ASSERT_EQ(execute("INSERT INTO Items (Code, Name) VALUES (9, 'undone')"), SQL_SUCCESS);
    // The database ends the transaction itself, as it does after some disk failures.
    ASSERT_EQ(execute("ROLLBACK"), SQL_SUCCESS);
    EXPECT_EQ(execute("INSERT INTO Items (Code, Name) VALUES (10, 'outside')"), SQL_ERROR);
    EXPECT_EQ(SQLEndTran(SQL_HANDLE_DBC, connection, SQL_COMMIT), SQL_ERROR);
    EXPECT_EQ(SQLEndTran(SQL_HANDLE_DBC, connection, SQL_ROLLBACK), SQL_SUCCESS);
    ASSERT_EQ(execute("SELECT COUNT(*) FROM Items WHERE Code > 8"), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(statement), SQL_SUCCESS);
    EXPECT_EQ(text(1), "0");
}

TEST_F(DriverResultTest, PreparedStatementsTakeTheValuesBoundToTheirParameters)
{
    ASSERT_EQ(SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement), SQL_SUCCESS);
    std::string insert = "INSERT INTO Items (Code, Name, Day, Stamp, Price) VALUES (?, ?, ?, ?, ?)";
    ASSERT_EQ(SQLPrepare(statement, reinterpret_cast<SQLCHAR*>(insert.data()), SQL_NTS), SQL_SUCCESS);
    std::string values[5];
    SQLLEN indicators[5] = {SQL_NTS, SQL_NTS, SQL_NTS, SQL_NTS, SQL_NTS};
    const SQLSMALLINT types[5] = {SQL_INTEGER, SQL_VARCHAR, SQL_TYPE_DATE, SQL_TYPE_TIMESTAMP, SQL_DOUBLE};
    const auto run = [&](std::vector<std::string> given) {
        for (SQLUSMALLINT i = 0; i < 5; ++i) {
            values[i] = given[i];
            EXPECT_EQ(SQLBindParameter(statement, i + 1, SQL_PARAM_INPUT, SQL_C_CHAR, types[i], 0, 0, values[i].data(),
                                       0, &indicators[i]),
                      SQL_SUCCESS);
        }
        return SQLExecute(statement);
    };
    ASSERT_EQ(run({"20", "O'Brien \x80", "2026-12-7", "2026-12-7 8:05:00", "12.34"}), SQL_SUCCESS)
        << sqlState(SQL_HANDLE_STMT, statement);
    indicators[1] = SQL_NULL_DATA;
    ASSERT_EQ(run({"21", "", "2026-1-31", "2026-01-31 23:59:59", "-1"}), SQL_SUCCESS) << sqlState(SQL_HANDLE_STMT, statement);
    indicators[1] = SQL_NTS;
    EXPECT_EQ(run({"x22", "", "2026-1-31", "2026-01-31 23:59:59", "1"}), SQL_ERROR);
    EXPECT_EQ(sqlState(SQL_HANDLE_STMT, statement), "22018");
    EXPECT_EQ(run({"22", "", "2026-2-30", "2026-01-31 23:59:59", "1"}), SQL_ERROR);
    EXPECT_EQ(sqlState(SQL_HANDLE_STMT, statement), "22007");
    ASSERT_EQ(SQLFreeStmt(statement, SQL_RESET_PARAMS), SQL_SUCCESS);
    EXPECT_EQ(SQLExecute(statement), SQL_ERROR);
    EXPECT_EQ(sqlState(SQL_HANDLE_STMT, statement), "07002");
    SQLFreeHandle(SQL_HANDLE_STMT, statement);

    ASSERT_EQ(SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement), SQL_SUCCESS);
    std::string select = "SELECT Name, Day, Stamp, Price FROM Items WHERE Code = ?";
    ASSERT_EQ(SQLPrepare(statement, reinterpret_cast<SQLCHAR*>(select.data()), SQL_NTS), SQL_SUCCESS);
    std::int32_t code = 20;
    ASSERT_EQ(SQLBindParameter(statement, 1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 0, 0, &code, 0, nullptr),
              SQL_SUCCESS);
    ASSERT_EQ(SQLExecute(statement), SQL_SUCCESS) << sqlState(SQL_HANDLE_STMT, statement);
    ASSERT_EQ(SQLFetch(statement), SQL_SUCCESS);
    EXPECT_EQ(text(1), "O'Brien \x80");
    EXPECT_EQ(text(2), "2026-12-07 00:00:00");
    EXPECT_EQ(text(3), "2026-12-07 08:05:00");
    EXPECT_EQ(text(4), "12.34");
    ASSERT_EQ(SQLCloseCursor(statement), SQL_SUCCESS);
    code = 21;
    ASSERT_EQ(SQLExecute(statement), SQL_SUCCESS);
    ASSERT_EQ(SQLFetch(statement), SQL_SUCCESS);
    EXPECT_EQ(text(1), "<null>");
    EXPECT_EQ(text(4), "-1");
}

class DriverOdbc2Test : public DriverTest {};

TEST_F(DriverOdbc2Test, ChangingNothingIsPlainSuccessForOdbc2Applications)
{
    odbcVersion = SQL_OV_ODBC2;
    connectOrFail();
    EXPECT_EQ(execute("DELETE FROM Items WHERE Code = 99"), SQL_SUCCESS);
}

}  // namespace
}  // namespace odbctest
