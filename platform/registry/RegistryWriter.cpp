#include "Registry.h"

#include "HiveFile.h"
#include "HiveText.h"

namespace registry {

namespace {

using hive::Entry;
using hive::EntryKind;

// The hive as it stands, or a new one holding only the header.
bool loadForWriting(const std::string& path, hive::Hive& loaded, std::string& error)
{
    std::string text;
    switch (hive::readFile(path, text, error)) {
    case hive::ReadResult::Unreadable:
        return false;
    case hive::ReadResult::Missing:
        break;
    case hive::ReadResult::Read:
        loaded = hive::parse(text);
        break;
    }
    if (loaded.entries.empty()) {
        Entry header;
        header.kind = EntryKind::Header;
        header.lines.emplace_back(hive::kHeader);
        loaded.entries.push_back(header);
        return true;
    }
    if (loaded.entries.front().kind != EntryKind::Header) {
        error = "The registry hive " + path + " does not start with " + std::string(hive::kHeader) +
                "; it was left as it is";
        return false;
    }
    return true;
}

// Replaces the key's value where it stands; the last one counts when it appears twice.
bool replaceExisting(hive::Hive& hive, const std::string& keyPath, const Entry& value)
{
    std::vector<int> owners = hive::owningSections(hive);
    for (std::size_t i = hive.entries.size(); i-- > 0;) {
        Entry& entry = hive.entries[i];
        if (entry.kind == EntryKind::Value && owners[i] >= 0 &&
            hive::sameName(hive.entries[owners[i]].keyPath, keyPath) &&
            hive::sameName(entry.valueName, value.valueName)) {
            entry = value;
            return true;
        }
    }
    return false;
}

// Ends a dangling hex continuation before position, so that the lines inserted there start
// afresh: the continuation takes in this one comment line, which does not end with "\".
void endContinuationBefore(hive::Hive& hive, std::size_t position)
{
    if (position == 0 || !hive.entries[position - 1].awaitsContinuation)
        return;
    Entry stop;
    stop.kind = EntryKind::Filler;
    stop.lines.emplace_back(";");
    hive.entries.insert(hive.entries.begin() + static_cast<std::ptrdiff_t>(position), stop);
}

// Adds the value at the end of the key's last section (before its trailing blank lines), or
// in a new section at the end of the file.
void addValue(hive::Hive& hive, const std::string& keyPath, const Entry& value)
{
    auto& entries = hive.entries;
    int section = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].kind == EntryKind::Section && !entries[i].foreignRoot &&
            hive::sameName(entries[i].keyPath, keyPath))
            section = static_cast<int>(i);
    }
    if (section < 0) {
        endContinuationBefore(hive, entries.size());
        Entry blank;
        blank.kind = EntryKind::Filler;
        blank.lines.emplace_back();
        Entry header;
        header.kind = EntryKind::Section;
        header.keyPath = keyPath;
        header.lines.push_back(hive::formatSection(keyPath));
        entries.push_back(blank);
        entries.push_back(header);
        entries.push_back(value);
        return;
    }
    std::size_t end = section + 1;
    while (end < entries.size() && entries[end].kind != EntryKind::Section &&
           entries[end].kind != EntryKind::BadSection)
        ++end;
    while (end > static_cast<std::size_t>(section) + 1 && entries[end - 1].kind == EntryKind::Filler &&
           entries[end - 1].lines.front().find_first_not_of(" \t") == std::string::npos)
        --end;
    const std::size_t before = entries.size();
    endContinuationBefore(hive, end);
    end += entries.size() - before;
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(end), value);
}

// A path under HKEY_LOCAL_MACHINE, without the root's name, of non-empty key names.
bool validKeyPath(const std::string& keyPath)
{
    return !keyPath.empty() && keyPath.front() != '\\' && keyPath.back() != '\\' &&
           keyPath.find_first_of("\r\n") == std::string::npos && keyPath.find("\\\\") == std::string::npos &&
           !hive::sameName(keyPath.substr(0, 5), "HKEY_");
}

}  // namespace

bool writeValue(const std::string& keyPath, const std::string& valueName, const Value& value,
                std::string& error)
{
    std::string path = hivePath();
    if (path.empty()) {
        error = "No registry hive: neither VANTORA_REGISTRY nor HOME is set";
        return false;
    }
    Entry entry;
    entry.kind = EntryKind::Value;
    entry.valueName = valueName;
    entry.value = value;
    if (!validKeyPath(keyPath) || !hive::formatValue(valueName, value, entry.lines)) {
        error = "Cannot write the registry value \"" + valueName + "\" under \"" + keyPath + "\"";
        return false;
    }
    hive::Hive hive;
    if (!loadForWriting(path, hive, error))
        return false;
    hive::ReadableValues expected = hive::readableValues(hive);
    expected[hive::lowerName(keyPath)][hive::lowerName(valueName)] = value;
    if (!replaceExisting(hive, keyPath, entry))
        addValue(hive, keyPath, entry);
    // Whatever the other lines hold, a write that readers would not see as written (or that
    // would change what they see elsewhere) must not report success.
    const std::string text = hive::format(hive);
    if (hive::readableValues(hive::parse(text)) != expected) {
        error = "The registry hive " + path + " holds lines that would change the value \"" + valueName +
                "\" under \"" + keyPath + "\" when read back; it was left as it is";
        return false;
    }
    return hive::replaceFile(path, text, error);
}

bool writeStringValue(const std::string& keyPath, const std::string& valueName, const std::string& value,
                      std::string& error)
{
    return writeValue(keyPath, valueName, stringValue(value), error);
}

bool writeDwordValue(const std::string& keyPath, const std::string& valueName, std::uint32_t value,
                     std::string& error)
{
    return writeValue(keyPath, valueName, dwordValue(value), error);
}

}  // namespace registry
