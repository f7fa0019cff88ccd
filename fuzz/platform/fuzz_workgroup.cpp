// Any bytes as a workgroup file: the account check must end quickly (every number in the file
// is bounded) and never crash. A file that the writer makes for an account read from the input
// lets that account in with its password and no other.
//
// Input: user length, password length, then the user id and password, then the file. An
// empty file stands for the writer's own (hashing is slow: the two cases are kept apart).
#include "Workgroup.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

std::string scratchPath(const char* name)
{
    const char* folder = std::getenv("TMPDIR");
    return std::string(folder && *folder ? folder : "/tmp") + "/vantora-workgroup-fuzz-" +
           std::to_string(::getpid()) + name;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = scratchPath(".mdw");
    static const std::string written = scratchPath("-written.mdw");
    if (size < 2)
        return 0;
    std::string_view rest(reinterpret_cast<const char*>(data) + 2, size - 2);
    if (rest.size() < std::size_t(data[0]) + data[1])
        return 0;
    const std::string user(rest.substr(0, data[0]));
    const std::string password(rest.substr(data[0], data[1]));
    rest.remove_prefix(std::size_t(data[0]) + data[1]);

    std::string id, error;
    if (rest.empty()) {
        std::remove(written.c_str());
        if (jet::writeWorkgroupFile(written, {{user, password}}, error) &&
            (!jet::checkWorkgroupAccount(written, user, password, id, error) || id.size() != 32 ||
             jet::checkWorkgroupAccount(written, user, password + "x", error)))
            std::abort();
        return 0;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(rest.data(), 1, rest.size(), file);
    std::fclose(file);
    if (!jet::checkWorkgroupAccount(path, user, password, id, error) && error.empty())
        std::abort();
    return 0;
}
