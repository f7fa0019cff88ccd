#include "StatementCache.h"

#include <sqlite3.h>

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

StatementCache::StatementCache(sqlite3* handle, std::size_t capacity)
    : handle_(handle), capacity_(capacity)
{
}

StatementCache::~StatementCache()
{
    for (Entry& entry : recentFirst_)
        sqlite3_finalize(entry.statement);
}

sqlite3_stmt* StatementCache::statementFor(std::string sql, std::string& error)
{
    if (const auto found = bySql_.find(sql); found != bySql_.end()) {
        recentFirst_.splice(recentFirst_.begin(), recentFirst_, found->second);
        return found->second->statement;
    }

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

    if (recentFirst_.size() >= capacity_)
        evictOldest();
    recentFirst_.push_front(Entry{std::move(sql), statement});
    bySql_.emplace(recentFirst_.front().sql, recentFirst_.begin());
    return statement;
}

void StatementCache::evictOldest()
{
    Entry& oldest = recentFirst_.back();
    bySql_.erase(oldest.sql);
    sqlite3_finalize(oldest.statement);
    recentFirst_.pop_back();
}

}  // namespace jet
