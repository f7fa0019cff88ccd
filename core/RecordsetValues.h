#pragma once
#include "JetTypes.h"
#include "RecordsetRow.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

// How the recordset holds, converts and orders its values.
namespace recordsetvalues {

// Converts the values of one column of a query result into a row, typed by the column: 16-bit
// and flag columns qint16, 32-bit qint32, dates, times and date-times from their ISO text (a
// text that is none stays text); a number too large for its column keeps all its digits.
// Texts repeat down a column (names of doctors, facilities, billing codes), so each distinct
// text is held once in the recordset's pool and shared by every row; the values handed in may
// go as soon as converted.
class ColumnConverter {
public:
    ColumnConverter(jet::ColumnType type, RecordsetValuePool& pool) : type_(type), pool_(&pool) {}
    void convert(const jet::ValueView& value, RecordsetRow& row, std::size_t column);

private:
    struct TextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    jet::ColumnType type_;
    RecordsetValuePool* pool_;
    std::unordered_map<std::string, const QVariant*, TextHash, std::equal_to<>> texts_;
};

// Converts a value set by a caller to the column's type; an invalid QVariant is Null.
// False when the value cannot be held by the column (not a number, out of range, no date).
bool toColumnType(const QVariant& value, jet::ColumnType type, QVariant& stored);

bool isNull(const QVariant& value);

// What a value is ordered by, taken once so that sorting compares plain numbers and texts.
struct SortKey {
    int kind = 0;           // Null, number, text, date or date-time, time, other: in that order
    bool floating = false;  // a number compared as a double
    qint64 integer = 0;     // whole numbers; dates and times as milliseconds
    double real = 0;
    QString text;           // text with A-Z folded to a-z
};
SortKey sortKeyOf(const QVariant& value);
int compare(const SortKey& a, const SortKey& b);

// Ascending order on typed values: Null first, then numbers by value, then text without
// regard to case as the database compares it (A-Z folded to a-z), then dates, date-times
// (a date is its midnight) and times in time order. Negative, 0 or positive.
int compare(const QVariant& a, const QVariant& b);

}  // namespace recordsetvalues
