#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

namespace jet {

// The column types the practice database declares (schema type names in brackets):
// Integer16 (SMALLINT), Integer32 (INTEGER), Text (TEXT), Date (DATE), Time (TIME),
// DateTime (DATETIME), Flag (BIT), Double (DOUBLE). Unknown: a computed column without a
// declared type; its values keep SQLite's storage class.
enum class ColumnType { Integer16, Integer32, Text, Date, Time, DateTime, Flag, Double, Unknown };

// The column type of a declared type name as a table or view gives it ("INTEGER",
// "VARCHAR(50)"; LONG and INT count as Integer32, REAL and FLOAT as Double); Unknown for none.
ColumnType columnTypeFromDeclaration(const char* declaredType);

// Null is std::monostate. Integers (16-bit, 32-bit, flag) come as int64_t; dates, times and
// date-times as their stored ISO text ("YYYY-MM-DD", "HH:MM:SS", "YYYY-MM-DD HH:MM:SS").
using Value = std::variant<std::monostate, std::int64_t, double, std::string>;

inline bool isNull(const Value& value) { return std::holds_alternative<std::monostate>(value); }

// A value as a running query hands it over: a text is a view into the database's own buffer,
// valid only while its row is handed over, so a large result is read without a copy per text.
using ValueView = std::variant<std::monostate, std::int64_t, double, std::string_view>;

inline ValueView viewOf(const Value& value)
{
    return std::visit([](const auto& held) -> ValueView { return held; }, value);
}

inline Value valueOf(const ValueView& view)
{
    return std::visit([](const auto& held) -> Value {
        if constexpr (std::is_same_v<std::decay_t<decltype(held)>, std::string_view>)
            return std::string(held);
        else
            return held;
    }, view);
}

struct Column {
    std::string name;
    ColumnType type = ColumnType::Unknown;
};

// Every row of one SELECT, with its columns (present even when no row came back).
struct Rows {
    std::vector<Column> columns;
    std::vector<std::vector<Value>> rows;
};

}  // namespace jet
