#include "HotSyncDirectory.h"

#include <cstdlib>

namespace hotsync {

namespace {
std::string environmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}
}  // namespace

std::string hotSyncDirectory()
{
    std::string configured = environmentValue("HOTSYNC_DIR");
    if (!configured.empty())
        return withoutTrailingSlashes(configured);
    std::string dataHome = environmentValue("XDG_DATA_HOME");
    if (!dataHome.empty())
        return withoutTrailingSlashes(dataHome) + "/hotsync";
    std::string home = environmentValue("HOME");
    if (!home.empty())
        return withoutTrailingSlashes(home) + "/.local/share/hotsync";
    return "hotsync";
}

}  // namespace hotsync
