#pragma once
#include <string>

namespace hotsync {

// Replaces the file's contents so that a crash leaves either the old or the new bytes: the bytes
// go to a temporary file beside it, reach the disk, and the temporary file is renamed over it.
// Creates missing parent folders.
bool replaceFileAtomically(const std::string& path, const std::string& bytes, std::string& error);

// Reads the whole file; false (with the reason) when it cannot be opened or read.
bool readWholeFile(const std::string& path, std::string& bytes, std::string& error);

}  // namespace hotsync
