#pragma once
// The practice database through ODBC: one environment and one connection for the whole run,
// and the few statement operations every SQL statement of the conduit runs on. Values come
// back as text. Results are 0 for success and 1 for failure; callers write the log lines.
// Rows are fetched with SQLFetch directly: success, SQL_NO_DATA at the end, or an error.
#include <sql.h>

#include <cstddef>
#include <string>

// Connects with the connection string followed by "UID=<user>;PWD=<password>;", a login
// time-out of 5 seconds and no prompting. On failure nothing stays allocated.
int ConnectDatabase(SQLHENV& environment, SQLHDBC& connection, const std::string& connectionString,
                    const std::string& user, const std::string& password);

void DisconnectDatabase(SQLHENV environment, SQLHDBC connection);

// Runs a statement that returns rows; a statement that affects no rows fails here.
int OpenQuery(SQLHDBC connection, SQLHSTMT& statement, const std::string& sql);

// Runs a statement without rows; affecting no rows counts as success.
int ExecuteSQL(SQLHDBC connection, const std::string& sql);

void CloseQuery(SQLHSTMT statement);

// The value of the result column named exactly so (case included) in the fetched row, cut to
// size - 1 characters; a NULL value reads as empty text. 1 when no column has that name or
// its value cannot be read.
int GetColumnByName(SQLHSTMT statement, const std::string& columnName, std::string& value,
                    std::size_t size);

// The value of column number columnNumber (from 1), as GetColumnByName reads it. Always 0.
int GetColumnByIndex(SQLHSTMT statement, int columnNumber, std::string& value, std::size_t size);

// Starts one transaction for the statements that follow, holding the database's write lock from
// now on; 1 when another program kept the database locked past the time-out, or on failure.
int BeginTransaction(SQLHDBC connection);
// Commits (or rolls back) the transaction and returns to statements that commit one by one.
int EndTransaction(SQLHDBC connection, bool commit);
