#pragma once
// HotSync log (libhslog20). Every entry is appended as one line to the file HOTSYNC_LOG_FILE_NAME
// in the HotSync directory: "<YYYY-MM-DD HH:MM:SS>\t<activity>\t<text>", the activity being
// "Text", "SyncStarted", "SyncFinished" or "SyncAborted". Line breaks inside a text become blanks.
#include <cstdint>

#define HOTSYNC_LOG_FILE_NAME "HotSync.log"

extern "C" {

enum LogActivity : int32_t {
    LOG_TEXT = -1,
    LOG_SYNC_STARTED = 19,
    LOG_SYNC_FINISHED = 20,
    LOG_SYNC_ABORTED = 21
};

// 0 when the entry was written; nonzero for a null text, an unknown activity or a file error.
int32_t LogAddEntry(const char* text, int32_t activity, int32_t reserved);

}  // extern "C"
