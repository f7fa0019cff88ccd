#pragma once
// What every step of one synchronisation run shares.
#include <sql.h>

#include <cstdint>

// What a step of a table's exchange answers when it could not take the desktop's write lock before
// its first change to either side: another program changed the desktop since the exchange began
// reading it, or is changing it now. Nothing was changed; the exchange runs again.
inline constexpr int kDesktopChangedMeanwhile = 3;

struct SyncRun {
    SQLHDBC connection = SQL_NULL_HDBC;
    std::uint32_t pdtId = 0;  // the HotSync user id of the handheld
    int purgeFlag = 0;        // 1: the desktop overwrites the handheld
};
