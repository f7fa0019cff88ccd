#pragma once
// Connection strings of the practice database through the Access ODBC driver.
#include <cstdint>
#include <string>

// From the HotSync user's "DBQ" and "SystemDB" settings (section named after the conduit).
// 0, or 1 with the reason in out: "Error getting DBQ for the User %ld" when a setting cannot
// be read, "No DBQ for the User %ld" when DBQ is empty.
int BuildUserConnectionString(const std::string& conduitName, std::uint32_t userId, std::string& out);

// From the default database and workgroup paths. Always 0.
int BuildDefaultConnectionString(const std::string& databasePath, const std::string& workgroupPath,
                                 std::string& out);
