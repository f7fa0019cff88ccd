#pragma once
#include <cstddef>
#include <list>
#include <string>
#include <string_view>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace jet {

// Prepared statements of one connection, kept by their SQLite text so that a statement run
// again (a code allocation, a list reload) skips parsing. The least recently used one is
// finalized when the cache is full, since most texts carry their values and run once.
class StatementCache {
public:
    StatementCache(sqlite3* handle, std::size_t capacity);
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // The statement for the text, prepared now or earlier, reset and ready to step. Null when
    // it does not prepare (the database's description in error), when it is empty, or when the
    // text holds more than one statement.
    sqlite3_stmt* statementFor(std::string sql, std::string& error);

private:
    struct Entry {
        std::string sql;
        sqlite3_stmt* statement;
    };
    void evictOldest();

    sqlite3* handle_;
    std::size_t capacity_;
    std::list<Entry> recentFirst_;
    std::unordered_map<std::string_view, std::list<Entry>::iterator> bySql_;
};

}  // namespace jet
