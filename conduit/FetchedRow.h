#pragma once
#include <sql.h>

// Whether a fetch answered a row (success with information counts as success).
inline bool IsFetchedRow(SQLRETURN fetched)
{
    return fetched == SQL_SUCCESS || fetched == SQL_SUCCESS_WITH_INFO;
}

// Fetches the next row of an open query: true for a row, false at the end. A fetch that fails
// is logged ("Fetch Failure") and ends the rows.
bool FetchNextRow(SQLHSTMT statement);
