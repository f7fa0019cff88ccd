#pragma once
// What the conduit knows before a HotSync starts: the strings registered for its creator id and
// the default practice database that the registry names.
#include <cstdint>
#include <string>

// The creator's registered strings, read back through the Conduit Manager; empty when missing.
// The default database path is the registry value VALUE under "Software\" A "\" NAME.
struct ConduitStrings {
    std::string creator;  // the creator id's four characters
    std::string a;
    std::string name;     // the conduit's display name
    std::string value;
};

ConduitStrings ReadConduitStrings(std::uint32_t creatorId);

// The registry key of the default database path.
std::string DefaultDatabaseKey(const ConduitStrings& strings);

// Reads a value of a key under HKEY_LOCAL_MACHINE. Every failure is shown in message boxes:
// a key that cannot be opened shows the system's text for the code and then the key path;
// a value that cannot be read shows "RegQueryValueEx". 0, or the registry's code.
long ReadRegistryValue(const std::string& keyPath, const std::string& valueName, std::string& value);

// The database path with its last character replaced by "w"; empty for an empty path.
std::string DefaultWorkgroupPath(const std::string& databasePath);
