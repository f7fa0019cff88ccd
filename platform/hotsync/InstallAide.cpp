#include "InstallAide.h"

#include "HotSyncDirectory.h"

#include <cstring>
#include <string>

extern "C" int32_t InstallAideGetPath(int32_t kind, char* buffer, int32_t* size)
{
    if (kind != INSTALL_AIDE_HOTSYNC_DIRECTORY || buffer == nullptr || size == nullptr || *size <= 0)
        return 1;
    std::string path = hotsync::hotSyncDirectory();
    if (path.back() != '/')
        path += "/";
    if (path.size() >= static_cast<size_t>(*size))
        return 2;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    *size = static_cast<int32_t>(path.size());
    return 0;
}
