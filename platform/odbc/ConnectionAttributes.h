#pragma once
#include <string>
#include <string_view>

namespace odbcdriver {

// What a connection string gives the driver.
struct ConnectionAttributes {
    std::string database;   // DBQ
    std::string workgroup;  // SystemDB
    std::string user;       // UID
    std::string password;   // PWD
};

// Reads "KEY=value;" pairs; keys match without regard to case, a value may stand in braces
// (then it may hold ";"), and keys the driver does not use are passed over.
ConnectionAttributes parseConnectionAttributes(std::string_view text);

}  // namespace odbcdriver
