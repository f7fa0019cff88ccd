#include "PracticeDatabase.h"

#include "SchemaScripts.h"
#include "SqliteFile.h"
#include "Workgroup.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

namespace practicedb {
namespace {

bool pathTaken(const std::string& path)
{
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

// Claims the path with an empty file, failing when anything is there already, so that two
// setups racing for one path cannot both win. SQLite takes an empty file as a new database,
// and gives its side files the database file's permissions: owner-only, as patients' data.
bool claimEmptyFile(const std::string& path, std::string& error)
{
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (file < 0) {
        error = "The database file " + path + " cannot be created: " + std::strerror(errno) + ".";
        return false;
    }
    ::close(file);
    return true;
}

// The database file and the side files SQLite keeps beside it.
constexpr const char* kDatabaseFileSuffixes[] = {"", "-wal", "-shm", "-journal"};

void removeDatabaseFiles(const std::string& databasePath)
{
    std::error_code ignored;
    for (const char* suffix : kDatabaseFileSuffixes)
        std::filesystem::remove(databasePath + suffix, ignored);
}

bool writeDefinition(const std::string& databasePath, const std::string& workgroupId, std::string& error)
{
    SqliteFile file;
    if (!file.open(databasePath, error))
        return false;
    // Write-ahead logging is a property of the file: the desktop program and a HotSync
    // then read and write it at the same time.
    if (!file.execute("PRAGMA journal_mode=WAL", error) || !file.execute("BEGIN", error))
        return false;
    for (const SchemaScript& script : creationScripts()) {
        if (!file.execute(script.text, error)) {
            error = std::string(script.name) + ": " + error;
            return false;
        }
    }
    std::int64_t walMode = 0;
    if (!file.execute(jet::workgroupBindingSql(workgroupId), error) || !file.execute("COMMIT", error)
        || !file.queryInteger("SELECT journal_mode = 'wal' FROM pragma_journal_mode", walMode, error))
        return false;
    if (!walMode) {
        error = "Write-ahead logging cannot be used for " + databasePath + ".";
        return false;
    }
    return file.close(error);
}

}  // namespace

jet::ConnectionSettings connectionSettings(const std::string& databasePath)
{
    return {databasePath, jet::workgroupPathFor(databasePath), kAccountUser, kAccountPassword};
}

void removePracticeDatabase(const std::string& databasePath)
{
    removeDatabaseFiles(databasePath);
    std::error_code ignored;
    std::filesystem::remove(jet::workgroupPathFor(databasePath), ignored);
}

bool createPracticeDatabase(const std::string& databasePath, std::string& error)
{
    const std::string workgroupPath = jet::workgroupPathFor(databasePath);
    if (databasePath.empty()) {
        error = "No database path was given.";
        return false;
    }
    // The connection strings of the desktop and the conduit carry the path as it stands,
    // between ";" separators and with blanks at the ends trimmed.
    if (databasePath.find(';') != std::string::npos) {
        error = "The database path " + databasePath + " holds a \";\", which a connection string cannot carry. "
                "Choose a path without it.";
        return false;
    }
    if (databasePath.back() == ' ' || databasePath.back() == '\t') {
        error = "The database path \"" + databasePath + "\" ends with a blank, which a connection string cannot "
                "carry. Choose a path without it.";
        return false;
    }
    // A side file left by an earlier database would be taken for part of the new one.
    for (const char* suffix : kDatabaseFileSuffixes) {
        if (pathTaken(databasePath + suffix)) {
            error = "The database file " + databasePath + suffix + " already exists.";
            return false;
        }
    }
    if (pathTaken(workgroupPath)) {
        error = "The workgroup file " + workgroupPath + " already exists.";
        return false;
    }
    if (!claimEmptyFile(databasePath, error))
        return false;
    // The database records the id of its workgroup file: no other workgroup file opens it.
    const std::string workgroupId = jet::newWorkgroupId();
    std::string reason;
    if (!writeDefinition(databasePath, workgroupId, reason)) {
        error = "The database " + databasePath + " cannot be written: " + reason;
        removeDatabaseFiles(databasePath);
        return false;
    }
    // The workgroup writer removes what it started itself and never touches a file it did
    // not create.
    if (!jet::writeWorkgroupFile(workgroupPath, {{kAccountUser, kAccountPassword}}, error, workgroupId)) {
        removeDatabaseFiles(databasePath);
        return false;
    }
    return true;
}

}  // namespace practicedb
