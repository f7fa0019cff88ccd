#pragma once
#include "Registry.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

// The REGEDIT4 text of a hive, entry by entry, so that a writer can change one value and
// give every other line back exactly as it was read.
namespace registry::hive {

enum class EntryKind {
    Header,      // "REGEDIT4"
    Filler,      // blank line or ";" comment
    Section,     // "[path]"
    BadSection,  // a line starting with "[" that is no section; its values belong to no key
    Value,       // "name"=data, possibly over several lines (hex continued with "\")
    Bad,         // anything else
};

struct Entry {
    EntryKind kind = EntryKind::Bad;
    std::vector<std::string> lines;  // as read, without line breaks

    // Section: the path under HKEY_LOCAL_MACHINE; empty with foreignRoot set for a
    // section of another root.
    std::string keyPath;
    bool foreignRoot = false;

    // Value: its name ("" for @) and data.
    std::string valueName;
    registry::Value value;
    // Hex data that still ended with "\" when the file ended: it would take in a line added next.
    bool awaitsContinuation = false;
};

struct Hive {
    std::vector<Entry> entries;
    std::string lineBreak = "\n";  // "\r\n" when the file was written with those
};

inline constexpr std::string_view kHeader = "REGEDIT4";

Hive parse(std::string_view text);
std::string format(const Hive& hive);

// The index of the section that a value entry belongs to: the nearest section before it,
// or -1 when a bad section line, a foreign root or the start of the file comes first.
std::vector<int> owningSections(const Hive& hive);

// Every value that readers see: by lower-case key path, then by lower-case value name (the
// last one counts when a name appears twice). A section names its key even without values.
using ReadableValues = std::map<std::string, std::map<std::string, registry::Value>>;
ReadableValues readableValues(const Hive& hive);

// Case-insensitive comparison (letters A-Z) of key paths and value names.
bool sameName(std::string_view left, std::string_view right);
std::string lowerName(std::string_view name);

// The lines of one value ("name"=...); false when the name holds a line break.
bool formatValue(const std::string& name, const registry::Value& value, std::vector<std::string>& lines);

// The section line of a key under HKEY_LOCAL_MACHINE.
std::string formatSection(const std::string& keyPath);

}  // namespace registry::hive
