// Connecting with DBQ, SystemDB, UID and PWD, and the connection's attributes.
#include "Windows1252.h"
#include "ConnectionAttributes.h"
#include "DriverHandles.h"
#include "VantoraOdbc.h"
#include "Workgroup.h"

#include <filesystem>

using namespace odbcdriver;

namespace {

// Opens the database as the desktop's connection does, refusing a missing database, a
// missing workgroup file, an account it does not hold and a workgroup file that is not the
// database's own. Without SystemDB the workgroup file is the one beside the database.
SQLRETURN openDatabase(Connection& connection, const ConnectionAttributes& attributes)
{
    jet::ConnectionSettings settings;
    settings.databasePath = attributes.database;
    settings.workgroupPath = attributes.workgroup.empty()
                                 ? jet::workgroupPathFor(attributes.database)
                                 : attributes.workgroup;
    settings.userId = attributes.user;
    settings.password = attributes.password;

    std::error_code ignored;
    if (settings.databasePath.empty() || !std::filesystem::is_regular_file(settings.databasePath, ignored)) {
        return connection.fail("08001", "Could not find file '" + settings.databasePath + "'.");
    }
    if (!std::filesystem::is_regular_file(settings.workgroupPath, ignored)) {
        return connection.fail("08001", "The workgroup information file '" + settings.workgroupPath +
                                            "' is missing.");
    }
    std::string error;
    jet::Connection::Refusal refusal = jet::Connection::Refusal::Database;
    connection.database = jet::Connection::open(settings, error, &refusal);
    if (!connection.database) {
        // An account refused, or a workgroup file that is damaged or not the database's own.
        return refusal != jet::Connection::Refusal::Database
                   ? connection.fail("28000", "Not a valid account name or password.")
                   : connection.fail("08001", error);
    }
    return SQL_SUCCESS;
}

// Commits or rolls back the open transaction, if any.
SQLRETURN endTransaction(Connection& connection, bool commit)
{
    if (connection.database->transactionLevel() == 0) {
        return SQL_SUCCESS;
    }
    std::string error;
    const bool ended = commit ? connection.database->commitTrans(error) : connection.database->rollbackTrans(error);
    return ended ? SQL_SUCCESS : connection.fail("HY000", error);
}

// Leaving manual-commit mode commits what is open; entering it begins a transaction at once,
// so that a database another program keeps locked is known before anything is written (unless
// the transaction is to take the write lock only at its first write).
SQLRETURN setAutoCommit(Connection& connection, bool on)
{
    if (on == !connection.manualCommit) {
        return SQL_SUCCESS;
    }
    if (connection.database) {
        const SQLRETURN done = on ? endTransaction(connection, true) : connection.beginTransaction(connection);
        if (!succeeded(done)) {
            return done;
        }
    }
    connection.manualCommit = !on;
    return SQL_SUCCESS;
}

}  // namespace

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLDriverConnect(SQLHDBC ConnectionHandle, SQLHWND,
                                                      SQLCHAR* InConnectionString,
                                                      SQLSMALLINT StringLength1,
                                                      SQLCHAR* OutConnectionString,
                                                      SQLSMALLINT BufferLength,
                                                      SQLSMALLINT* StringLength2Ptr, SQLUSMALLINT)
{
    // There is no dialog to prompt with: every completion mode connects with what it is given.
    return runOn<Connection>(ConnectionHandle, SQL_HANDLE_DBC, [&](Connection& connection) -> SQLRETURN {
        if (connection.database) {
            return connection.fail("08002", "Connection name in use");
        }
        if (InConnectionString == nullptr || (StringLength1 < 0 && StringLength1 != SQL_NTS)) {
            return connection.fail("HY090", "Invalid string or buffer length");
        }
        const std::string text = inputText(InConnectionString, StringLength1);
        const SQLRETURN opened =
            openDatabase(connection, parseConnectionAttributes(codepage::windows1252ToUtf8(text)));
        if (!succeeded(opened)) {
            return opened;
        }
        return copyText(&connection, text, OutConnectionString, BufferLength, StringLength2Ptr);
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLDisconnect(SQLHDBC ConnectionHandle)
{
    return runOn<Connection>(ConnectionHandle, SQL_HANDLE_DBC, [&](Connection& connection) -> SQLRETURN {
        if (!connection.database) {
            return connection.fail("08003", "Connection not open");
        }
        connection.disconnect();
        return SQL_SUCCESS;
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLSetConnectAttr(SQLHDBC ConnectionHandle, SQLINTEGER Attribute,
                                                       SQLPOINTER Value, SQLINTEGER)
{
    return runOn<Connection>(ConnectionHandle, SQL_HANDLE_DBC, [&](Connection& connection) -> SQLRETURN {
        const auto number = static_cast<SQLUINTEGER>(reinterpret_cast<SQLULEN>(Value));
        switch (Attribute) {
        case SQL_ATTR_LOGIN_TIMEOUT:
            connection.loginTimeout = number;
            return SQL_SUCCESS;
        case SQL_ATTR_ACCESS_MODE:
            connection.accessMode = number;
            return SQL_SUCCESS;
        case SQL_ATTR_AUTOCOMMIT:
            return setAutoCommit(connection, number == SQL_AUTOCOMMIT_ON);
        case vantoraodbc::kAttrWriteLockAtFirstWrite:
            connection.writeLockAtFirstWrite = number == SQL_TRUE;
            return SQL_SUCCESS;
        case vantoraodbc::kAttrTakeWriteLock:
            if (number != SQL_TRUE) {
                return connection.fail("HY024", "Invalid attribute value");
            }
            return connection.database ? connection.takeWriteLock(connection)
                                       : connection.fail("08003", "Connection not open");
        case SQL_ATTR_CONNECTION_TIMEOUT:
            return number == 0 ? SQL_SUCCESS
                               : connection.inform("01S02", "Option value changed");
        default:
            return connection.fail("HY092", "Invalid attribute/option identifier");
        }
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLGetConnectAttr(SQLHDBC ConnectionHandle, SQLINTEGER Attribute,
                                                       SQLPOINTER Value, SQLINTEGER, SQLINTEGER*)
{
    return runOn<Connection>(ConnectionHandle, SQL_HANDLE_DBC, [&](Connection& connection) -> SQLRETURN {
        SQLUINTEGER answer = 0;
        switch (Attribute) {
        case SQL_ATTR_LOGIN_TIMEOUT: answer = connection.loginTimeout; break;
        case SQL_ATTR_ACCESS_MODE: answer = connection.accessMode; break;
        case SQL_ATTR_AUTOCOMMIT: answer = connection.manualCommit ? SQL_AUTOCOMMIT_OFF : SQL_AUTOCOMMIT_ON; break;
        case vantoraodbc::kAttrWriteLockAtFirstWrite:
            answer = connection.writeLockAtFirstWrite ? SQL_TRUE : SQL_FALSE;
            break;
        case SQL_ATTR_CONNECTION_TIMEOUT: answer = 0; break;
        case SQL_ATTR_CONNECTION_DEAD: answer = connection.database ? SQL_CD_FALSE : SQL_CD_TRUE; break;
        default: return connection.fail("HY092", "Invalid attribute/option identifier");
        }
        if (Value != nullptr) {
            *static_cast<SQLUINTEGER*>(Value) = answer;
        }
        return SQL_SUCCESS;
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLEndTran(SQLSMALLINT HandleType, SQLHANDLE Handle,
                                                SQLSMALLINT CompletionType)
{
    // The driver manager ends an environment's transactions connection by connection.
    if (HandleType == SQL_HANDLE_ENV) {
        return handleAs<Environment>(Handle, SQL_HANDLE_ENV) ? SQL_SUCCESS : SQL_INVALID_HANDLE;
    }
    return runOn<Connection>(Handle, SQL_HANDLE_DBC, [&](Connection& connection) -> SQLRETURN {
        if (!connection.database) {
            return connection.fail("08003", "Connection not open");
        }
        if (CompletionType != SQL_COMMIT && CompletionType != SQL_ROLLBACK) {
            return connection.fail("HY012", "Invalid transaction operation code");
        }
        return endTransaction(connection, CompletionType == SQL_COMMIT);
    });
}
