#pragma once
#include <filesystem>
#include <string_view>

// Small POSIX file steps that the platform stand-ins share.
namespace posixfile {

// Writes every byte, going on after an interrupted write; false (errno set) on failure.
bool writeAll(int descriptor, std::string_view bytes);

// Makes a rename or a new file in the folder durable; best effort.
void syncFolder(const std::filesystem::path& folder);

}  // namespace posixfile
