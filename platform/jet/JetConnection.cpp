#include "JetConnection.h"

#include "JetFunctions.h"
#include "JetSql.h"
#include "StatementCache.h"
#include "Workgroup.h"

#include <sqlite3.h>

#include <filesystem>
#include <type_traits>
#include <variant>

namespace jet {
namespace {

constexpr int kBusyTimeoutMs = 5000;
constexpr std::size_t kCachedStatements = 64;

// The first column of the first row of a statement run on a fresh handle; false with the
// database's own result code and description.
bool firstValue(sqlite3* handle, const char* sql, std::string& value, int& resultCode, std::string& error)
{
    sqlite3_stmt* statement = nullptr;
    resultCode = sqlite3_prepare_v2(handle, sql, -1, &statement, nullptr);
    if (resultCode == SQLITE_OK) {
        resultCode = sqlite3_step(statement);
        if (resultCode == SQLITE_ROW) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
            value = text ? text : "";
            resultCode = SQLITE_OK;
        } else if (resultCode == SQLITE_DONE) {
            value.clear();
            resultCode = SQLITE_OK;
        }
    }
    if (resultCode != SQLITE_OK)
        error = sqlite3_errmsg(handle);
    sqlite3_finalize(statement);
    return resultCode == SQLITE_OK;
}

// Runs whileAlone while no other connection, of this process or another, holds the database
// file that the handle opened, and answers whether it ran. A connection holds a shared lock on
// the file from its first read until it closes, so an exclusive lock tells; it is taken through
// SQLite's own file object, which counts this process's connections too, before the handle has
// read anything, and given back at once.
bool whileNoOtherConnection(sqlite3* handle, const std::function<void()>& whileAlone)
{
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(handle, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK || !file ||
        !file->pMethods)
        return false;
    const sqlite3_io_methods& methods = *file->pMethods;
    const bool alone = methods.xLock(file, SQLITE_LOCK_SHARED) == SQLITE_OK &&
                       methods.xLock(file, SQLITE_LOCK_EXCLUSIVE) == SQLITE_OK;
    if (alone)
        whileAlone();
    methods.xUnlock(file, SQLITE_LOCK_NONE);
    return alone;
}

// SQLite removes the write-ahead log when the last connection to the file closes: a log that no
// connection holds was left by a session that never closed (a crash, a kill, a power cut).
bool lastSessionEndedUncleanly(sqlite3* handle, const std::string& path)
{
    bool logLeft = false;
    whileNoOtherConnection(handle, [&] {
        std::error_code ignored;
        logLeft = std::filesystem::exists(path + "-wal", ignored);
    });
    return logLeft;
}

// A damaged file keeps its log when refused: closing would fold the log into it and remove the
// log, and the next open would then take it for a file whose last session ended cleanly.
void keepLogOfDamagedFile(sqlite3* handle)
{
    sqlite3_db_config(handle, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
}

// Refuses a file that is not a sound SQLite database, then sets the connection up.
bool prepareHandle(sqlite3* handle, const std::string& path, bool checkWholeFile, std::string& error)
{
    if (sqlite3_db_readonly(handle, "main") == 1) {
        error = "The database file " + path + " is read-only, or the disk that holds it is.";
        return false;
    }
    sqlite3_busy_timeout(handle, kBusyTimeoutMs);
    // Before the first read, which makes this connection one that holds the file.
    const bool readEveryPage = checkWholeFile || lastSessionEndedUncleanly(handle, path);

    // Cheap: SQLite checks the header and the file's length against it, then reads the schema.
    std::string value, detail;
    int code = SQLITE_OK;
    if (!firstValue(handle, "SELECT count(*) FROM sqlite_master", value, code, detail)) {
        if ((code & 0xff) == SQLITE_NOTADB) {
            error = "The file " + path + " is not a database.";
        } else if ((code & 0xff) == SQLITE_CORRUPT) {
            error = "The database file " + path + " is damaged (" + detail + ").";
            keepLogOfDamagedFile(handle);
        } else {
            error = "The database file " + path + " cannot be read (" + detail + ").";
        }
        return false;
    }
    if (readEveryPage && (!firstValue(handle, "PRAGMA quick_check", value, code, detail) || value != "ok")) {
        error = "The database file " + path + " is damaged (" + (detail.empty() ? value : detail) + ").";
        keepLogOfDamagedFile(handle);
        return false;
    }
    if (!firstValue(handle, "PRAGMA journal_mode=WAL", value, code, detail) || value != "wal") {
        error = "Write-ahead logging cannot be used for the database file " + path +
                (detail.empty() ? "" : " (" + detail + ")") + ".";
        return false;
    }
    // Durable commits, and the keys that keep a charge's detail rows with their charge.
    if (!firstValue(handle, "PRAGMA synchronous=FULL", value, code, detail) ||
        !firstValue(handle, "PRAGMA foreign_keys=ON", value, code, detail)) {
        error = "The database file " + path + " cannot be set up (" + detail + ").";
        return false;
    }
    return true;
}

// The workgroup file must be the database's own, so that an account made in any other file
// cannot open it. A database made before databases recorded the id of their workgroup file
// accepts only the file beside it.
bool ownWorkgroup(sqlite3* handle, const ConnectionSettings& settings, const std::string& workgroupId,
                  std::string& error, Connection::Refusal& why)
{
    const std::string table = kWorkgroupBindingTable;
    const std::string tableCount = "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name = '" + table + "'";
    const std::string recordedId = "SELECT WorkgroupId FROM " + table;
    std::string bound, detail;
    int code = SQLITE_OK;
    if (!firstValue(handle, tableCount.c_str(), bound, code, detail) ||
        (bound != "0" && !firstValue(handle, recordedId.c_str(), bound, code, detail))) {
        error = "The database file " + settings.databasePath + " cannot be read (" + detail + ").";
        why = Connection::Refusal::Database;
        return false;
    }
    std::error_code ignored;
    const bool own = bound == "0" ? std::filesystem::equivalent(settings.workgroupPath,
                                                                workgroupPathFor(settings.databasePath), ignored)
                                  : !workgroupId.empty() && bound == workgroupId;
    if (!own) {
        error = "Not a valid account name or password.";
        why = Connection::Refusal::Account;
    }
    return own;
}

// The log and index files at the path of a file replaced or removed under a connection are that
// connection's: whoever next opens the file now at the path, alone, would read them as its own.
// They go when no connection holds that file, or when there is none.
void removeLogOfLostFile(const std::string& path)
{
    const auto removeLog = [&path] {
        std::error_code ignored;
        std::filesystem::remove(path + "-wal", ignored);
        std::filesystem::remove(path + "-shm", ignored);
    };
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) {
        removeLog();
        return;
    }
    sqlite3* probe = nullptr;
    if (sqlite3_open_v2(path.c_str(), &probe, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr) == SQLITE_OK)
        whileNoOtherConnection(probe, removeLog);
    sqlite3_close_v2(probe);
}

std::string savepointName(int level) { return "jet_level_" + std::to_string(level); }

// Binds the values to the statement's parameters; false when their number differs.
bool bindParameters(sqlite3* handle, sqlite3_stmt* statement, const std::vector<Value>& parameters,
                    std::string& error)
{
    if (sqlite3_bind_parameter_count(statement) != int(parameters.size())) {
        error = "The statement has " + std::to_string(sqlite3_bind_parameter_count(statement)) + " parameters, " +
                std::to_string(parameters.size()) + " values were given";
        return false;
    }
    for (int i = 0; i < int(parameters.size()); ++i) {
        const int bound = std::visit(
            [&](const auto& held) {
                using Held = std::decay_t<decltype(held)>;
                if constexpr (std::is_same_v<Held, std::monostate>)
                    return sqlite3_bind_null(statement, i + 1);
                else if constexpr (std::is_same_v<Held, std::int64_t>)
                    return sqlite3_bind_int64(statement, i + 1, held);
                else if constexpr (std::is_same_v<Held, double>)
                    return sqlite3_bind_double(statement, i + 1, held);
                else
                    return sqlite3_bind_text(statement, i + 1, held.data(), int(held.size()), SQLITE_TRANSIENT);
            },
            parameters[std::size_t(i)]);
        if (bound != SQLITE_OK) {
            error = sqlite3_errmsg(handle);
            return false;
        }
    }
    return true;
}

// Read through the column's value object: one call per cell fewer than the column routines,
// which matters on a result of millions of cells. The value is unprotected, which is safe
// because a connection is opened without a mutex and used by one thread.
ValueView columnView(sqlite3_stmt* statement, int column)
{
    sqlite3_value* value = sqlite3_column_value(statement, column);
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return std::monostate{};
    case SQLITE_INTEGER:
        return std::int64_t(sqlite3_value_int64(value));
    case SQLITE_FLOAT:
        return sqlite3_value_double(value);
    default: {
        // Text, and blobs as their bytes.
        const auto* bytes = static_cast<const char*>(sqlite3_value_blob(value));
        const int size = sqlite3_value_bytes(value);
        return std::string_view(bytes ? bytes : "", std::size_t(size));
    }
    }
}

}  // namespace

std::unique_ptr<Connection> Connection::open(const ConnectionSettings& settings, std::string& error,
                                             Refusal* refusal)
{
    Refusal ignoredRefusal;
    Refusal& why = refusal ? *refusal : ignoredRefusal;
    std::string workgroupId;
    WorkgroupRefusal workgroupRefusal = WorkgroupRefusal::File;
    if (!checkWorkgroupAccount(settings.workgroupPath, settings.userId, settings.password, workgroupId, error,
                               &workgroupRefusal)) {
        why = workgroupRefusal == WorkgroupRefusal::File ? Refusal::Workgroup : Refusal::Account;
        return nullptr;
    }
    why = Refusal::Database;

    const std::string& path = settings.databasePath;
    std::error_code ignored;
    if (path.empty() || !std::filesystem::exists(path, ignored)) {
        error = "The database file " + path + " was not found.";
        return nullptr;
    }
    // SQLite takes an empty file for an empty database and would turn it into one.
    const bool empty = std::filesystem::file_size(path, ignored) == 0;
    if (!std::filesystem::is_regular_file(path, ignored) || empty) {
        error = "The file " + path + " is not a database.";
        return nullptr;
    }

    // Never SQLITE_OPEN_CREATE: a path that vanished in between must not become an empty database.
    sqlite3* handle = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(path.c_str(), &handle, flags, nullptr) != SQLITE_OK) {
        error = "The database file " + path + " cannot be opened (" +
                (handle ? sqlite3_errmsg(handle) : "out of memory") + ").";
        sqlite3_close_v2(handle);
        return nullptr;
    }
    if (!prepareHandle(handle, path, settings.checkWholeFile, error)) {
        sqlite3_close_v2(handle);
        return nullptr;
    }
    if (!ownWorkgroup(handle, settings, workgroupId, error, why) || !addJetFunctions(handle, error)) {
        sqlite3_close_v2(handle);
        return nullptr;
    }
    return std::unique_ptr<Connection>(new Connection(handle, path));
}

Connection::Connection(sqlite3* handle, std::string databasePath)
    : handle_(handle),
      databasePath_(std::move(databasePath)),
      statements_(std::make_unique<StatementCache>(handle, kCachedStatements))
{
}

Connection::~Connection()
{
    // Statements go first: the handle closes only when none is left. An open transaction rolls back.
    statements_.reset();
    std::string ignored;
    if (!fileStillAtPath(ignored)) {
        // Closing would fold the log, which programs using the file now at the path may write,
        // into the lost file and remove it under them; it goes only when none uses that file.
        sqlite3_db_config(handle_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
        sqlite3_close_v2(handle_);
        removeLogOfLostFile(databasePath_);
        return;
    }
    // Commits that an earlier fold had to leave to a reader (a HotSync) go in now.
    if (level_ == 0)
        foldLogIntoFile();
    sqlite3_close_v2(handle_);
}

bool Connection::fileStillAtPath(std::string& error) const
{
    // SQLite's unix files answer whether the path still names the open file.
    int moved = 0;
    sqlite3_file_control(handle_, "main", SQLITE_FCNTL_HAS_MOVED, &moved);
    if (moved == 0)
        return true;
    error = kDatabaseFileReplaced;
    return false;
}

bool Connection::execute(std::string_view jetSql, long& affected, std::string& error)
{
    return execute(jetSql, {}, affected, error);
}

bool Connection::execute(std::string_view jetSql, const std::vector<Value>& parameters, long& affected,
                         std::string& error)
{
    // Inside a transaction its begin has looked already.
    if (!transactionStillOpen(error) || (level_ == 0 && !fileStillAtPath(error))) {
        affected = 0;
        return false;
    }
    translateJetSql(jetSql, translated_);
    const bool done = run(translated_, parameters, affected, error);
    followTransactionState();
    if (done && level_ == 0)
        foldLogIntoFile();
    return done;
}

void Connection::foldLogIntoFile()
{
    // PASSIVE never waits for a HotSync or any other reader and cannot fail the commit: pages
    // that a reader still needs stay safe in the log, and the next commit folds them.
    sqlite3_wal_checkpoint_v2(handle_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
}

bool Connection::run(const std::string& sqliteSql, const std::vector<Value>& parameters, long& affected,
                     std::string& error)
{
    affected = 0;
    const LentStatement lent = statements_->statementFor(sqliteSql, error);
    if (!lent)
        return false;
    sqlite3_stmt* statement = lent.get();
    if (!bindParameters(handle_, statement, parameters, error))
        return false;

    const sqlite3_int64 changesBefore = sqlite3_total_changes64(handle_);
    int result;
    while ((result = sqlite3_step(statement)) == SQLITE_ROW) {
    }
    if (result != SQLITE_DONE) {
        error = sqlite3_errmsg(handle_);
        return false;
    }
    // sqlite3_changes keeps the count of the last data statement: a statement that changed
    // nothing (a DELETE that matched no row, a SELECT) must answer 0, not that old count.
    if (sqlite3_total_changes64(handle_) != changesBefore)
        affected = long(sqlite3_changes64(handle_));
    return true;
}

bool Connection::query(std::string_view jetSql, Rows& result, std::string& error)
{
    return query(jetSql, {}, result, error);
}

bool Connection::query(std::string_view jetSql, const std::vector<Value>& parameters, Rows& result,
                       std::string& error)
{
    result.rows.clear();
    const auto copy = [&result](const std::vector<ValueView>& row) {
        std::vector<Value>& values = result.rows.emplace_back();
        values.reserve(row.size());
        for (const ValueView& value : row)
            values.push_back(valueOf(value));
    };
    if (queryEach(jetSql, parameters, result.columns, copy, error))
        return true;
    result.rows.clear();
    return false;
}

bool Connection::queryEach(std::string_view jetSql, std::vector<Column>& columns,
                           const std::function<void(const std::vector<ValueView>& row)>& onRow,
                           std::string& error)
{
    return queryEach(jetSql, {}, columns, onRow, error);
}

bool Connection::queryEach(std::string_view jetSql, const std::vector<Value>& parameters,
                           std::vector<Column>& columns,
                           const std::function<void(const std::vector<ValueView>& row)>& onRow, std::string& error)
{
    columns.clear();
    translateJetSql(jetSql, translated_);
    const LentStatement lent = statements_->statementFor(translated_, error);
    if (!lent) {
        followTransactionState();
        return false;
    }
    sqlite3_stmt* statement = lent.get();
    if (!bindParameters(handle_, statement, parameters, error))
        return false;

    const int columnCount = sqlite3_column_count(statement);
    columns.reserve(std::size_t(columnCount));
    for (int column = 0; column < columnCount; ++column)
        columns.push_back(Column{sqlite3_column_name(statement, column),
                                 columnTypeFromDeclaration(sqlite3_column_decltype(statement, column))});

    int step;
    auto row = std::vector<ValueView>(std::size_t(columnCount));
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        for (int column = 0; column < columnCount; ++column)
            row[std::size_t(column)] = columnView(statement, column);
        onRow(row);
    }
    if (step != SQLITE_DONE) {
        error = sqlite3_errmsg(handle_);
        followTransactionState();
        return false;
    }
    return true;
}

bool Connection::beginTrans(std::string& error, WriteLock writeLock)
{
    // Taken at the begin, a read that later wants to write cannot fail at once because a HotSync
    // wrote in between.
    if (!transactionStillOpen(error) || (level_ == 0 && !fileStillAtPath(error)))
        return false;
    long ignored = 0;
    const std::string sql = level_ > 0                         ? "SAVEPOINT " + savepointName(level_ + 1)
                            : writeLock == WriteLock::AtBegin ? "BEGIN IMMEDIATE"
                                                              : "BEGIN DEFERRED";
    if (!run(sql, {}, ignored, error)) {
        followTransactionState();
        return false;
    }
    ++level_;
    return true;
}

bool Connection::takeWriteLock(std::string& error, WriteLockRefusal* refusal)
{
    WriteLockRefusal ignoredRefusal;
    WriteLockRefusal& why = refusal ? *refusal : ignoredRefusal;
    why = WriteLockRefusal::Other;
    if (!transactionStillOpen(error))
        return false;
    if (level_ == 0) {
        error = "No transaction is active";
        return false;
    }
    if (sqlite3_txn_state(handle_, "main") == SQLITE_TXN_WRITE)
        return true;
    // SQLite takes the lock with a transaction's first write and has no statement that only
    // takes it: the file's user version is written back as it stands, which changes nothing.
    std::string version;
    int code = SQLITE_OK;
    if (firstValue(handle_, "PRAGMA user_version", version, code, error) &&
        firstValue(handle_, ("PRAGMA user_version = " + version).c_str(), version, code, error))
        return true;
    code = sqlite3_extended_errcode(handle_);
    if (code == SQLITE_BUSY_SNAPSHOT) {
        why = WriteLockRefusal::ChangedSinceRead;
        error = "Another program changed the database since this transaction first read it";
    } else if ((code & 0xff) == SQLITE_BUSY) {
        why = WriteLockRefusal::Locked;
    }
    followTransactionState();
    return false;
}

bool Connection::commitTrans(std::string& error)
{
    if (!transactionStillOpen(error))
        return false;
    if (level_ == 0) {
        error = "No transaction is active";
        return false;
    }
    long ignored = 0;
    const std::string sql = level_ == 1 ? "COMMIT" : "RELEASE " + savepointName(level_);
    if (!run(sql, {}, ignored, error)) {
        followTransactionState();
        return false;
    }
    if (--level_ == 0)
        foldLogIntoFile();
    return true;
}

bool Connection::rollbackTrans(std::string& error)
{
    if (level_ == 0 && levelsUndoneByDatabase_ > 0) {
        --levelsUndoneByDatabase_;
        return true;
    }
    if (level_ == 0) {
        error = "No transaction is active";
        return false;
    }
    long ignored = 0;
    const std::string name = savepointName(level_);
    // ROLLBACK TO keeps the savepoint open; RELEASE then closes the level.
    const bool done = level_ == 1 ? run("ROLLBACK", {}, ignored, error)
                                  : run("ROLLBACK TO " + name, {}, ignored, error) &&
                                        run("RELEASE " + name, {}, ignored, error);
    if (!done) {
        followTransactionState();
        return false;
    }
    --level_;
    return true;
}

void Connection::followTransactionState()
{
    if (level_ > 0 && sqlite3_get_autocommit(handle_)) {
        levelsUndoneByDatabase_ += level_;
        level_ = 0;
    }
}

bool Connection::transactionStillOpen(std::string& error) const
{
    if (levelsUndoneByDatabase_ == 0)
        return true;
    error = "The database had already undone this transaction after an earlier failure";
    return false;
}

std::int64_t Connection::lastIdentity() const { return sqlite3_last_insert_rowid(handle_); }

}  // namespace jet
