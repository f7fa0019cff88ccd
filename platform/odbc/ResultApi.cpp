// Reading results: column count and descriptions, fetching rows, values as character data,
// and row counts.
#include "Windows1252.h"
#include "ColumnData.h"
#include "DriverHandles.h"

using namespace odbcdriver;

namespace {

bool isColumnNumber(const Statement& statement, SQLUSMALLINT column)
{
    return column >= 1 && column <= statement.result.columns.size();
}

SQLRETURN answerNumber(SQLLEN value, SQLLEN* numericAttribute)
{
    if (numericAttribute != nullptr) {
        *numericAttribute = value;
    }
    return SQL_SUCCESS;
}

SQLRETURN columnAttribute(Statement& statement, SQLUSMALLINT column, SQLUSMALLINT field,
                          SQLPOINTER text, SQLSMALLINT textLength, SQLSMALLINT* length,
                          SQLLEN* number)
{
    if (field == SQL_DESC_COUNT || field == SQL_COLUMN_COUNT) {
        return answerNumber(static_cast<SQLLEN>(statement.result.columns.size()), number);
    }
    if (!isColumnNumber(statement, column)) {
        return statement.fail("07009", "Invalid descriptor index");
    }
    const jet::Column& described = statement.result.columns[column - 1];
    const SqlColumnType type = sqlColumnTypeOf(described.type);
    switch (field) {
    case SQL_DESC_NAME:
    case SQL_DESC_LABEL:
    case SQL_DESC_BASE_COLUMN_NAME:
    case SQL_COLUMN_NAME:
        return copyText(&statement, codepage::utf8ToWindows1252(described.name), text, textLength, length);
    case SQL_DESC_TYPE_NAME:
        return copyText(&statement, std::string(type.typeName), text, textLength, length);
    case SQL_DESC_TABLE_NAME:
    case SQL_DESC_BASE_TABLE_NAME:
    case SQL_DESC_SCHEMA_NAME:
    case SQL_DESC_CATALOG_NAME:
    case SQL_DESC_LITERAL_PREFIX:
    case SQL_DESC_LITERAL_SUFFIX:
    case SQL_DESC_LOCAL_TYPE_NAME:
        return copyText(&statement, std::string(), text, textLength, length);
    case SQL_DESC_TYPE:
    case SQL_DESC_CONCISE_TYPE:
        return answerNumber(type.type, number);
    case SQL_DESC_DISPLAY_SIZE:
        return answerNumber(type.displaySize, number);
    case SQL_DESC_LENGTH:
    case SQL_DESC_OCTET_LENGTH:
    case SQL_DESC_PRECISION:
    case SQL_COLUMN_LENGTH:
    case SQL_COLUMN_PRECISION:
        return answerNumber(static_cast<SQLLEN>(type.size), number);
    case SQL_DESC_SCALE:
    case SQL_COLUMN_SCALE:
        return answerNumber(type.digits, number);
    case SQL_DESC_NULLABLE:
    case SQL_COLUMN_NULLABLE:
        return answerNumber(SQL_NULLABLE_UNKNOWN, number);
    case SQL_DESC_UNSIGNED:
        return answerNumber(type.type == SQL_BIT ? SQL_TRUE : SQL_FALSE, number);
    case SQL_DESC_CASE_SENSITIVE:
    case SQL_DESC_AUTO_UNIQUE_VALUE:
    case SQL_DESC_FIXED_PREC_SCALE:
        return answerNumber(SQL_FALSE, number);
    case SQL_DESC_UPDATABLE:
        return answerNumber(SQL_ATTR_READWRITE_UNKNOWN, number);
    case SQL_DESC_SEARCHABLE:
        return answerNumber(SQL_PRED_SEARCHABLE, number);
    case SQL_DESC_UNNAMED:
        return answerNumber(described.name.empty() ? SQL_UNNAMED : SQL_NAMED, number);
    default:
        return statement.fail("HY091", "Invalid descriptor field identifier");
    }
}

SQLRETURN fetchNext(Statement& statement)
{
    if (!statement.hasResultSet) {
        return statement.fail("24000", "Invalid cursor state");
    }
    const auto rowCount = static_cast<std::ptrdiff_t>(statement.result.rows.size());
    if (statement.rowIndex < rowCount) {
        ++statement.rowIndex;
    }
    statement.dataOffsets.assign(statement.result.columns.size(), std::nullopt);
    return statement.rowIndex < rowCount ? SQL_SUCCESS : SQL_NO_DATA;
}

// One column of the current row as character data, in parts when the buffer is short.
SQLRETURN getData(Statement& statement, SQLUSMALLINT column, SQLSMALLINT targetType,
                  SQLPOINTER target, SQLLEN bufferLength, SQLLEN* indicator)
{
    if (!statement.hasResultSet || statement.rowIndex < 0 ||
        statement.rowIndex >= static_cast<std::ptrdiff_t>(statement.result.rows.size())) {
        return statement.fail("24000", "Invalid cursor state");
    }
    if (!isColumnNumber(statement, column)) {
        return statement.fail("07009", "Invalid descriptor index");
    }
    if (targetType != SQL_C_CHAR && targetType != SQL_C_DEFAULT) {
        return statement.fail("07006", "Restricted data type attribute violation");
    }
    if (bufferLength < 0) {
        return statement.fail("HY090", "Invalid string or buffer length");
    }
    auto& offset = statement.dataOffsets[column - 1];
    std::string text;
    const bool present = characterData(statement.result.rows[statement.rowIndex][column - 1],
                                       statement.result.columns[column - 1].type, text);
    text = codepage::utf8ToWindows1252(text);
    if (offset && *offset >= text.size()) {
        return SQL_NO_DATA;
    }
    if (!present) {
        if (indicator == nullptr) {
            return statement.fail("22002", "Indicator variable required but not supplied");
        }
        *indicator = SQL_NULL_DATA;
        offset = 0;
        return SQL_SUCCESS;
    }
    const std::size_t start = offset.value_or(0);
    const std::string rest = text.substr(start);
    const SQLRETURN copied = copyText(&statement, rest, target, bufferLength, indicator);
    std::size_t taken = rest.size();
    if (copied == SQL_SUCCESS_WITH_INFO) {
        taken = bufferLength > 0 ? static_cast<std::size_t>(bufferLength) - 1 : 0;
    }
    offset = start + taken;
    return copied;
}

}  // namespace

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLNumResultCols(SQLHSTMT StatementHandle, SQLSMALLINT* ColumnCount)
{
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT, [&](Statement& statement) -> SQLRETURN {
        if (ColumnCount != nullptr) {
            *ColumnCount = static_cast<SQLSMALLINT>(statement.result.columns.size());
        }
        return SQL_SUCCESS;
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLDescribeCol(SQLHSTMT StatementHandle, SQLUSMALLINT ColumnNumber,
                                                    SQLCHAR* ColumnName, SQLSMALLINT BufferLength,
                                                    SQLSMALLINT* NameLength, SQLSMALLINT* DataType,
                                                    SQLULEN* ColumnSize, SQLSMALLINT* DecimalDigits,
                                                    SQLSMALLINT* Nullable)
{
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT, [&](Statement& statement) -> SQLRETURN {
        if (!isColumnNumber(statement, ColumnNumber)) {
            return statement.fail("07009", "Invalid descriptor index");
        }
        const jet::Column& column = statement.result.columns[ColumnNumber - 1];
        const SqlColumnType type = sqlColumnTypeOf(column.type);
        if (DataType != nullptr) {
            *DataType = type.type;
        }
        if (ColumnSize != nullptr) {
            *ColumnSize = type.size;
        }
        if (DecimalDigits != nullptr) {
            *DecimalDigits = type.digits;
        }
        if (Nullable != nullptr) {
            *Nullable = SQL_NULLABLE_UNKNOWN;
        }
        return copyText(&statement, codepage::utf8ToWindows1252(column.name), ColumnName, BufferLength, NameLength);
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLColAttribute(SQLHSTMT StatementHandle, SQLUSMALLINT ColumnNumber,
                                                     SQLUSMALLINT FieldIdentifier,
                                                     SQLPOINTER CharacterAttribute,
                                                     SQLSMALLINT BufferLength, SQLSMALLINT* StringLength,
                                                     SQLLEN* NumericAttribute)
{
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT, [&](Statement& statement) -> SQLRETURN {
        return columnAttribute(statement, ColumnNumber, FieldIdentifier, CharacterAttribute,
                               BufferLength, StringLength, NumericAttribute);
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLFetch(SQLHSTMT StatementHandle)
{
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT, fetchNext);
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLFetchScroll(SQLHSTMT StatementHandle, SQLSMALLINT FetchOrientation,
                                                    SQLLEN)
{
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT, [&](Statement& statement) -> SQLRETURN {
        if (FetchOrientation != SQL_FETCH_NEXT) {
            return statement.fail("HY106", "Fetch type out of range");  // a forward-only cursor
        }
        return fetchNext(statement);
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLGetData(SQLHSTMT StatementHandle, SQLUSMALLINT ColumnNumber,
                                                SQLSMALLINT TargetType, SQLPOINTER TargetValue,
                                                SQLLEN BufferLength, SQLLEN* StrLen_or_Ind)
{
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT, [&](Statement& statement) -> SQLRETURN {
        return getData(statement, ColumnNumber, TargetType, TargetValue, BufferLength, StrLen_or_Ind);
    });
}

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLRowCount(SQLHSTMT StatementHandle, SQLLEN* RowCount)
{
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT, [&](Statement& statement) -> SQLRETURN {
        if (RowCount != nullptr) {
            *RowCount = statement.rowCount;
        }
        return SQL_SUCCESS;
    });
}
