#pragma once
#include <QString>

#include <string>

// The clerk's reading of a database failure. Key clashes name what is entered twice; a busy,
// read-only, unreadable or replaced database file says so in a plain sentence with the
// database's own text as a detail. Any other text (a trigger's message, a missing table)
// comes back unchanged.
QString PlainDatabaseFailure(const std::string& description);
