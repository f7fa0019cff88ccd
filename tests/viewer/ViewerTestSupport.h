#pragma once
#include <QString>
#include <initializer_list>
#include <string>

#include "TempDir.h"

namespace viewertest {

// Lines joined with CR LF, the way the desktop program writes view files.
std::string viewFileText(std::initializer_list<std::string> lines);

// Writes the lines as a view file named name into folder and returns its path.
QString writeViewFile(const testsupport::TempDir& folder, const std::string& name,
                      std::initializer_list<std::string> lines);

// The one application object that fonts, images and widgets need; created on first use.
void ensureApplication();

}  // namespace viewertest
