#include "HotSyncLog.h"

#include "HotSyncDirectory.h"

#include <algorithm>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

const char* activityName(int32_t activity)
{
    switch (activity) {
    case LOG_TEXT:
        return "Text";
    case LOG_SYNC_STARTED:
        return "SyncStarted";
    case LOG_SYNC_FINISHED:
        return "SyncFinished";
    case LOG_SYNC_ABORTED:
        return "SyncAborted";
    default:
        return nullptr;
    }
}

std::string timeNow()
{
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
    return text;
}

}  // namespace

extern "C" int32_t LogAddEntry(const char* text, int32_t activity, int32_t)
{
    const char* activityText = activityName(activity);
    if (text == nullptr || activityText == nullptr)
        return 1;
    std::string entry(text);
    std::replace(entry.begin(), entry.end(), '\n', ' ');
    std::replace(entry.begin(), entry.end(), '\r', ' ');
    std::string line = timeNow() + "\t" + activityText + "\t" + entry + "\n";

    std::string folder = hotsync::hotSyncDirectory();
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    std::string path = folder + "/" + HOTSYNC_LOG_FILE_NAME;
    // One write of the whole line to a file opened for appending keeps entries whole.
    int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return 1;
    ssize_t written = ::write(descriptor, line.data(), line.size());
    bool closed = ::close(descriptor) == 0;
    return written == static_cast<ssize_t>(line.size()) && closed ? 0 : 1;
}
