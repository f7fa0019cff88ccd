#include "HotSyncLogReader.h"

#include "HotSyncDirectory.h"
#include "HotSyncLog.h"

#include <filesystem>
#include <fstream>

namespace hotsync {

namespace {

std::string logPath()
{
    return hotSyncDirectory() + "/" + HOTSYNC_LOG_FILE_NAME;
}

}  // namespace

std::uintmax_t hotSyncLogSize()
{
    std::error_code missing;
    std::uintmax_t size = std::filesystem::file_size(logPath(), missing);
    return missing ? 0 : size;
}

std::vector<std::string> hotSyncLogTextsFrom(std::uintmax_t offset)
{
    std::vector<std::string> texts;
    std::ifstream log(logPath(), std::ios::binary);
    log.seekg(static_cast<std::streamoff>(offset));
    const std::string textEntry = "\tText\t";
    std::string line;
    while (std::getline(log, line)) {
        std::size_t at = line.find(textEntry);
        if (at != std::string::npos)
            texts.push_back(line.substr(at + textEntry.size()));
    }
    return texts;
}

}  // namespace hotsync
