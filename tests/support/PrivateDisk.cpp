#include "PrivateDisk.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>

namespace testsupport {
namespace {

bool enterMountNamespace()
{
    if (::unshare(CLONE_NEWNS) == 0)
        return true;
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
        return false;
    std::ofstream("/proc/self/setgroups") << "deny";
    std::ofstream("/proc/self/uid_map") << "0 " << uid << " 1";
    std::ofstream("/proc/self/gid_map") << "0 " << gid << " 1";
    return true;
}

}  // namespace

bool mountPrivateDisk(const std::string& folder, const std::string& size)
{
    return enterMountNamespace() && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount("tmpfs", folder.c_str(), "tmpfs", 0, ("size=" + size).c_str()) == 0;
}

int fillDisk(const std::string& folder, const std::string& fileName)
{
    const int filler = ::open((folder + "/" + fileName).c_str(), O_WRONLY | O_CREAT, 0600);
    if (filler < 0)
        return errno;
    const std::string block(4096, 'f');
    while (::write(filler, block.data(), block.size()) > 0) {
    }
    const int refusal = errno;
    ::close(filler);
    return refusal;
}

}  // namespace testsupport
