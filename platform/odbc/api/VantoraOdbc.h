#pragma once
// Connection attributes of this driver beyond ODBC's own, for SQLSetConnectAttr. An application
// reaches them through the driver manager like any other attribute.
#include <sql.h>
#include <sqlext.h>

namespace vantoraodbc {

// SQL_TRUE: a manual-commit transaction reads without the database's write lock and takes it only
// at its first write, which then fails at once (SQLSTATE 40001) when another program committed
// since the transaction's first read. SQL_FALSE, the default: it takes the lock as it begins.
inline constexpr SQLINTEGER kAttrWriteLockAtFirstWrite = SQL_DRIVER_CONN_ATTR_BASE + 1;

// Setting SQL_TRUE takes the write lock of the open transaction now, as its first write would:
// HYT00 when another program holds it, 40001 when another program committed since the
// transaction's first read. Nothing happens when the transaction holds it already.
inline constexpr SQLINTEGER kAttrTakeWriteLock = SQL_DRIVER_CONN_ATTR_BASE + 2;

}  // namespace vantoraodbc
