// Parameters: "?" in a statement's text takes the value bound to its number when the statement runs.
#include "Windows1252.h"
#include "DriverHandles.h"
#include "JetSql.h"
#include "ParameterValues.h"

#include <charconv>
#include <cstring>

using namespace odbcdriver;

namespace {

enum class ValueKind { Text, Integer, Real, DateTime };

std::optional<ValueKind> kindOfSqlType(SQLSMALLINT type)
{
    switch (type) {
    case SQL_CHAR:
    case SQL_VARCHAR:
    case SQL_LONGVARCHAR:
        return ValueKind::Text;
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
        return ValueKind::Integer;
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_NUMERIC:
    case SQL_DECIMAL:
        return ValueKind::Real;
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIME:
    case SQL_TYPE_TIMESTAMP:
        return ValueKind::DateTime;
    default:
        return std::nullopt;
    }
}

bool isSupportedValueType(SQLSMALLINT type)
{
    return type == SQL_C_CHAR || type == SQL_C_SLONG || type == SQL_C_DOUBLE;
}

template <typename Number>
bool parseWhole(const std::string& text, Number& number)
{
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    return error == std::errc() && stop == end;
}

// The value of a text bound for a parameter of the given kind.
SQLRETURN valueOfText(Statement& statement, const std::string& text, ValueKind kind, jet::Value& value)
{
    switch (kind) {
    case ValueKind::Text:
        value = text;
        return SQL_SUCCESS;
    case ValueKind::Integer: {
        std::int64_t number = 0;
        if (!parseWhole(text, number))
            return statement.fail("22018", "Invalid character value for cast specification");
        value = number;
        return SQL_SUCCESS;
    }
    case ValueKind::Real: {
        double number = 0;
        if (!parseWhole(text, number))
            return statement.fail("22018", "Invalid character value for cast specification");
        value = number;
        return SQL_SUCCESS;
    }
    case ValueKind::DateTime: {
        std::optional<std::string> stored = jet::isoDateTimeText(text);
        if (!stored)
            return statement.fail("22007", "Invalid datetime format");
        value = *stored;
        return SQL_SUCCESS;
    }
    }
    return statement.fail("HY004", "Invalid SQL data type");
}

SQLRETURN valueOf(Statement& statement, const BoundParameter& parameter, jet::Value& value)
{
    const SQLLEN indicator = parameter.lengthOrIndicator != nullptr ? *parameter.lengthOrIndicator : SQL_NTS;
    if (indicator == SQL_NULL_DATA) {
        value = std::monostate{};
        return SQL_SUCCESS;
    }
    if (parameter.value == nullptr)
        return statement.fail("HY009", "Invalid use of null pointer");
    const ValueKind kind = *kindOfSqlType(parameter.parameterType);
    std::string text;
    if (parameter.valueType == SQL_C_CHAR) {
        if (indicator < 0 && indicator != SQL_NTS)
            return statement.fail("HY090", "Invalid string or buffer length");
        const auto* characters = static_cast<const char*>(parameter.value);
        text = codepage::windows1252ToUtf8(
            indicator == SQL_NTS ? std::string(characters) : std::string(characters, static_cast<std::size_t>(indicator)));
    } else if (parameter.valueType == SQL_C_SLONG) {
        std::int32_t number = 0;
        std::memcpy(&number, parameter.value, sizeof number);
        text = std::to_string(number);
    } else {
        double number = 0;
        std::memcpy(&number, parameter.value, sizeof number);
        if (kind == ValueKind::Real) {
            value = number;
            return SQL_SUCCESS;
        }
        char digits[32];
        const auto written = std::to_chars(digits, digits + sizeof digits, number);
        text.assign(digits, written.ptr);
    }
    return valueOfText(statement, text, kind, value);
}

}  // namespace

namespace odbcdriver {

SQLRETURN parameterValues(Statement& statement, std::vector<jet::Value>& values)
{
    values.clear();
    for (const std::optional<BoundParameter>& parameter : statement.parameters) {
        if (!parameter)
            return statement.fail("07002", "COUNT field incorrect");
        jet::Value value;
        const SQLRETURN read = valueOf(statement, *parameter, value);
        if (!succeeded(read))
            return read;
        values.push_back(std::move(value));
    }
    return SQL_SUCCESS;
}

}  // namespace odbcdriver

ODBC_DRIVER_EXPORT SQLRETURN SQL_API SQLBindParameter(SQLHSTMT StatementHandle, SQLUSMALLINT ParameterNumber,
                                                      SQLSMALLINT InputOutputType, SQLSMALLINT ValueType,
                                                      SQLSMALLINT ParameterType, SQLULEN, SQLSMALLINT,
                                                      SQLPOINTER ParameterValuePtr, SQLLEN,
                                                      SQLLEN* StrLen_or_IndPtr)
{
    return runOn<Statement>(StatementHandle, SQL_HANDLE_STMT, [&](Statement& statement) -> SQLRETURN {
        if (ParameterNumber < 1)
            return statement.fail("07009", "Invalid descriptor index");
        if (InputOutputType != SQL_PARAM_INPUT)
            return statement.fail("HY105", "Invalid parameter type");
        if (!isSupportedValueType(ValueType))
            return statement.fail("HY003", "Invalid application buffer type");
        if (!kindOfSqlType(ParameterType))
            return statement.fail("HY004", "Invalid SQL data type");
        if (statement.parameters.size() < ParameterNumber)
            statement.parameters.resize(ParameterNumber);
        statement.parameters[ParameterNumber - 1u] =
            BoundParameter{ValueType, ParameterType, ParameterValuePtr, StrLen_or_IndPtr};
        return SQL_SUCCESS;
    });
}
