#pragma once
#include <string>

// Reads one value of a settings file of "[section]" and "key=value" lines, as the installer's
// settings file is written by hand: sections and keys match without regard to case, blanks
// around keys and values are dropped, and a value between double quotes loses them. The answer
// is cut to limit - 1 characters; the default when the file, section or key is missing.
std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& defaultValue, std::size_t limit);
