#include "PalmCommon.h"

#include "HotSyncDirectory.h"

#include <dlfcn.h>
#include <set>
#include <string>

namespace {

// Handles this library opened, so that only those are ever closed.
std::set<void*>& loadedLibraries()
{
    static std::set<void*> libraries;
    return libraries;
}

}  // namespace

extern "C" {

void* PalmLoadResourceLibrary(const char* fileName, void* currentResources)
{
    if (fileName == nullptr || *fileName == '\0')
        return currentResources;
    std::string path(fileName);
    if (path.front() != '/')
        path = hotsync::hotSyncDirectory() + "/" + path;
    void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        return currentResources;
    loadedLibraries().insert(library);
    return library;
}

void* PalmFreeResourceLibrary(void* loadedResources, void* savedDefault)
{
    if (loadedLibraries().erase(loadedResources) != 0)
        ::dlclose(loadedResources);
    return savedDefault;
}

}  // extern "C"
