#pragma once
#include "JetTypes.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;

namespace jet {

class StatementCache;

// What a desktop connection string names. Only the provider
// "Microsoft.Jet.OLEDB.4.0" is accepted.
struct ConnectionSettings {
    std::string databasePath;   // Data Source
    std::string workgroupPath;  // Jet OLEDB:System database
    std::string userId;         // User Id
    std::string password;       // Password
    // Read every page of the file while opening, not only after a session that did not end
    // cleanly (the check asked for on demand).
    bool checkWholeFile = false;
};

// Why a write was refused: the file at the database's path is no longer the one this
// connection opened (a backup restored over it, or the file deleted).
inline constexpr const char* kDatabaseFileReplaced =
    "The database file was replaced or removed while it was open; nothing was written to it.";

// Parses "Provider=...;Data Source=...;Jet OLEDB:System database=...;User Id=...;Password=...".
// Keys match without regard to case. False with a reason for an unknown provider or a
// missing data source.
bool parseConnectionString(std::string_view connectionString, ConnectionSettings& settings,
                           std::string& error);

// One open practice database. Statements are Jet SQL as the system writes it; they are
// translated (see JetSql.h) before SQLite sees them. No routine throws: each answers
// true/false and fills an error text with the database's description.
class Connection {
public:
    // What open refused: the workgroup file itself (missing, unreadable, damaged), the account
    // (unknown, wrong password, a workgroup file not the database's own), or the database file.
    enum class Refusal { Workgroup, Account, Database };

    // Checks the workgroup file (missing or damaged file, unknown account or wrong password
    // refuse), then opens the existing database file (never creates one) with write-ahead
    // logging, a busy time-out and durable commits, and refuses a workgroup file that is not
    // the database's own: the one whose id the database records, or for a database that
    // records none, the file beside it (workgroupPathFor). Null with a reason when refused:
    // also for an empty, damaged, read-only or non-database file, which is left as it was.
    // Damage is looked for cheaply (the header, the file's length, the schema); every page is
    // read only when asked, or when the last session on the file did not end cleanly: its
    // write-ahead log is still there and no other connection holds the file.
    static std::unique_ptr<Connection> open(const ConnectionSettings& settings, std::string& error,
                                            Refusal* refusal = nullptr);

    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs one statement; affected is the number of rows it inserted, changed or deleted.
    // Outside a transaction it is refused (kDatabaseFileReplaced) when the file at the path is
    // no longer the one open; so is the begin of a transaction.
    bool execute(std::string_view jetSql, long& affected, std::string& error);
    // The same with values bound to its "?" parameters in order (dates and times as the ISO texts
    // the database stores), so that a statement run for many rows is prepared once.
    bool execute(std::string_view jetSql, const std::vector<Value>& parameters, long& affected, std::string& error);

    // Runs one SELECT and copies all its rows; columns carry the declared types.
    bool query(std::string_view jetSql, Rows& result, std::string& error);
    bool query(std::string_view jetSql, const std::vector<Value>& parameters, Rows& result, std::string& error);
    // Runs one SELECT and hands each row to onRow as it is read (columns are filled before the
    // first row), so that a caller converting a large result never holds it twice; its texts
    // are valid only during the call. A failure after some rows were handed over still
    // answers false.
    bool queryEach(std::string_view jetSql, std::vector<Column>& columns,
                   const std::function<void(const std::vector<ValueView>& row)>& onRow, std::string& error);

    // Nested transactions: an inner commit closes only its level; a rollback undoes
    // everything inside its level, including inner levels already committed. When the
    // database undoes a transaction itself (a full disk, an I/O error), rolling back each
    // level it held succeeds with nothing left to undo; committing one fails and says why;
    // until every such level is ended, statements and new levels are refused, since they
    // would run outside the transaction their caller believes open.
    //
    // The outer level takes the database's write lock as it begins (waiting up to the busy
    // time-out), or only at its first write: its reads then see the database as it was at the
    // first of them, and that write fails at once when another connection has committed since.
    enum class WriteLock { AtBegin, AtFirstWrite };
    bool beginTrans(std::string& error, WriteLock writeLock = WriteLock::AtBegin);
    // Why takeWriteLock failed: another connection holds the lock now (Locked), or has committed
    // since the transaction's first read (ChangedSinceRead: the transaction can never write then).
    enum class WriteLockRefusal { Locked, ChangedSinceRead, Other };
    // Takes the write lock of a transaction begun WriteLock::AtFirstWrite now, as its first write
    // would, so that work outside the database waits for it; nothing when it holds the lock already.
    bool takeWriteLock(std::string& error, WriteLockRefusal* refusal = nullptr);
    bool commitTrans(std::string& error);
    bool rollbackTrans(std::string& error);
    // The levels begun and not yet ended, those the database undid included.
    int transactionLevel() const { return level_ + levelsUndoneByDatabase_; }

    // The row id of the last row inserted through this connection (@@IDENTITY).
    std::int64_t lastIdentity() const;

    const std::string& databasePath() const { return databasePath_; }

private:
    Connection(sqlite3* handle, std::string databasePath);

    // Steps a statement already in SQLite's dialect, with its parameters, to its end; rows it
    // gives are skipped.
    bool run(const std::string& sqliteSql, const std::vector<Value>& parameters, long& affected, std::string& error);
    bool queryEach(std::string_view jetSql, const std::vector<Value>& parameters, std::vector<Column>& columns,
                   const std::function<void(const std::vector<ValueView>& row)>& onRow, std::string& error);
    // False with kDatabaseFileReplaced when the file at the path is no longer the one open.
    bool fileStillAtPath(std::string& error) const;
    // A failed statement may have ended the transaction (disk full, I/O error): follow it.
    void followTransactionState();
    // False with the reason while levels the database undid are not ended yet.
    bool transactionStillOpen(std::string& error) const;
    // After each outermost commit: committed pages go from the write-ahead log into the
    // database file, so that a copy of that file alone (the usual backup) holds them.
    void foldLogIntoFile();

    sqlite3* handle_;
    std::string databasePath_;
    int level_ = 0;
    int levelsUndoneByDatabase_ = 0;  // still to be ended by their owners
    std::unique_ptr<StatementCache> statements_;
    std::string translated_;  // reused for every statement's translation
};

}  // namespace jet
