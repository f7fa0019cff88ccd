#pragma once
// How the driver describes a result column and answers its values: every value as
// character data, dates and times as "YYYY-MM-DD HH:MM:SS" as the Access driver gives them.
#include "JetTypes.h"

#include <sql.h>

#include <string>

namespace odbcdriver {

struct SqlColumnType {
    SQLSMALLINT type;      // SQL data type
    SQLULEN size;          // column size
    SQLSMALLINT digits;    // decimal digits
    SQLLEN displaySize;
    const char* typeName;  // the Access type name
};

SqlColumnType sqlColumnTypeOf(jet::ColumnType type);

// The value as character data in UTF-8; false for NULL.
bool characterData(const jet::Value& value, jet::ColumnType type, std::string& text);

}  // namespace odbcdriver
