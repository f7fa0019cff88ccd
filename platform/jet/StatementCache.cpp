#include "StatementCache.h"

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <string_view>

namespace jet {
namespace {

bool onlyBlanksAndSemicolons(const char* text)
{
    for (; *text; ++text)
        if (*text != ' ' && *text != '\t' && *text != '\r' && *text != '\n' && *text != ';')
            return false;
    return true;
}

}  // namespace

LentStatement::~LentStatement()
{
    if (!statement_)
        return;
    if (cached_) {
        sqlite3_reset(statement_);
        sqlite3_clear_bindings(statement_);
    }
    else
        sqlite3_finalize(statement_);
}

LentStatement::LentStatement(LentStatement&& other) noexcept
    : statement_(other.statement_), cached_(other.cached_)
{
    other.statement_ = nullptr;
}

StatementCache::StatementCache(sqlite3* handle, std::size_t capacity)
    : handle_(handle), capacity_(capacity)
{
    byHash_.reserve(capacity);
}

StatementCache::~StatementCache()
{
    for (auto& [hash, entry] : byHash_)
        sqlite3_finalize(entry.statement);
}

LentStatement StatementCache::statementFor(const std::string& sql, std::string& error)
{
    const std::size_t hash = std::hash<std::string_view>{}(sql);
    const auto found = byHash_.find(hash);
    if (found != byHash_.end() && found->second.sql == sql) {
        found->second.lastUse = ++uses_;
        return LentStatement(found->second.statement, true);
    }

    sqlite3_stmt* statement = prepare(sql, error);
    if (!statement || !seenBefore(hash))
        return LentStatement(statement, false);

    if (found != byHash_.end()) {
        // Another text with the same hash: the newer one takes its place.
        sqlite3_finalize(found->second.statement);
        byHash_.erase(found);
    } else if (byHash_.size() >= capacity_) {
        evictLeastRecentlyUsed();
    }
    byHash_.emplace(hash, Entry{sql, statement, ++uses_});
    return LentStatement(statement, true);
}

sqlite3_stmt* StatementCache::prepare(const std::string& sql, std::string& error)
{
    sqlite3_stmt* statement = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(handle_, sql.c_str(), int(sql.size() + 1), &statement, &tail) != SQLITE_OK) {
        error = sqlite3_errmsg(handle_);
        sqlite3_finalize(statement);
        return nullptr;
    }
    if (!statement) {
        error = "The statement is empty";
        return nullptr;
    }
    // One statement per call: a second one smuggled in through a text value never runs.
    if (!onlyBlanksAndSemicolons(tail)) {
        sqlite3_finalize(statement);
        error = "Characters found after end of SQL statement";
        return nullptr;
    }
    return statement;
}

bool StatementCache::seenBefore(std::size_t hash)
{
    if (std::find(recentHashes_.begin(), recentHashes_.end(), hash) != recentHashes_.end())
        return true;
    recentHashes_[nextRecent_] = hash;
    nextRecent_ = (nextRecent_ + 1) % recentHashes_.size();
    return false;
}

void StatementCache::evictLeastRecentlyUsed()
{
    const auto oldest = std::min_element(byHash_.begin(), byHash_.end(), [](const auto& left, const auto& right) {
        return left.second.lastUse < right.second.lastUse;
    });
    sqlite3_finalize(oldest->second.statement);
    byHash_.erase(oldest);
}

}  // namespace jet
