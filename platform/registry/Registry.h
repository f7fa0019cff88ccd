#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The machine-wide registry (HKEY_LOCAL_MACHINE) kept in one hive file in REGEDIT4 text
// syntax:
//
//   REGEDIT4
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Maker\Product]
//   "Text"="C:\\data\\a.mdb"          strings, with \\ and \" escapes
//   "Number"=dword:0000000a           32-bit numbers
//   "Bytes"=hex:01,02,ff              binary; hex(n): holds data of registry type n
//   @="default value"
//
// Section paths may also be written without the "HKEY_LOCAL_MACHINE\" prefix; sections of
// other roots are kept in the file but are not part of this hive. Key paths and value names
// match without regard to the case of the letters A-Z. A line that does not parse is skipped
// by the readers and kept as it stands by the writers.
namespace registry {

// Result codes, as the registry gives them.
inline constexpr long kSuccess = 0;
inline constexpr long kFileNotFound = 2;      // missing key or value
inline constexpr long kAccessDenied = 5;      // the hive file cannot be read
inline constexpr long kInvalidParameter = 87;
inline constexpr long kMoreData = 234;        // the caller's buffer is too small

// Value types, as the registry numbers them.
inline constexpr std::uint32_t kTypeString = 1;
inline constexpr std::uint32_t kTypeExpandString = 2;
inline constexpr std::uint32_t kTypeBinary = 3;
inline constexpr std::uint32_t kTypeDword = 4;
inline constexpr std::uint32_t kTypeMultiString = 7;

// A typed value as the registry stores it: strings as their UTF-8 bytes followed by one NUL,
// 32-bit numbers as 4 bytes, lowest first.
struct Value {
    std::uint32_t type = kTypeBinary;
    std::vector<std::uint8_t> data;

    bool operator==(const Value&) const = default;
};

Value stringValue(const std::string& text);
Value dwordValue(std::uint32_t number);

// An open key: the values the key held when it was opened, by lower-case name ("" is the
// default value).
struct Key {
    std::string path;
    std::map<std::string, Value> values;
};

// The hive file: $VANTORA_REGISTRY when set and not empty, otherwise
// $XDG_CONFIG_HOME/vantora/registry.reg, otherwise ~/.config/vantora/registry.reg.
// Empty when none of these can be formed (no HOME).
std::string hivePath();

// Opens a key given by its path under HKEY_LOCAL_MACHINE ("SOFTWARE\Maker\Product"). A key
// exists when a section names it or a key below it. kSuccess, kFileNotFound for a missing
// key (or a missing hive file), kAccessDenied when the hive file cannot be read.
long openKey(const std::string& keyPath, Key& key);

// Queries one value of an open key. type and size may be null. Without data, only the type
// and the size of the data are answered. With data, size must give the buffer's size: a
// smaller buffer answers kMoreData with the needed size. kFileNotFound for a missing value.
long queryValue(const Key& key, const std::string& valueName, std::uint32_t* type,
                std::uint8_t* data, std::uint32_t* size);

// Sets one value, creating the key (and the hive file with its folder) when missing. The
// file is replaced atomically (a new file is written beside it, then renamed over it);
// every other line, unreadable lines included, stays as it stands. A file that does not
// start with the REGEDIT4 header is not a hive and is never overwritten. The new text is
// read back before it replaces the file: unless it gives this value and every other value
// exactly as before, nothing is written. False with a reason.
bool writeValue(const std::string& keyPath, const std::string& valueName, const Value& value,
                std::string& error);
bool writeStringValue(const std::string& keyPath, const std::string& valueName,
                      const std::string& value, std::string& error);
bool writeDwordValue(const std::string& keyPath, const std::string& valueName,
                     std::uint32_t value, std::string& error);

}  // namespace registry
