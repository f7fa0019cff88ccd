#pragma once
#include <QString>
#include <string_view>

// View files are written in the Windows-1252 code page.
QString FromWindows1252(std::string_view bytes);
