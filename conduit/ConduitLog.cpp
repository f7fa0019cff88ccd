#include "ConduitLog.h"

#include "HotSyncLog.h"

void ConduitLog(const std::string& text)
{
    // A log entry that cannot be written has nowhere else to go.
    LogAddEntry(text.c_str(), LOG_TEXT, 0);
}
