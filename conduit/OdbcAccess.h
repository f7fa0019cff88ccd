#pragma once
// The practice database through ODBC: one environment and one connection for the whole run,
// and the few statement operations every SQL statement of the conduit runs on. Values come
// back as text. Results are 0 for success and 1 for failure; callers write the log lines.
// Rows are fetched with SQLFetch directly: success, SQL_NO_DATA at the end, or an error.
#include <sql.h>

#include <cstddef>
#include <string>
#include <vector>

// Connects with the connection string followed by "UID=<user>;PWD=<password>;", a login
// time-out of 5 seconds and no prompting. On failure nothing stays allocated.
int ConnectDatabase(SQLHENV& environment, SQLHDBC& connection, const std::string& connectionString,
                    const std::string& user, const std::string& password);

// Frees the statements kept prepared for the connection, and disconnects.
void DisconnectDatabase(SQLHENV environment, SQLHDBC connection);

// Runs a statement that returns rows; a statement that affects no rows fails here.
int OpenQuery(SQLHDBC connection, SQLHSTMT& statement, const std::string& sql);

// Runs a statement without rows; affecting no rows counts as success.
int ExecuteSQL(SQLHDBC connection, const std::string& sql);

// A statement run for many records holds "?" where each value goes and is given the values, in
// order, as the Jet literals the conduit writes: 'text' (quotes doubled inside), a number, #date#,
// #time#, #date time# or NULL. The connection prepares each such text once and binds its values.
using SqlValues = std::vector<std::string>;
int OpenQuery(SQLHDBC connection, SQLHSTMT& statement, const std::string& sql, const SqlValues& values);
int ExecuteSQL(SQLHDBC connection, const std::string& sql, const SqlValues& values);
// The statement with each "?" replaced by its value, as the log shows it.
std::string StatementWithValues(const std::string& sql, const SqlValues& values);

// Frees a query, or closes it when its statement is kept prepared for the next values.
void CloseQuery(SQLHSTMT statement);

// The value of the result column named exactly so (case included) in the fetched row, cut to
// size - 1 characters; a NULL value reads as empty text. 1 when no column has that name or
// its value cannot be read.
int GetColumnByName(SQLHSTMT statement, const std::string& columnName, std::string& value,
                    std::size_t size);

// The value of column number columnNumber (from 1), as GetColumnByName reads it. Always 0.
int GetColumnByIndex(SQLHSTMT statement, int columnNumber, std::string& value, std::size_t size);

// How a transaction takes the database's write lock: as it begins, holding it from then on, or
// only at its first write or TakeWriteLock, its reads until then seeing the database as it was at
// the first of them.
enum class WriteLock { AtBegin, AtFirstWrite };
// Starts one transaction for the statements that follow; 1 when another program kept the
// database locked past the time-out (for a lock taken at the begin), or on failure.
int BeginTransaction(SQLHDBC connection, WriteLock writeLock = WriteLock::AtBegin);
// Takes the write lock of a transaction begun WriteLock::AtFirstWrite now, unless it holds it
// already. 0 when it holds it; 1 when another program changed the database since the
// transaction's first read, or is changing it now: what the transaction read may be out of date.
int TakeWriteLock(SQLHDBC connection);
// Commits (or rolls back) the transaction and returns to statements that commit one by one.
int EndTransaction(SQLHDBC connection, bool commit);
