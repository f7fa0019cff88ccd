#pragma once
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace practicedb {

// A direct SQLite connection to a practice database file, for creating and filling one
// (the jet layer opens existing databases only). Closed when the object goes.
class SqliteFile {
public:
    SqliteFile() = default;
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    // Opens the file, which must exist (an empty file is a new database). False with a reason.
    bool open(const std::string& path, std::string& error);
    // Runs one or more statements. False with SQLite's description.
    bool execute(const std::string& sql, std::string& error);
    // The first column of the first row of a query as an integer; false when it fails.
    bool queryInteger(const std::string& sql, std::int64_t& value, std::string& error);
    // Closes the connection (the write-ahead log is folded into the file). False with a reason.
    bool close(std::string& error);

    sqlite3* handle() const { return handle_; }

private:
    sqlite3* handle_ = nullptr;
};

// A value for a prepared insert: NULL, an integer or a text.
using SqlValue = std::variant<std::monostate, std::int64_t, std::string>;

// One prepared INSERT into a table, run once per row.
class RowInserter {
public:
    RowInserter(SqliteFile& file, const std::string& table, const std::vector<std::string>& columns);
    ~RowInserter();
    RowInserter(const RowInserter&) = delete;
    RowInserter& operator=(const RowInserter&) = delete;

    // Inserts one row, values in the order of the columns. False with a reason; after the
    // first failure every further row fails too, so a caller may check once at the end.
    bool insert(const std::vector<SqlValue>& values);
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }

private:
    sqlite3* handle_;
    sqlite3_stmt* statement_ = nullptr;
    std::string table_;
    std::string error_;
};

}  // namespace practicedb
