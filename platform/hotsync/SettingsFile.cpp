#include "SettingsFile.h"

#include "AtomicFile.h"

#include <filesystem>
#include <sstream>

namespace hotsync {

bool isStorableText(const std::string& text)
{
    return text.find_first_of("\r\n") == std::string::npos;
}

bool isStorableKey(const std::string& key)
{
    return !key.empty() && key.front() != '[' && key.find('=') == std::string::npos && isStorableText(key);
}

bool SettingsFile::load(const std::string& path, std::string& error)
{
    sections_.clear();
    std::error_code status;
    if (!std::filesystem::exists(path, status))
        return !status;
    std::string bytes;
    if (!readWholeFile(path, bytes, error))
        return false;
    std::istringstream lines(bytes);
    std::string line;
    std::string section;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            sections_[section];
            continue;
        }
        size_t equals = line.find('=');
        if (equals != std::string::npos)
            sections_[section][line.substr(0, equals)] = line.substr(equals + 1);
    }
    return true;
}

bool SettingsFile::save(const std::string& path, std::string& error) const
{
    std::string text;
    for (const auto& [section, values] : sections_) {
        text += "[" + section + "]\n";
        for (const auto& [key, value] : values)
            text += key + "=" + value + "\n";
    }
    return replaceFileAtomically(path, text, error);
}

bool SettingsFile::find(const std::string& section, const std::string& key, std::string& value) const
{
    auto values = sections_.find(section);
    if (values == sections_.end())
        return false;
    auto entry = values->second.find(key);
    if (entry == values->second.end())
        return false;
    value = entry->second;
    return true;
}

void SettingsFile::set(const std::string& section, const std::string& key, const std::string& value)
{
    sections_[section][key] = value;
}

bool SettingsFile::hasSection(const std::string& section) const
{
    return sections_.count(section) != 0;
}

}  // namespace hotsync
