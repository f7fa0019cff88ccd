#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace jet {

// Translates Jet SQL into SQLite SQL outside quoted texts: date and time literals between
// "#" (#mm/dd/yyyy#, #yyyy/mm/dd#, #hh:MM:ss#, #yyyy/mm/dd hh:MM:ss#, and #y-m-d#,
// #y-m-d hh:MM:ss# with or without leading zeros) become ISO text literals; "SELECT TOP n"
// becomes a trailing "LIMIT n"; @@IDENTITY becomes last_insert_rowid(). Quoted texts
// ('...' with '' inside, "...") and [bracketed names] pass unchanged.
std::string translateJetSql(std::string_view jetSql);
// The same into a caller's buffer, replacing what it held (no allocation once it is large enough).
void translateJetSql(std::string_view jetSql, std::string& sqliteSql);

// What the text between the "#" of a date or time literal stands for, as the database stores it
// ("2026-12-7" gives "2026-12-07"); nothing when it is no date or time.
std::optional<std::string> isoDateTimeText(std::string_view literalInside);

}  // namespace jet
