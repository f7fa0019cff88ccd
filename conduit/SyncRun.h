#pragma once
// What every step of one synchronisation run shares.
#include <sql.h>

#include <cstdint>

struct SyncRun {
    SQLHDBC connection = SQL_NULL_HDBC;
    std::uint32_t pdtId = 0;  // the HotSync user id of the handheld
    int purgeFlag = 0;        // 1: the desktop overwrites the handheld
};
