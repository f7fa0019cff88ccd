#include "OdbcAccess.h"

#include <sqlext.h>

#include <vector>

namespace {

constexpr SQLULEN kLoginTimeoutSeconds = 5;
constexpr SQLSMALLINT kConnectionOutputSize = 1024;
constexpr SQLSMALLINT kColumnNameSize = 50;  // names of up to 49 characters

bool succeeded(SQLRETURN result)
{
    return result == SQL_SUCCESS || result == SQL_SUCCESS_WITH_INFO;
}

// Reads one column of the fetched row as character data into value, cut to size - 1.
bool readColumn(SQLHSTMT statement, SQLUSMALLINT columnNumber, std::string& value, std::size_t size)
{
    value.clear();
    if (size == 0) {
        return true;
    }
    std::vector<char> buffer(size, '\0');
    SQLLEN indicator = 0;
    const SQLRETURN result = SQLGetData(statement, columnNumber, SQL_C_CHAR, buffer.data(),
                                        static_cast<SQLLEN>(size), &indicator);
    if (!succeeded(result)) {
        return false;
    }
    if (indicator != SQL_NULL_DATA) {
        value = buffer.data();
    }
    return true;
}

}  // namespace

int ConnectDatabase(SQLHENV& environment, SQLHDBC& connection, const std::string& connectionString,
                    const std::string& user, const std::string& password)
{
    environment = SQL_NULL_HENV;
    connection = SQL_NULL_HDBC;
    SQLHENV newEnvironment = SQL_NULL_HENV;
    if (!succeeded(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &newEnvironment))) {
        return 1;
    }
    SQLHDBC newConnection = SQL_NULL_HDBC;
    if (!succeeded(SQLSetEnvAttr(newEnvironment, SQL_ATTR_ODBC_VERSION,
                                 reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0)) ||
        !succeeded(SQLAllocHandle(SQL_HANDLE_DBC, newEnvironment, &newConnection))) {
        SQLFreeHandle(SQL_HANDLE_ENV, newEnvironment);
        return 1;
    }
    std::string fullString = connectionString + "UID=" + user + ";PWD=" + password + ";";
    SQLCHAR output[kConnectionOutputSize] = {};
    SQLSMALLINT outputLength = 0;
    if (!succeeded(SQLSetConnectAttr(newConnection, SQL_ATTR_LOGIN_TIMEOUT,
                                     reinterpret_cast<SQLPOINTER>(kLoginTimeoutSeconds), 0)) ||
        !succeeded(SQLDriverConnect(newConnection, nullptr,
                                    reinterpret_cast<SQLCHAR*>(fullString.data()), SQL_NTS, output,
                                    kConnectionOutputSize, &outputLength, SQL_DRIVER_NOPROMPT))) {
        SQLFreeHandle(SQL_HANDLE_DBC, newConnection);
        SQLFreeHandle(SQL_HANDLE_ENV, newEnvironment);
        return 1;
    }
    environment = newEnvironment;
    connection = newConnection;
    return 0;
}

void DisconnectDatabase(SQLHENV environment, SQLHDBC connection)
{
    SQLDisconnect(connection);
    SQLFreeHandle(SQL_HANDLE_DBC, connection);
    SQLFreeHandle(SQL_HANDLE_ENV, environment);
}

int BeginTransaction(SQLHDBC connection)
{
    return succeeded(SQLSetConnectAttr(connection, SQL_ATTR_AUTOCOMMIT,
                                       reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0))
               ? 0
               : 1;
}

int EndTransaction(SQLHDBC connection, bool commit)
{
    const bool ended = succeeded(SQLEndTran(SQL_HANDLE_DBC, connection, commit ? SQL_COMMIT : SQL_ROLLBACK));
    const bool autoCommit = succeeded(SQLSetConnectAttr(connection, SQL_ATTR_AUTOCOMMIT,
                                                        reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0));
    return ended && autoCommit ? 0 : 1;
}

int OpenQuery(SQLHDBC connection, SQLHSTMT& statement, const std::string& sql)
{
    statement = SQL_NULL_HSTMT;
    SQLHSTMT newStatement = SQL_NULL_HSTMT;
    if (!succeeded(SQLAllocHandle(SQL_HANDLE_STMT, connection, &newStatement))) {
        return 1;
    }
    std::string text = sql;
    if (!succeeded(SQLExecDirect(newStatement, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS))) {
        SQLFreeHandle(SQL_HANDLE_STMT, newStatement);
        return 1;
    }
    statement = newStatement;
    return 0;
}

int ExecuteSQL(SQLHDBC connection, const std::string& sql)
{
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (!succeeded(SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement))) {
        return 1;
    }
    std::string text = sql;
    const SQLRETURN result = SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return succeeded(result) || result == SQL_NO_DATA ? 0 : 1;
}

void CloseQuery(SQLHSTMT statement)
{
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
}

int GetColumnByName(SQLHSTMT statement, const std::string& columnName, std::string& value,
                    std::size_t size)
{
    value.clear();
    SQLSMALLINT columnCount = 0;
    if (!succeeded(SQLNumResultCols(statement, &columnCount))) {
        return 1;
    }
    for (SQLSMALLINT column = 1; column <= columnCount; ++column) {
        SQLCHAR name[kColumnNameSize] = {};
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT dataType = 0;
        SQLULEN columnSize = 0;
        SQLSMALLINT digits = 0;
        SQLSMALLINT nullable = 0;
        if (!succeeded(SQLDescribeCol(statement, static_cast<SQLUSMALLINT>(column), name,
                                      kColumnNameSize, &nameLength, &dataType, &columnSize, &digits,
                                      &nullable))) {
            return 1;
        }
        // A name too long for the buffer is not the one wanted, even if its start is.
        if (nameLength < kColumnNameSize && columnName == reinterpret_cast<const char*>(name)) {
            return readColumn(statement, static_cast<SQLUSMALLINT>(column), value, size) ? 0 : 1;
        }
    }
    return 1;
}

int GetColumnByIndex(SQLHSTMT statement, int columnNumber, std::string& value, std::size_t size)
{
    // Always 0: a value that cannot be read leaves the text empty.
    readColumn(statement, static_cast<SQLUSMALLINT>(columnNumber), value, size);
    return 0;
}
