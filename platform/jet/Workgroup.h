#pragma once
#include <string>
#include <vector>

namespace jet {

struct WorkgroupAccount {
    std::string userId;
    std::string password;
};

// A new random id for a workgroup file: the database made with the file records it, so that
// no other workgroup file opens that database.
std::string newWorkgroupId();

// The workgroup file: a small text file with its id and the accounts, each with a random salt
// and the salted hash of its password (never the password itself). Created readable by its
// owner only; refuses to overwrite a file.
bool writeWorkgroupFile(const std::string& path, const std::vector<WorkgroupAccount>& accounts,
                        std::string& error, const std::string& workgroupId = newWorkgroupId());

// What refused an account: the file itself (missing, unreadable, damaged) or the account in it.
enum class WorkgroupRefusal { File, Account };

// True when the file exists and holds the account with that password; false with a reason
// (missing, unreadable or damaged file, unknown account, wrong password). User ids match
// without regard to case, passwords exactly. workgroupId is the file's id, empty for a file
// written before files carried one.
bool checkWorkgroupAccount(const std::string& path, const std::string& userId, const std::string& password,
                           std::string& workgroupId, std::string& error, WorkgroupRefusal* refusal = nullptr);
bool checkWorkgroupAccount(const std::string& path, const std::string& userId, const std::string& password,
                           std::string& error);

// The table of a database that records the id of its workgroup file, and the statements
// that create it in a new database.
inline constexpr const char* kWorkgroupBindingTable = "VantoraWorkgroup";
std::string workgroupBindingSql(const std::string& workgroupId);

// The workgroup file of a database: its path with the last character replaced by "w"
// (C:\a.mdb gives C:\a.mdw; a one-character path x gives w; an empty path stays empty).
std::string workgroupPathFor(const std::string& databasePath);

}  // namespace jet
