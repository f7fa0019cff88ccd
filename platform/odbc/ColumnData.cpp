#include "ColumnData.h"

#include <cstdio>
#include <sqlext.h>

namespace odbcdriver {

namespace {

// A date alone reads as that day at midnight; a time alone as that time on the day Access
// counts from.
constexpr std::size_t kDateLength = 10;  // YYYY-MM-DD
constexpr std::size_t kTimeLength = 8;   // HH:MM:SS

std::string numberText(const jet::Value& value)
{
    char text[40];
    if (const auto* integer = std::get_if<std::int64_t>(&value)) {
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(*integer));
    } else {
        std::snprintf(text, sizeof text, "%.15g", std::get<double>(value));
    }
    return text;
}

std::string plainText(const jet::Value& value)
{
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    return numberText(value);
}

}  // namespace

SqlColumnType sqlColumnTypeOf(jet::ColumnType type)
{
    switch (type) {
    case jet::ColumnType::Integer16: return {SQL_SMALLINT, 5, 0, 6, "SMALLINT"};
    case jet::ColumnType::Integer32: return {SQL_INTEGER, 10, 0, 11, "INTEGER"};
    case jet::ColumnType::Date:
    case jet::ColumnType::Time:
    case jet::ColumnType::DateTime: return {SQL_TYPE_TIMESTAMP, 19, 0, 19, "DATETIME"};
    case jet::ColumnType::Flag: return {SQL_BIT, 1, 0, 1, "BIT"};
    case jet::ColumnType::Double: return {SQL_DOUBLE, 15, 0, 22, "DOUBLE"};
    case jet::ColumnType::Text:
    case jet::ColumnType::Unknown: break;
    }
    return {SQL_VARCHAR, 255, 0, 255, "VARCHAR"};
}

bool characterData(const jet::Value& value, jet::ColumnType type, std::string& text)
{
    if (jet::isNull(value)) {
        return false;
    }
    text = plainText(value);
    if (type == jet::ColumnType::Date && text.size() == kDateLength) {
        text += " 00:00:00";
    } else if (type == jet::ColumnType::Time && text.size() == kTimeLength) {
        text = "1899-12-30 " + text;
    } else if (type == jet::ColumnType::Flag && std::holds_alternative<std::int64_t>(value)) {
        text = std::get<std::int64_t>(value) != 0 ? "1" : "0";
    }
    return true;
}

}  // namespace odbcdriver
