#pragma once
#include <filesystem>
#include <string>

namespace testsupport {

// A fresh folder under the system's temporary directory, removed with everything in it
// when the object goes. Every test keeps its databases, hives and settings in one.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// Writes text to a file as bytes, replacing what was there.
void writeFile(const std::string& path, const std::string& bytes);
// Reads a whole file as bytes; empty when it cannot be read.
std::string readFile(const std::string& path);

}  // namespace testsupport
