#pragma once
#include <string>

// Reading and replacing the hive file as a whole.
namespace registry::hive {

enum class ReadResult { Read, Missing, Unreadable };

// The whole file as bytes. Missing when there is no file; Unreadable (with a reason) when
// the path exists but cannot be read as a file.
ReadResult readFile(const std::string& path, std::string& text, std::string& error);

// Writes text into a new file beside path, flushes it to disk and renames it over path, so
// that readers see either the old or the new hive, never a part. Creates missing folders.
bool replaceFile(const std::string& path, const std::string& text, std::string& error);

}  // namespace registry::hive
