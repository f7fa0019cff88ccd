#include "InstallSettings.h"

#include "ProfileString.h"

InstallSettings ReadInstallSettings(const std::string& path)
{
    const auto read = [&path](const char* key, std::size_t limit) {
        return ReadProfileString(path, "Application", key, "None", limit);
    };
    InstallSettings settings;
    settings.Id = read("Id", 10);
    settings.User = read("User", 140);
    settings.File = read("File", 140);
    settings.Title = read("Title", 140);
    settings.Remote = read("Remote", 140);
    return settings;
}
