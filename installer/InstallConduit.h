#pragma once
#include "InstallSettings.h"

#include <functional>
#include <string>

// What the run shows the user; the program supplies dialogs and message boxes, tests script them.
struct InstallerInterface {
    // Shows the installation dialog with the application's title; true for "Install".
    std::function<bool(const std::string& title)> confirmInstall;
    // A message box with an OK button.
    std::function<void(const std::string& text, const std::string& caption)> tell;
};

// The whole run: find the HotSync directory, load its Conduit Manager, ask, copy the
// table-description file and the conduit library there, register the conduit and tell the
// result. Every failure ends the run after its one message; files already copied stay.
void InstallConduit(InstallSettings settings, const InstallerInterface& ui);
