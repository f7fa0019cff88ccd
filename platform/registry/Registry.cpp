#include "Registry.h"

#include "HiveFile.h"
#include "HiveText.h"

#include <cstdlib>
#include <cstring>

namespace registry {

namespace {

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// True when a section of the hive names the key or a key below it.
bool keyExists(const hive::Hive& hive, const std::string& keyPath)
{
    if (keyPath.empty())
        return true;
    for (const hive::Entry& entry : hive.entries) {
        if (entry.kind != hive::EntryKind::Section || entry.foreignRoot)
            continue;
        if (hive::sameName(entry.keyPath, keyPath))
            return true;
        if (entry.keyPath.size() > keyPath.size() && entry.keyPath[keyPath.size()] == '\\' &&
            hive::sameName(std::string_view(entry.keyPath).substr(0, keyPath.size()), keyPath))
            return true;
    }
    return false;
}

}  // namespace

Value stringValue(const std::string& text)
{
    Value value;
    value.type = kTypeString;
    value.data.assign(text.begin(), text.end());
    value.data.push_back(0);
    return value;
}

Value dwordValue(std::uint32_t number)
{
    Value value;
    value.type = kTypeDword;
    for (int shift = 0; shift < 32; shift += 8)
        value.data.push_back(static_cast<std::uint8_t>(number >> shift));
    return value;
}

std::string hivePath()
{
    std::string path = environment("VANTORA_REGISTRY");
    if (!path.empty())
        return path;
    std::string config = environment("XDG_CONFIG_HOME");
    if (config.empty()) {
        std::string home = environment("HOME");
        if (home.empty())
            return std::string();
        config = home + "/.config";
    }
    return config + "/vantora/registry.reg";
}

long openKey(const std::string& keyPath, Key& key)
{
    std::string text;
    std::string error;
    switch (hive::readFile(hivePath(), text, error)) {
    case hive::ReadResult::Missing:
        return keyPath.empty() ? kSuccess : kFileNotFound;
    case hive::ReadResult::Unreadable:
        return kAccessDenied;
    case hive::ReadResult::Read:
        break;
    }
    hive::Hive hive = hive::parse(text);
    if (!keyExists(hive, keyPath))
        return kFileNotFound;
    key.path = keyPath;
    hive::ReadableValues values = hive::readableValues(hive);
    auto found = values.find(hive::lowerName(keyPath));
    if (found != values.end())
        key.values = std::move(found->second);
    else
        key.values.clear();
    return kSuccess;
}

long queryValue(const Key& key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                std::uint32_t* size)
{
    if (data && !size)
        return kInvalidParameter;
    auto found = key.values.find(hive::lowerName(valueName));
    if (found == key.values.end())
        return kFileNotFound;
    const Value& value = found->second;
    auto needed = static_cast<std::uint32_t>(value.data.size());
    if (type)
        *type = value.type;
    if (data && *size < needed) {
        *size = needed;
        return kMoreData;
    }
    if (data && needed > 0)
        std::memcpy(data, value.data.data(), needed);
    if (size)
        *size = needed;
    return kSuccess;
}

}  // namespace registry
