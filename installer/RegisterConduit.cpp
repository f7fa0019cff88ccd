#include "RegisterConduit.h"

#include <dlfcn.h>

#include <cstdint>

namespace {

constexpr std::int32_t kCreatorExists = -1005;
constexpr std::int32_t kSyncConduitType = 1;

using InstallCreatorCall = std::int32_t (*)(const char* creator, std::int32_t conduitType);
using SetCreatorCall = std::int32_t (*)(const char* creator, const char* value);

template <typename Call>
Call bind(void* library, const char* name)
{
    return reinterpret_cast<Call>(dlsym(library, name));
}

}  // namespace

int RegisterConduit(void* conduitManager, const InstallSettings& settings)
{
    const auto installCreator = bind<InstallCreatorCall>(conduitManager, "CmInstallCreator");
    const auto setName = bind<SetCreatorCall>(conduitManager, "CmSetCreatorName");
    const auto setUser = bind<SetCreatorCall>(conduitManager, "CmSetCreatorUser");
    const auto setRemote = bind<SetCreatorCall>(conduitManager, "CmSetCreatorRemote");
    const auto setFile = bind<SetCreatorCall>(conduitManager, "CmSetCreatorFile");
    const auto setTitle = bind<SetCreatorCall>(conduitManager, "CmSetCreatorTitle");
    if (!installCreator || !setName || !setUser || !setRemote || !setFile || !setTitle)
        return 1;

    const char* creator = settings.Id.c_str();
    const std::int32_t installed = installCreator(creator, kSyncConduitType);
    if (installed < 0 && installed != kCreatorExists)
        return 2;

    const bool registered = setName(creator, "Velvix.dll") >= 0 && setTitle(creator, settings.Title.c_str()) >= 0 &&
                            setRemote(creator, settings.Remote.c_str()) >= 0 &&
                            setFile(creator, settings.File.c_str()) >= 0 && setUser(creator, settings.User.c_str()) >= 0;
    return registered ? 0 : 3;
}
