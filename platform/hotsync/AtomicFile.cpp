#include "AtomicFile.h"

#include "PosixFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace hotsync {

namespace {
std::string systemError(const std::string& what, const std::string& path)
{
    return what + " " + path + ": " + std::strerror(errno);
}

}  // namespace

bool replaceFileAtomically(const std::string& path, const std::string& bytes, std::string& error)
{
    std::filesystem::path target(path);
    std::error_code ignored;
    if (target.has_parent_path())
        std::filesystem::create_directories(target.parent_path(), ignored);
    std::string temporary = path + ".XXXXXX";
    int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        error = systemError("Cannot create a temporary file for", path);
        return false;
    }
    bool written = posixfile::writeAll(descriptor, bytes) && ::fsync(descriptor) == 0;
    if (!written)
        error = systemError("Cannot write", temporary);
    if (::close(descriptor) != 0 && written) {
        error = systemError("Cannot write", temporary);
        written = false;
    }
    if (written && ::rename(temporary.c_str(), path.c_str()) != 0) {
        error = systemError("Cannot replace", path);
        written = false;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return false;
    }
    posixfile::syncFolder(target.parent_path());
    return true;
}

bool readWholeFile(const std::string& path, std::string& bytes, std::string& error)
{
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        error = systemError("Cannot open", path);
        return false;
    }
    std::string contents;
    char block[65536];
    ssize_t count = 0;
    while ((count = ::read(descriptor, block, sizeof block)) != 0) {
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0) {
            error = systemError("Cannot read", path);
            ::close(descriptor);
            return false;
        }
        contents.append(block, static_cast<size_t>(count));
    }
    ::close(descriptor);
    bytes = std::move(contents);
    return true;
}

}  // namespace hotsync
