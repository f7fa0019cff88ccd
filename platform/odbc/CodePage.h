#pragma once
// The driver's character interface speaks the system's single-byte code page (Windows-1252),
// as the Access driver's does; the database keeps its texts in UTF-8.
#include <string>
#include <string_view>

namespace odbcdriver {

std::string windows1252ToUtf8(std::string_view text);

// Characters the code page lacks, and bytes that are not UTF-8, become "?".
std::string utf8ToWindows1252(std::string_view text);

}  // namespace odbcdriver
