// Allocating and freeing handles, and the environment's attributes.
#include "DriverHandles.h"

#include <new>

using namespace odbcdriver;

namespace {

SQLRETURN allocate(SQLSMALLINT handleType, SQLHANDLE input, SQLHANDLE* output)
{
    if (output == nullptr) {
        return SQL_ERROR;
    }
    *output = SQL_NULL_HANDLE;
    Handle* created = nullptr;
    switch (handleType) {
    case SQL_HANDLE_ENV:
        created = new (std::nothrow) Environment();
        break;
    case SQL_HANDLE_DBC: {
        auto* environment = handleAs<Environment>(input, SQL_HANDLE_ENV);
        if (environment == nullptr) {
            return SQL_INVALID_HANDLE;
        }
        created = new (std::nothrow) Connection(*environment);
        break;
    }
    case SQL_HANDLE_STMT: {
        auto* connection = handleAs<Connection>(input, SQL_HANDLE_DBC);
        if (connection == nullptr) {
            return SQL_INVALID_HANDLE;
        }
        connection->diagnostics.clear();
        if (!connection->database) {
            return connection->fail("08003", "Connection not open");
        }
        try {
            created = connection->addStatement();
        } catch (...) {
            return connection->fail("HY001", "Memory allocation error");
        }
        break;
    }
    default:
        return SQL_ERROR;
    }
    if (created == nullptr) {
        return SQL_ERROR;
    }
    *output = static_cast<Handle*>(created);
    return SQL_SUCCESS;
}

}  // namespace

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLAllocHandle(SQLSMALLINT HandleType, SQLHANDLE InputHandle,
                                                    SQLHANDLE* OutputHandle)
{
    return allocate(HandleType, InputHandle, OutputHandle);
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLFreeHandle(SQLSMALLINT HandleType, SQLHANDLE Handle)
{
    auto* handle = handleAs<odbcdriver::Handle>(Handle, HandleType);
    if (handle == nullptr) {
        return SQL_INVALID_HANDLE;
    }
    if (HandleType == SQL_HANDLE_STMT) {
        auto* statement = static_cast<Statement*>(handle);
        statement->connection.freeStatement(statement);
        return SQL_SUCCESS;
    }
    if (HandleType == SQL_HANDLE_DBC && static_cast<Connection*>(handle)->database) {
        handle->diagnostics.clear();
        return handle->fail("HY010", "Function sequence error: the connection is still open");
    }
    delete handle;
    return SQL_SUCCESS;
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLSetEnvAttr(SQLHENV EnvironmentHandle, SQLINTEGER Attribute,
                                                   SQLPOINTER Value, SQLINTEGER)
{
    return runOn<Environment>(EnvironmentHandle, SQL_HANDLE_ENV, [&](Environment& environment) -> SQLRETURN {
        const auto number = static_cast<SQLINTEGER>(reinterpret_cast<SQLLEN>(Value));
        switch (Attribute) {
        case SQL_ATTR_ODBC_VERSION:
            if (number != SQL_OV_ODBC2 && number != SQL_OV_ODBC3 && number != SQL_OV_ODBC3_80) {
                return environment.fail("HY024", "Invalid attribute value");
            }
            environment.odbcVersion = number;
            return SQL_SUCCESS;
        case SQL_ATTR_OUTPUT_NTS:
            return number == SQL_TRUE ? SQL_SUCCESS
                                      : environment.fail("HYC00", "Optional feature not implemented");
        case SQL_ATTR_CONNECTION_POOLING:
        case SQL_ATTR_CP_MATCH:
            return SQL_SUCCESS;
        default:
            return environment.fail("HY092", "Invalid attribute/option identifier");
        }
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLGetEnvAttr(SQLHENV EnvironmentHandle, SQLINTEGER Attribute,
                                                   SQLPOINTER Value, SQLINTEGER, SQLINTEGER*)
{
    return runOn<Environment>(EnvironmentHandle, SQL_HANDLE_ENV, [&](Environment& environment) -> SQLRETURN {
        SQLINTEGER answer = 0;
        switch (Attribute) {
        case SQL_ATTR_ODBC_VERSION: answer = environment.odbcVersion; break;
        case SQL_ATTR_OUTPUT_NTS: answer = SQL_TRUE; break;
        case SQL_ATTR_CONNECTION_POOLING: answer = SQL_CP_OFF; break;
        case SQL_ATTR_CP_MATCH: answer = SQL_CP_STRICT_MATCH; break;
        default: return environment.fail("HY092", "Invalid attribute/option identifier");
        }
        if (Value != nullptr) {
            *static_cast<SQLINTEGER*>(Value) = answer;
        }
        return SQL_SUCCESS;
    });
}
