// What the driver tells about itself, and its diagnostic records.
#include "Windows1252.h"
#include "DriverHandles.h"

#include <algorithm>

using namespace odbcdriver;

namespace {

constexpr SQLUSMALLINT kSupportedFunctions[] = {
    SQL_API_SQLALLOCHANDLE,   SQL_API_SQLFREEHANDLE,     SQL_API_SQLSETENVATTR,
    SQL_API_SQLGETENVATTR,    SQL_API_SQLDRIVERCONNECT,  SQL_API_SQLDISCONNECT,
    SQL_API_SQLSETCONNECTATTR, SQL_API_SQLGETCONNECTATTR, SQL_API_SQLENDTRAN,
    SQL_API_SQLEXECDIRECT,    SQL_API_SQLPREPARE,        SQL_API_SQLEXECUTE,
    SQL_API_SQLFREESTMT,      SQL_API_SQLCLOSECURSOR,    SQL_API_SQLMORERESULTS,
    SQL_API_SQLCANCEL,        SQL_API_SQLNUMRESULTCOLS,  SQL_API_SQLDESCRIBECOL,
    SQL_API_SQLCOLATTRIBUTE,  SQL_API_SQLFETCH,          SQL_API_SQLFETCHSCROLL,
    SQL_API_SQLGETDATA,       SQL_API_SQLROWCOUNT,       SQL_API_SQLGETINFO,
    SQL_API_SQLGETFUNCTIONS,  SQL_API_SQLGETDIAGREC,     SQL_API_SQLGETDIAGFIELD,
    SQL_API_SQLBINDPARAMETER};

bool isSupported(SQLUSMALLINT function)
{
    for (const SQLUSMALLINT supported : kSupportedFunctions) {
        if (supported == function) {
            return true;
        }
    }
    return false;
}

SQLRETURN answerText(Connection& connection, const char* text, SQLPOINTER value, SQLSMALLINT length,
                     SQLSMALLINT* stringLength)
{
    return copyText(&connection, std::string(text), value, length, stringLength);
}

template <typename Number>
SQLRETURN answerNumber(Number number, SQLPOINTER value)
{
    if (value != nullptr) {
        *static_cast<Number*>(value) = number;
    }
    return SQL_SUCCESS;
}

SQLRETURN information(Connection& connection, SQLUSMALLINT infoType, SQLPOINTER value,
                      SQLSMALLINT length, SQLSMALLINT* stringLength)
{
    switch (infoType) {
    case SQL_DRIVER_NAME: return answerText(connection, "libvantoraodbc.so", value, length, stringLength);
    case SQL_DRIVER_VER: return answerText(connection, "01.00.0000", value, length, stringLength);
    case SQL_DRIVER_ODBC_VER: return answerText(connection, "03.00", value, length, stringLength);
    case SQL_DBMS_NAME: return answerText(connection, "ACCESS", value, length, stringLength);
    case SQL_DBMS_VER: return answerText(connection, "04.00.0000", value, length, stringLength);
    case SQL_DATA_SOURCE_NAME:
    case SQL_SERVER_NAME:
    case SQL_USER_NAME:
    case SQL_DATABASE_NAME:
        return answerText(connection, "", value, length, stringLength);
    case SQL_IDENTIFIER_QUOTE_CHAR: return answerText(connection, "`", value, length, stringLength);
    case SQL_DATA_SOURCE_READ_ONLY:
        return answerText(connection, connection.accessMode == SQL_MODE_READ_ONLY ? "Y" : "N", value,
                          length, stringLength);
    case SQL_ACCESSIBLE_TABLES:
    case SQL_MULT_RESULT_SETS:
        return answerText(connection, "N", value, length, stringLength);
    case SQL_TXN_CAPABLE: return answerNumber<SQLUSMALLINT>(SQL_TC_NONE, value);
    case SQL_CURSOR_COMMIT_BEHAVIOR:
    case SQL_CURSOR_ROLLBACK_BEHAVIOR:
        return answerNumber<SQLUSMALLINT>(SQL_CB_PRESERVE, value);
    case SQL_GETDATA_EXTENSIONS:
        return answerNumber<SQLUINTEGER>(SQL_GD_ANY_COLUMN | SQL_GD_ANY_ORDER, value);
    case SQL_MAX_COLUMN_NAME_LEN:
    case SQL_MAX_TABLE_NAME_LEN:
        return answerNumber<SQLUSMALLINT>(64, value);
    case SQL_MAX_CONCURRENT_ACTIVITIES:
    case SQL_MAX_DRIVER_CONNECTIONS:
        return answerNumber<SQLUSMALLINT>(0, value);
    case SQL_SCROLL_OPTIONS: return answerNumber<SQLUINTEGER>(SQL_SO_FORWARD_ONLY, value);
    case SQL_ODBC_INTERFACE_CONFORMANCE: return answerNumber<SQLUINTEGER>(SQL_OIC_CORE, value);
    default: return connection.fail("HY096", "Information type out of range");
    }
}

odbcdriver::Handle* anyHandle(SQLSMALLINT handleType, SQLHANDLE handle)
{
    if (handleType != SQL_HANDLE_ENV && handleType != SQL_HANDLE_DBC && handleType != SQL_HANDLE_STMT) {
        return nullptr;
    }
    return handleAs<odbcdriver::Handle>(handle, handleType);
}

}  // namespace

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLGetInfo(SQLHDBC ConnectionHandle, SQLUSMALLINT InfoType,
                                                SQLPOINTER InfoValue, SQLSMALLINT BufferLength,
                                                SQLSMALLINT* StringLength)
{
    return runOn<Connection>(ConnectionHandle, SQL_HANDLE_DBC, [&](Connection& connection) -> SQLRETURN {
        return information(connection, InfoType, InfoValue, BufferLength, StringLength);
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLGetFunctions(SQLHDBC ConnectionHandle, SQLUSMALLINT FunctionId,
                                                     SQLUSMALLINT* Supported)
{
    return runOn<Connection>(ConnectionHandle, SQL_HANDLE_DBC, [&](Connection& connection) -> SQLRETURN {
        if (Supported == nullptr) {
            return connection.fail("HY009", "Invalid use of null pointer");
        }
        if (FunctionId == SQL_API_ODBC3_ALL_FUNCTIONS) {
            std::fill(Supported, Supported + SQL_API_ODBC3_ALL_FUNCTIONS_SIZE, 0);
            for (const SQLUSMALLINT function : kSupportedFunctions) {
                Supported[function >> 4] |= static_cast<SQLUSMALLINT>(1 << (function & 0x000F));
            }
        } else if (FunctionId == SQL_API_ALL_FUNCTIONS) {
            std::fill(Supported, Supported + 100, 0);
            for (const SQLUSMALLINT function : kSupportedFunctions) {
                if (function < 100) {
                    Supported[function] = SQL_TRUE;
                }
            }
        } else {
            *Supported = isSupported(FunctionId) ? SQL_TRUE : SQL_FALSE;
        }
        return SQL_SUCCESS;
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLGetDiagRec(SQLSMALLINT HandleType, SQLHANDLE Handle,
                                                   SQLSMALLINT RecNumber, SQLCHAR* Sqlstate,
                                                   SQLINTEGER* NativeError, SQLCHAR* MessageText,
                                                   SQLSMALLINT BufferLength, SQLSMALLINT* TextLength)
{
    odbcdriver::Handle* handle = anyHandle(HandleType, Handle);
    if (handle == nullptr) {
        return SQL_INVALID_HANDLE;
    }
    if (RecNumber < 1 || BufferLength < 0) {
        return SQL_ERROR;
    }
    if (static_cast<std::size_t>(RecNumber) > handle->diagnostics.size()) {
        return SQL_NO_DATA;
    }
    const DiagnosticRecord& record = handle->diagnostics[RecNumber - 1];
    if (Sqlstate != nullptr) {
        record.sqlState.copy(reinterpret_cast<char*>(Sqlstate), 5);
        Sqlstate[5] = '\0';
    }
    if (NativeError != nullptr) {
        *NativeError = record.nativeError;
    }
    return copyText(nullptr, codepage::utf8ToWindows1252(record.message), MessageText, BufferLength, TextLength);
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLGetDiagField(SQLSMALLINT HandleType, SQLHANDLE Handle,
                                                     SQLSMALLINT RecNumber, SQLSMALLINT DiagIdentifier,
                                                     SQLPOINTER DiagInfo, SQLSMALLINT BufferLength,
                                                     SQLSMALLINT* StringLength)
{
    odbcdriver::Handle* handle = anyHandle(HandleType, Handle);
    if (handle == nullptr) {
        return SQL_INVALID_HANDLE;
    }
    switch (DiagIdentifier) {
    case SQL_DIAG_NUMBER:
        return answerNumber<SQLINTEGER>(static_cast<SQLINTEGER>(handle->diagnostics.size()), DiagInfo);
    case SQL_DIAG_RETURNCODE:
        return answerNumber<SQLRETURN>(handle->lastResult, DiagInfo);
    case SQL_DIAG_ROW_COUNT:
        if (HandleType != SQL_HANDLE_STMT) {
            return SQL_ERROR;
        }
        return answerNumber<SQLLEN>(static_cast<Statement*>(handle)->rowCount, DiagInfo);
    default:
        break;
    }
    if (RecNumber < 1) {
        return SQL_ERROR;
    }
    if (static_cast<std::size_t>(RecNumber) > handle->diagnostics.size()) {
        return SQL_NO_DATA;
    }
    const DiagnosticRecord& record = handle->diagnostics[RecNumber - 1];
    switch (DiagIdentifier) {
    case SQL_DIAG_SQLSTATE:
        return copyText(nullptr, record.sqlState, DiagInfo, BufferLength, StringLength);
    case SQL_DIAG_MESSAGE_TEXT:
        return copyText(nullptr, codepage::utf8ToWindows1252(record.message), DiagInfo, BufferLength, StringLength);
    case SQL_DIAG_NATIVE:
        return answerNumber<SQLINTEGER>(record.nativeError, DiagInfo);
    case SQL_DIAG_CLASS_ORIGIN:
    case SQL_DIAG_SUBCLASS_ORIGIN:
        return copyText(nullptr, std::string(record.sqlState.rfind("IM", 0) == 0 ? "ODBC 3.0" : "ISO 9075"),
                        DiagInfo, BufferLength, StringLength);
    case SQL_DIAG_CONNECTION_NAME:
    case SQL_DIAG_SERVER_NAME:
        return copyText(nullptr, std::string(), DiagInfo, BufferLength, StringLength);
    default:
        return SQL_ERROR;
    }
}
