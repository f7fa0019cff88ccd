#pragma once
// The driver's environment, connection and statement handles with their diagnostic records.
#include "JetConnection.h"

#include <sql.h>
#include <sqlext.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace odbcdriver {

struct DiagnosticRecord {
    std::string sqlState;
    SQLINTEGER nativeError = 0;
    std::string message;
};

struct Handle {
    explicit Handle(SQLSMALLINT handleType) : type(handleType) {}
    virtual ~Handle() = default;

    // Adds a diagnostic record and answers SQL_ERROR.
    SQLRETURN fail(const char* sqlState, const std::string& message);
    // Adds a diagnostic record and answers SQL_SUCCESS_WITH_INFO.
    SQLRETURN inform(const char* sqlState, const std::string& message);

    const SQLSMALLINT type;
    std::vector<DiagnosticRecord> diagnostics;  // of the last call on this handle
    SQLRETURN lastResult = SQL_SUCCESS;
};

struct Environment : Handle {
    Environment() : Handle(SQL_HANDLE_ENV) {}
    SQLINTEGER odbcVersion = SQL_OV_ODBC3;
};

struct Statement;

struct Connection : Handle {
    explicit Connection(Environment& owner) : Handle(SQL_HANDLE_DBC), environment(owner) {}
    Environment& environment;
    std::unique_ptr<jet::Connection> database;  // null while not connected
    SQLUINTEGER loginTimeout = 0;  // seconds; kept for the application, the open does not wait
    SQLUINTEGER accessMode = SQL_MODE_READ_WRITE;
    // Manual-commit mode: statements run in one transaction until SQLEndTran ends it; the next
    // statement begins another.
    bool manualCommit = false;
    // Whether such a transaction takes the write lock only at its first write.
    bool writeLockAtFirstWrite = false;
    // Statements belong to their connection: disconnecting frees those still allocated.
    std::vector<std::unique_ptr<Statement>> statements;

    Statement* addStatement();
    void freeStatement(Statement* statement);
    void disconnect();
    // Begins a transaction that holds the write lock at once (waiting up to the busy time-out),
    // or only from its first write; HYT00 on reporter when another program kept the database locked.
    SQLRETURN beginTransaction(Handle& reporter);
    // Takes the open transaction's write lock now: HYT00 when another program holds it, 40001
    // when another program committed since the transaction's first read.
    SQLRETURN takeWriteLock(Handle& reporter);
};

// A parameter as SQLBindParameter gave it; its value is read from the application's buffers
// each time the statement runs.
struct BoundParameter {
    SQLSMALLINT valueType = SQL_C_CHAR;     // C type of the buffer
    SQLSMALLINT parameterType = SQL_VARCHAR;  // SQL type the value stands for
    SQLPOINTER value = nullptr;
    SQLLEN* lengthOrIndicator = nullptr;    // null: a terminated text, or a fixed-size number
};

struct Statement : Handle {
    explicit Statement(Connection& owner) : Handle(SQL_HANDLE_STMT), connection(owner) {}
    Connection& connection;
    std::string preparedText;    // in UTF-8
    bool prepared = false;
    std::vector<std::optional<BoundParameter>> parameters;  // by parameter number - 1
    bool hasResultSet = false;   // a SELECT ran and its cursor is open
    jet::Rows result;
    std::ptrdiff_t rowIndex = -1;  // -1 before the first fetch
    SQLLEN rowCount = -1;          // rows changed by the last statement; -1 after a SELECT
    // Per column of the current row: bytes already answered by SQLGetData.
    std::vector<std::optional<std::size_t>> dataOffsets;

    void closeCursor();
};

// The handle of the given type behind an ODBC handle; null for a null or mismatched handle.
template <typename T>
T* handleAs(SQLHANDLE handle, SQLSMALLINT handleType)
{
    auto* base = static_cast<Handle*>(handle);
    if (base == nullptr || base->type != handleType) {
        return nullptr;
    }
    return static_cast<T*>(base);
}

// Runs an entry point's body on a handle with its diagnostics cleared first; a failure to
// allocate memory becomes HY001 instead of leaving the driver.
template <typename T, typename Body>
SQLRETURN runOn(SQLHANDLE rawHandle, SQLSMALLINT handleType, Body&& body)
{
    T* handle = handleAs<T>(rawHandle, handleType);
    if (handle == nullptr) {
        return SQL_INVALID_HANDLE;
    }
    handle->diagnostics.clear();
    SQLRETURN result;
    try {
        result = body(*handle);
    } catch (...) {
        handle->diagnostics.clear();
        result = handle->fail("HY001", "Memory allocation error");
    }
    handle->lastResult = result;
    return result;
}

// Copies text into an application's character buffer, cut to fit with its terminator, and
// answers its whole length. SQL_SUCCESS_WITH_INFO when it was cut, with a 01004 record on
// handle unless it is null (reading a diagnostic record adds none).
template <typename Length>
SQLRETURN copyText(Handle* handle, const std::string& text, SQLPOINTER buffer,
                   SQLLEN bufferLength, Length* length)
{
    const auto truncated = [handle] {
        return handle != nullptr ? handle->inform("01004", "String data, right truncated")
                                 : SQLRETURN{SQL_SUCCESS_WITH_INFO};
    };
    if (length != nullptr) {
        *length = static_cast<Length>(text.size());
    }
    if (buffer == nullptr) {
        return SQL_SUCCESS;
    }
    if (bufferLength <= 0) {
        return text.empty() ? SQLRETURN{SQL_SUCCESS} : truncated();
    }
    const std::size_t room = static_cast<std::size_t>(bufferLength) - 1;
    const std::size_t copied = text.size() < room ? text.size() : room;
    auto* out = static_cast<char*>(buffer);
    text.copy(out, copied);
    out[copied] = '\0';
    if (copied < text.size()) {
        return truncated();
    }
    return SQL_SUCCESS;
}

// Text passed in by the application: up to its terminator for SQL_NTS, else of the given length.
std::string inputText(const SQLCHAR* text, SQLINTEGER length);

// True for SQL_SUCCESS and SQL_SUCCESS_WITH_INFO.
inline bool succeeded(SQLRETURN result)
{
    return result == SQL_SUCCESS || result == SQL_SUCCESS_WITH_INFO;
}

}  // namespace odbcdriver

// Entry points that the driver manager finds by name.
#define ODBC_DRIVER_EXPORT extern "C" __attribute__((visibility("default")))
