#include "InstallConduit.h"

#include "InstallAide.h"
#include "RegisterConduit.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace {

// The longest destination path the installer copies to.
constexpr std::size_t kMostPathLength = 259;

// The HotSync directory up to and including its last separator; empty without one.
std::string hotSyncDirectory()
{
    char buffer[200] = {};
    std::int32_t size = 190;
    if (InstallAideGetPath(INSTALL_AIDE_HOTSYNC_DIRECTORY, buffer, &size) != 0)
        return {};
    const std::string answer(buffer);
    const auto lastSeparator = answer.rfind('/');
    return lastSeparator == std::string::npos ? std::string() : answer.substr(0, lastSeparator + 1);
}

bool copyOver(const std::string& source, const std::string& destination)
{
    if (destination.size() > kMostPathLength)
        return false;
    std::error_code error;
    std::filesystem::copy_file(source, destination, std::filesystem::copy_options::overwrite_existing, error);
    return !error;
}

std::string registrationMessage(int result)
{
    switch (result) {
    case 0: return "Velvix! Conduit installation ended succesfully!";
    case 1: return "Unable to initialize condmgr function.";
    case 2: return "Conduit entry already exists.";
    case 3: return "Unable to create conduit entries.";
    default: return "Unknown error.";
    }
}

void copyAndRegister(InstallSettings& settings, const std::string& directory, void* conduitManager,
                     const InstallerInterface& ui)
{
    if (!ui.confirmInstall(settings.Title))
        return;
    const std::string descriptionDestination = directory + settings.File;
    if (!copyOver(settings.File, descriptionDestination)) {
        ui.tell("Unable to copy vlx file", "Error");
        return;
    }
    settings.File = descriptionDestination;
    if (!copyOver("Velvix.dll", directory + "Velvix.dll")) {
        ui.tell("Unable to copy Velvix.dll", "Error");
        return;
    }
    const int result = RegisterConduit(conduitManager, settings);
    ui.tell(registrationMessage(result), result == 0 ? "Message" : "Error");
}

}  // namespace

void InstallConduit(InstallSettings settings, const InstallerInterface& ui)
{
    const std::string directory = hotSyncDirectory();
    void* conduitManager = dlopen((directory + "condmgr.dll").c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!conduitManager) {
        ui.tell("Unable to load condmgr.dll", "Error");
        return;
    }
    copyAndRegister(settings, directory, conduitManager, ui);
    dlclose(conduitManager);
}
