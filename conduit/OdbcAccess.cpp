#include "OdbcAccess.h"

#include "VantoraOdbc.h"

#include <sqlext.h>

#include <map>
#include <unordered_map>
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

// A statement prepared once for its text and run again with new values.
struct PreparedStatement {
    SQLHSTMT handle = SQL_NULL_HSTMT;
    bool queryOpen = false;
};

// The prepared statements of each connection by their text, and every such handle, so that
// closing a query keeps its statement.
std::map<SQLHDBC, std::unordered_map<std::string, PreparedStatement>> preparedStatements;
std::unordered_map<SQLHSTMT, PreparedStatement*> preparedHandles;

// A value as the driver takes it: its SQL type and its text without the literal's marks.
struct Parameter {
    SQLSMALLINT type = SQL_VARCHAR;
    std::string text;
    SQLLEN indicator = SQL_NTS;
};

Parameter parameterOf(const std::string& literal)
{
    Parameter parameter;
    if (literal == "NULL") {
        parameter.indicator = SQL_NULL_DATA;
    } else if (literal.size() >= 2 && literal.front() == '\'' && literal.back() == '\'') {
        for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
            parameter.text += literal[i];
            if (literal[i] == '\'' && literal[i + 1] == '\'')
                ++i;
        }
    } else if (literal.size() >= 2 && literal.front() == '#' && literal.back() == '#') {
        parameter.text = literal.substr(1, literal.size() - 2);
        const bool hasTime = parameter.text.find(':') != std::string::npos;
        const bool hasDate = parameter.text.find_first_of("-/") != std::string::npos;
        parameter.type = hasTime && hasDate ? SQL_TYPE_TIMESTAMP : hasTime ? SQL_TYPE_TIME : SQL_TYPE_DATE;
    } else if (!literal.empty() && literal.find_first_not_of("+-0123456789") == std::string::npos) {
        parameter.text = literal;
        parameter.type = SQL_BIGINT;
    } else if (!literal.empty() && literal.find_first_not_of("+-0123456789.eE") == std::string::npos) {
        parameter.text = literal;
        parameter.type = SQL_DOUBLE;
    } else {
        parameter.text = literal;
    }
    return parameter;
}

// Binds the values and runs the prepared statement.
bool runWithValues(SQLHSTMT statement, const SqlValues& values)
{
    std::vector<Parameter> parameters;
    parameters.reserve(values.size());
    for (const std::string& value : values)
        parameters.push_back(parameterOf(value));
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        Parameter& parameter = parameters[i];
        if (!succeeded(SQLBindParameter(statement, static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT, SQL_C_CHAR,
                                        parameter.type, 0, 0, parameter.text.data(), 0, &parameter.indicator)))
            return false;
    }
    const SQLRETURN result = SQLExecute(statement);
    return succeeded(result) || result == SQL_NO_DATA;
}

// A new statement handle with the text prepared; null on failure.
SQLHSTMT prepare(SQLHDBC connection, const std::string& sql)
{
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (!succeeded(SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement)))
        return SQL_NULL_HSTMT;
    std::string text = sql;
    if (!succeeded(SQLPrepare(statement, reinterpret_cast<SQLCHAR*>(text.data()), SQL_NTS))) {
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        return SQL_NULL_HSTMT;
    }
    return statement;
}

// The connection's prepared statement for the text, prepared now the first time; null when it
// cannot be prepared.
PreparedStatement* preparedFor(SQLHDBC connection, const std::string& sql)
{
    PreparedStatement& prepared = preparedStatements[connection][sql];
    if (prepared.handle == SQL_NULL_HSTMT) {
        prepared.handle = prepare(connection, sql);
        if (prepared.handle == SQL_NULL_HSTMT) {
            preparedStatements[connection].erase(sql);
            return nullptr;
        }
        preparedHandles[prepared.handle] = &prepared;
    }
    return &prepared;
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
    for (auto& [text, prepared] : preparedStatements[connection]) {
        preparedHandles.erase(prepared.handle);
        SQLFreeHandle(SQL_HANDLE_STMT, prepared.handle);
    }
    preparedStatements.erase(connection);
    SQLDisconnect(connection);
    SQLFreeHandle(SQL_HANDLE_DBC, connection);
    SQLFreeHandle(SQL_HANDLE_ENV, environment);
}

int BeginTransaction(SQLHDBC connection, WriteLock writeLock)
{
    const SQLULEN atFirstWrite = writeLock == WriteLock::AtFirstWrite ? SQL_TRUE : SQL_FALSE;
    return succeeded(SQLSetConnectAttr(connection, vantoraodbc::kAttrWriteLockAtFirstWrite,
                                       reinterpret_cast<SQLPOINTER>(atFirstWrite), 0)) &&
                   succeeded(SQLSetConnectAttr(connection, SQL_ATTR_AUTOCOMMIT,
                                               reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0))
               ? 0
               : 1;
}

int TakeWriteLock(SQLHDBC connection)
{
    return succeeded(SQLSetConnectAttr(connection, vantoraodbc::kAttrTakeWriteLock,
                                       reinterpret_cast<SQLPOINTER>(SQLULEN{SQL_TRUE}), 0))
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

int OpenQuery(SQLHDBC connection, SQLHSTMT& statement, const std::string& sql, const SqlValues& values)
{
    statement = SQL_NULL_HSTMT;
    PreparedStatement* prepared = preparedFor(connection, sql);
    if (prepared == nullptr)
        return 1;
    if (prepared->queryOpen) {
        // The same query opened again inside its own rows runs on a statement of its own.
        SQLHSTMT nested = prepare(connection, sql);
        if (nested == SQL_NULL_HSTMT || !runWithValues(nested, values)) {
            if (nested != SQL_NULL_HSTMT)
                SQLFreeHandle(SQL_HANDLE_STMT, nested);
            return 1;
        }
        statement = nested;
        return 0;
    }
    if (!runWithValues(prepared->handle, values))
        return 1;
    prepared->queryOpen = true;
    statement = prepared->handle;
    return 0;
}

int ExecuteSQL(SQLHDBC connection, const std::string& sql, const SqlValues& values)
{
    PreparedStatement* prepared = preparedFor(connection, sql);
    return prepared != nullptr && runWithValues(prepared->handle, values) ? 0 : 1;
}

std::string StatementWithValues(const std::string& sql, const SqlValues& values)
{
    std::string text;
    std::size_t next = 0;
    bool quoted = false;
    for (char c : sql) {
        quoted = quoted != (c == '\'');
        if (c == '?' && !quoted && next < values.size())
            text += values[next++];
        else
            text += c;
    }
    return text;
}

void CloseQuery(SQLHSTMT statement)
{
    const auto prepared = preparedHandles.find(statement);
    if (prepared == preparedHandles.end()) {
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        return;
    }
    SQLFreeStmt(statement, SQL_CLOSE);
    prepared->second->queryOpen = false;
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
