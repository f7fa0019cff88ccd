#pragma once
#include "JetConnection.h"

#include <string>

namespace practicedb {

// The account that the desktop program's connection string names.
inline constexpr const char* kAccountUser = "Quivo";
inline constexpr const char* kAccountPassword = "Quivo";

// How the programs open a practice database: with its own workgroup file and the account above.
jet::ConnectionSettings connectionSettings(const std::string& databasePath);

// Creates a new practice database at the path: every table, saved query (as a view),
// lookup row and conduit table, and its workgroup file beside it holding the account
// above, the two bound by the workgroup file's id and both readable by their owner only.
// Refuses to overwrite an existing database or workgroup file, and a path that connection
// strings cannot carry (one holding ";" or ending with a blank). False with a reason.
bool createPracticeDatabase(const std::string& databasePath, std::string& error);

// Removes a practice database with SQLite's side files and its workgroup file: undoes a
// setup that failed after creating them.
void removePracticeDatabase(const std::string& databasePath);

// Fills a newly created practice database with a realistic demo practice.
bool loadDemoPractice(const std::string& databasePath, std::string& error);

}  // namespace practicedb
