#include "FetchedRow.h"

#include "ConduitLog.h"

#include <sqlext.h>

bool FetchNextRow(SQLHSTMT statement)
{
    SQLRETURN fetched = SQLFetch(statement);
    if (IsFetchedRow(fetched))
        return true;
    if (fetched != SQL_NO_DATA)
        ConduitLog("Fetch Failure");
    return false;
}
