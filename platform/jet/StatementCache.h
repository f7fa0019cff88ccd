#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>

struct sqlite3;
struct sqlite3_stmt;

namespace jet {

// A prepared statement lent for one run: reset afterwards when the cache keeps it, finalized
// when it was prepared for this run only.
class LentStatement {
public:
    LentStatement() = default;
    LentStatement(sqlite3_stmt* statement, bool cached) : statement_(statement), cached_(cached) {}
    ~LentStatement();
    LentStatement(LentStatement&& other) noexcept;
    LentStatement& operator=(LentStatement&&) = delete;
    LentStatement(const LentStatement&) = delete;

    sqlite3_stmt* get() const { return statement_; }
    explicit operator bool() const { return statement_ != nullptr; }

private:
    sqlite3_stmt* statement_ = nullptr;
    bool cached_ = false;
};

// Prepared statements of one connection, kept by their SQLite text so that a text run again
// (a code allocation, a list reload) skips parsing. Most texts carry their values and run
// once, so a text is kept only from the second time it is seen; the least recently used one
// goes when the cache is full.
class StatementCache {
public:
    StatementCache(sqlite3* handle, std::size_t capacity);
    ~StatementCache();
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;

    // The statement for the text, ready to step. Empty when it does not prepare (the
    // database's description in error), when it is empty, or when the text holds more than
    // one statement.
    LentStatement statementFor(const std::string& sql, std::string& error);

private:
    struct Entry {
        std::string sql;
        sqlite3_stmt* statement;
        std::uint64_t lastUse;
    };
    sqlite3_stmt* prepare(const std::string& sql, std::string& error);
    bool seenBefore(std::size_t hash);
    void evictLeastRecentlyUsed();

    sqlite3* handle_;
    std::size_t capacity_;
    std::uint64_t uses_ = 0;
    std::unordered_map<std::size_t, Entry> byHash_;
    std::array<std::size_t, 64> recentHashes_{};
    std::size_t nextRecent_ = 0;
};

}  // namespace jet
