// Running statements: direct execution, prepare and execute, and closing the cursor.
#include "Windows1252.h"
#include "DriverHandles.h"
#include "ParameterValues.h"

#include <cctype>
#include <string_view>

using namespace odbcdriver;

namespace {

// The statement's first word in upper case, past blanks and opening parentheses.
std::string firstKeyword(std::string_view sql)
{
    std::size_t position = 0;
    while (position < sql.size() &&
           (std::isspace(static_cast<unsigned char>(sql[position])) || sql[position] == '(')) {
        ++position;
    }
    std::string keyword;
    while (position < sql.size() && std::isalpha(static_cast<unsigned char>(sql[position]))) {
        keyword.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(sql[position]))));
        ++position;
    }
    return keyword;
}

// The SQLSTATE class that best names a database error.
const char* sqlStateFor(const std::string& error)
{
    if (error.find("constraint") != std::string::npos) {
        return "23000";
    }
    if (error.find("no such table") != std::string::npos) {
        return "42S02";
    }
    if (error.find("no such column") != std::string::npos) {
        return "42S22";
    }
    if (error.find("syntax error") != std::string::npos) {
        return "42000";
    }
    if (error.find("values were given") != std::string::npos) {
        return "07002";
    }
    return "HY000";
}

SQLRETURN run(Statement& statement, const std::string& sql)
{
    statement.closeCursor();
    statement.rowCount = -1;
    std::string error;
    Connection& connection = statement.connection;
    if (connection.manualCommit && connection.database->transactionLevel() == 0) {
        const SQLRETURN begun = connection.beginTransaction(statement);
        if (!succeeded(begun)) {
            return begun;
        }
    }
    std::vector<jet::Value> values;
    const SQLRETURN read = parameterValues(statement, values);
    if (!succeeded(read)) {
        return read;
    }
    const std::string keyword = firstKeyword(sql);
    if (keyword == "SELECT") {
        jet::Rows rows;
        if (!statement.connection.database->query(sql, values, rows, error)) {
            return statement.fail(sqlStateFor(error), error);
        }
        statement.result = std::move(rows);
        statement.hasResultSet = true;
        return SQL_SUCCESS;
    }
    long affected = 0;
    if (!statement.connection.database->execute(sql, values, affected, error)) {
        return statement.fail(sqlStateFor(error), error);
    }
    statement.rowCount = affected;
    const bool searchedChange = keyword == "UPDATE" || keyword == "DELETE" || keyword == "INSERT";
    if (searchedChange && affected == 0 &&
        statement.connection.environment.odbcVersion != SQL_OV_ODBC2) {
        return SQL_NO_DATA;
    }
    return SQL_SUCCESS;
}

SQLRETURN checkedText(Statement& statement, const SQLCHAR* text, SQLINTEGER length, std::string& sql)
{
    if (text == nullptr) {
        return statement.fail("HY009", "Invalid use of null pointer");
    }
    if (length < 0 && length != SQL_NTS) {
        return statement.fail("HY090", "Invalid string or buffer length");
    }
    sql = codepage::windows1252ToUtf8(inputText(text, length));
    return SQL_SUCCESS;
}

}  // namespace

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLExecDirect(SQLHSTMT StatementHandle, SQLCHAR* StatementText,
                                                   SQLINTEGER TextLength)
{
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT, [&](Statement& statement) -> SQLRETURN {
        std::string sql;
        const SQLRETURN checked = checkedText(statement, StatementText, TextLength, sql);
        statement.prepared = false;
        return succeeded(checked) ? run(statement, sql) : checked;
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLPrepare(SQLHSTMT StatementHandle, SQLCHAR* StatementText,
                                                SQLINTEGER TextLength)
{
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT, [&](Statement& statement) -> SQLRETURN {
        const SQLRETURN checked = checkedText(statement, StatementText, TextLength, statement.preparedText);
        statement.closeCursor();
        statement.prepared = succeeded(checked);
        return checked;
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLExecute(SQLHSTMT StatementHandle)
{
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT, [&](Statement& statement) -> SQLRETURN {
        if (!statement.prepared) {
            return statement.fail("HY010", "Function sequence error");
        }
        return run(statement, statement.preparedText);
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLFreeStmt(SQLHSTMT StatementHandle, SQLUSMALLINT Option)
{
    if (Option == SQL_DROP) {
        auto* statement = handleAs<Statement>(StatementHandle, SQL_HANDLE_STMT);
        if (statement == nullptr) {
            return SQL_INVALID_HANDLE;
        }
        statement->connection.freeStatement(statement);
        return SQL_SUCCESS;
    }
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT, [&](Statement& statement) -> SQLRETURN {
        switch (Option) {
        case SQL_CLOSE:
            statement.closeCursor();
            return SQL_SUCCESS;
        case SQL_UNBIND:
            return SQL_SUCCESS;  // no column is ever bound
        case SQL_RESET_PARAMS:
            statement.parameters.clear();
            return SQL_SUCCESS;
        default:
            return statement.fail("HY092", "Invalid attribute/option identifier");
        }
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLCloseCursor(SQLHSTMT StatementHandle)
{
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT, [&](Statement& statement) -> SQLRETURN {
        if (!statement.hasResultSet) {
            return statement.fail("24000", "Invalid cursor state");
        }
        statement.closeCursor();
        return SQL_SUCCESS;
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLMoreResults(SQLHSTMT StatementHandle)
{
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT, [&](Statement& statement) -> SQLRETURN {
        statement.closeCursor();
        return SQL_NO_DATA;
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLCancel(SQLHSTMT StatementHandle)
{
    // Statements run to their end inside the call that starts them; nothing is left to cancel.
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT,
                            [](Statement&) -> SQLRETURN { return SQL_SUCCESS; });
}
