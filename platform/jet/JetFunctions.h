#pragma once
#include <string>

struct sqlite3;

namespace jet {

// Jet's own functions that SQLite lacks, for the SQL the system writes:
// StrComp(a, b[, compare]): -1, 0 or 1 as a sorts before, with or after b; compare 0 (the
// default) compares the bytes exactly, 1 without regard to case as text columns do; Null when
// either text is Null. False with the reason when they cannot be added to the handle.
bool addJetFunctions(sqlite3* handle, std::string& error);

}  // namespace jet
