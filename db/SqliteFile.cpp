#include "SqliteFile.h"

#include <sqlite3.h>

namespace practicedb {

SqliteFile::~SqliteFile()
{
    std::string ignored;
    close(ignored);
}

bool SqliteFile::open(const std::string& path, std::string& error)
{
    if (sqlite3_open_v2(path.c_str(), &handle_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        error = handle_ ? sqlite3_errmsg(handle_) : "out of memory";
        sqlite3_close(handle_);
        handle_ = nullptr;
        return false;
    }
    sqlite3_busy_timeout(handle_, 5000);
    sqlite3_extended_result_codes(handle_, 1);
    return true;
}

bool SqliteFile::execute(const std::string& sql, std::string& error)
{
    char* message = nullptr;
    if (sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, &message) == SQLITE_OK)
        return true;
    error = message ? message : sqlite3_errmsg(handle_);
    sqlite3_free(message);
    return false;
}

bool SqliteFile::queryInteger(const std::string& sql, std::int64_t& value, std::string& error)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(handle_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        error = sqlite3_errmsg(handle_);
        return false;
    }
    const int step = sqlite3_step(statement);
    if (step == SQLITE_ROW)
        value = sqlite3_column_int64(statement, 0);
    else
        error = step == SQLITE_DONE ? "The query returned no row." : sqlite3_errmsg(handle_);
    sqlite3_finalize(statement);
    return step == SQLITE_ROW;
}

bool SqliteFile::close(std::string& error)
{
    if (!handle_)
        return true;
    const bool closed = sqlite3_close(handle_) == SQLITE_OK;
    if (!closed) {
        error = sqlite3_errmsg(handle_);
        // Unfinished statements keep the file open; let SQLite close it once they go.
        sqlite3_close_v2(handle_);
    }
    handle_ = nullptr;
    return closed;
}

RowInserter::RowInserter(SqliteFile& file, const std::string& table,
                         const std::vector<std::string>& columns)
    : handle_(file.handle()), table_(table)
{
    std::string names;
    std::string placeholders;
    for (const std::string& column : columns) {
        names += (names.empty() ? "" : ", ") + column;
        placeholders += placeholders.empty() ? "?" : ", ?";
    }
    const std::string sql = "INSERT INTO " + table + " (" + names + ") VALUES (" + placeholders + ")";
    if (sqlite3_prepare_v2(handle_, sql.c_str(), -1, &statement_, nullptr) != SQLITE_OK)
        error_ = table_ + ": " + sqlite3_errmsg(handle_);
}

RowInserter::~RowInserter()
{
    sqlite3_finalize(statement_);
}

bool RowInserter::insert(const std::vector<SqlValue>& values)
{
    if (!ok())
        return false;
    sqlite3_reset(statement_);
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int index = int(i) + 1;
        if (const auto* number = std::get_if<std::int64_t>(&values[i]))
            sqlite3_bind_int64(statement_, index, *number);
        else if (const auto* text = std::get_if<std::string>(&values[i]))
            sqlite3_bind_text(statement_, index, text->c_str(), int(text->size()), SQLITE_TRANSIENT);
        else
            sqlite3_bind_null(statement_, index);
    }
    if (sqlite3_step(statement_) != SQLITE_DONE) {
        error_ = table_ + ": " + sqlite3_errmsg(handle_);
        return false;
    }
    return true;
}

}  // namespace practicedb
