#include "HiveFile.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace registry::hive {

namespace {

std::string systemError(const std::string& what, const std::string& path)
{
    return what + " " + path + ": " + std::strerror(errno);
}

bool writeAll(int descriptor, const std::string& text)
{
    std::size_t written = 0;
    while (written < text.size()) {
        ssize_t count = ::write(descriptor, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        written += static_cast<std::size_t>(count);
    }
    return true;
}

// The new file keeps the permissions of the one it replaces; a first hive is readable by all.
mode_t permissionsFor(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) == 0)
        return status.st_mode & 07777;
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void syncFolder(const std::filesystem::path& folder)
{
    int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (descriptor >= 0) {
        ::fsync(descriptor);
        ::close(descriptor);
    }
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
    std::string temporary = target.string() + ".XXXXXX";
    std::vector<char> name(temporary.begin(), temporary.end());
    name.push_back('\0');
    int descriptor = ::mkstemp(name.data());
    if (descriptor < 0) {
        error = systemError("Cannot create a file beside", target.string());
        return false;
    }
    temporary = name.data();
    bool written = ::fchmod(descriptor, permissionsFor(target.string())) == 0 && writeAll(descriptor, text) &&
                   ::fsync(descriptor) == 0;
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
    syncFolder(target.parent_path());
    return true;
}

}  // namespace registry::hive
