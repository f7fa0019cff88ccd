#include "HiveFile.h"

#include "PosixFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace registry::hive {

namespace {

std::string systemError(const std::string& what, const std::string& path)
{
    return what + " " + path + ": " + std::strerror(errno);
}

// Creates a new file beside target with the permissions it is to keep: those of the file it
// replaces, or for a first hive 0666 less the umask, which open applies itself (setting the
// umask would change it for every thread of the process). -1 with errno set on failure.
int createBeside(const std::string& target, std::string& temporary)
{
    struct stat replaced {};
    const bool replacing = ::stat(target.c_str(), &replaced) == 0;
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x", static_cast<unsigned>(random()));
        temporary = target + suffix;
        int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, replacing ? 0600 : 0666);
        if (descriptor < 0 && errno == EEXIST)
            continue;
        if (descriptor >= 0 && replacing && ::fchmod(descriptor, replaced.st_mode & 07777) != 0) {
            const int reason = errno;
            ::close(descriptor);
            ::unlink(temporary.c_str());
            errno = reason;
            return -1;
        }
        return descriptor;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

ReadResult readFile(const std::string& path, std::string& text, std::string& error)
{
    std::error_code code;
    if (!std::filesystem::exists(path, code))
        return ReadResult::Missing;
    if (std::filesystem::is_directory(path, code)) {
        error = "The registry hive " + path + " is a folder";
        return ReadResult::Unreadable;
    }
    std::ifstream in(path, std::ios::binary);
    if (in)
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in.is_open() || in.bad()) {
        error = "Cannot read the registry hive " + path;
        return ReadResult::Unreadable;
    }
    return ReadResult::Read;
}

bool replaceFile(const std::string& path, const std::string& text, std::string& error)
{
    // A hive reached through a symbolic link is replaced where it really is; the link stays.
    std::error_code code;
    std::filesystem::path target = std::filesystem::weakly_canonical(path, code);
    if (code)
        target = path;
    if (target.has_parent_path() && !std::filesystem::create_directories(target.parent_path(), code) && code) {
        error = "Cannot create the folder " + target.parent_path().string() + ": " + code.message();
        return false;
    }
    std::string temporary;
    int descriptor = createBeside(target.string(), temporary);
    if (descriptor < 0) {
        error = systemError("Cannot create a file beside", target.string());
        return false;
    }
    bool written = posixfile::writeAll(descriptor, text) && ::fsync(descriptor) == 0;
    if (!written)
        error = systemError("Cannot write", temporary);
    if (::close(descriptor) != 0 && written) {
        written = false;
        error = systemError("Cannot write", temporary);
    }
    if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
        written = false;
        error = systemError("Cannot replace", target.string());
    }
    if (!written) {
        ::unlink(temporary.c_str());
        return false;
    }
    posixfile::syncFolder(target.parent_path());
    return true;
}

}  // namespace registry::hive
