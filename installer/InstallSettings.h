#pragma once
#include <string>

// What the installer installs, from section "Application" of its settings file; every value
// is "None" when missing. File becomes the copied table-description file's full path.
struct InstallSettings {
    std::string Id;
    std::string User;
    std::string File;
    std::string Title;
    std::string Remote;
};

// The settings file, relative to the current directory.
inline constexpr const char* kInstallSettingsFile = "./Velvix.ini";

InstallSettings ReadInstallSettings(const std::string& path);
