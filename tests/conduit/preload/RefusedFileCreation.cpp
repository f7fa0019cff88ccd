// Preloaded into the hotsync program by tests on machines that allow no file system of their own
// to be mounted: no file can be created in one folder, as on a full or read-only disk. The folder
// and the error number come from the environment.
#include "NextDefinition.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

extern "C" __attribute__((visibility("default"))) int mkstemp(char* pathTemplate)
{
    const char* folder = std::getenv("VANTORA_TEST_REFUSING_FOLDER");
    const char* error = std::getenv("VANTORA_TEST_REFUSING_ERRNO");
    if (folder != nullptr && error != nullptr && std::strncmp(pathTemplate, folder, std::strlen(folder)) == 0) {
        errno = std::atoi(error);
        return -1;
    }
    static auto real = nextDefinition<int (*)(char*)>("mkstemp");
    return real(pathTemplate);
}
