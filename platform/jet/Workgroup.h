#pragma once
#include <string>
#include <vector>

namespace jet {

struct WorkgroupAccount {
    std::string userId;
    std::string password;
};

// The workgroup file: a small text file of accounts, each with a random salt and the
// salted hash of its password (never the password itself). Refuses to overwrite a file.
bool writeWorkgroupFile(const std::string& path, const std::vector<WorkgroupAccount>& accounts,
                        std::string& error);

// True when the file exists and holds the account with that password; false with a reason
// (missing or unreadable file, unknown account, wrong password). User ids match without
// regard to case, passwords exactly.
bool checkWorkgroupAccount(const std::string& path, const std::string& userId,
                           const std::string& password, std::string& error);

}  // namespace jet

namespace jet {

// The workgroup file of a database: its path with the last character replaced by "w"
// (C:\a.mdb gives C:\a.mdw; a one-character path x gives w; an empty path stays empty).
std::string workgroupPathFor(const std::string& databasePath);

}  // namespace jet
