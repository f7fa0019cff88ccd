#pragma once
#include <sql.h>

// Whether a fetch answered a row (success with information counts as success).
inline bool IsFetchedRow(SQLRETURN fetched)
{
    return fetched == SQL_SUCCESS || fetched == SQL_SUCCESS_WITH_INFO;
}
