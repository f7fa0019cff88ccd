#pragma once
#include <map>
#include <string>

namespace hotsync {

// Text settings grouped in sections, stored as lines "[section]" and "key=value".
// Sections and keys match exactly; texts never hold line breaks.
class SettingsFile {
public:
    // Reads the file; a missing file reads as empty settings. False when it exists but
    // cannot be read.
    bool load(const std::string& path, std::string& error);
    bool save(const std::string& path, std::string& error) const;

    bool find(const std::string& section, const std::string& key, std::string& value) const;
    void set(const std::string& section, const std::string& key, const std::string& value);
    bool hasSection(const std::string& section) const;

private:
    std::map<std::string, std::map<std::string, std::string>> sections_;
};

// Texts that a settings file can store and give back unchanged.
bool isStorableText(const std::string& text);
bool isStorableKey(const std::string& key);

}  // namespace hotsync
