#pragma once
#include "JetTypes.h"

#include <QVariant>

// How the recordset holds, converts and orders its values.
namespace recordsetvalues {

// A database value as the recordset holds it for a column of that type.
QVariant fromDatabase(const jet::Value& value, jet::ColumnType type);

// Converts a value set by a caller to the column's type; an invalid QVariant is Null.
// False when the value cannot be held by the column (not a number, out of range, no date).
bool toColumnType(const QVariant& value, jet::ColumnType type, QVariant& stored);

bool isNull(const QVariant& value);

// Ascending order on typed values: Null first, then numbers by value, then text without
// regard to case as the database compares it (A-Z folded to a-z), then dates, date-times
// (a date is its midnight) and times in time order. Negative, 0 or positive.
int compare(const QVariant& a, const QVariant& b);

}  // namespace recordsetvalues
