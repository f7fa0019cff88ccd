#include "DriverHandles.h"

namespace odbcdriver {

namespace {
const char* const kMessagePrefix = "[Vantora][ODBC Access Driver] ";
}

SQLRETURN Handle::fail(const char* sqlState, const std::string& message)
{
    diagnostics.push_back({sqlState, 0, kMessagePrefix + message});
    return SQL_ERROR;
}

SQLRETURN Handle::inform(const char* sqlState, const std::string& message)
{
    diagnostics.push_back({sqlState, 0, kMessagePrefix + message});
    return SQL_SUCCESS_WITH_INFO;
}

Statement* Connection::addStatement()
{
    statements.push_back(std::make_unique<Statement>(*this));
    return statements.back().get();
}

void Connection::freeStatement(Statement* statement)
{
    std::erase_if(statements, [statement](const auto& owned) { return owned.get() == statement; });
}

void Connection::disconnect()
{
    statements.clear();
    database.reset();
}

SQLRETURN Connection::beginTransaction(Handle& reporter)
{
    std::string error;
    const auto writeLock = writeLockAtFirstWrite ? jet::Connection::WriteLock::AtFirstWrite
                                                 : jet::Connection::WriteLock::AtBegin;
    if (database->beginTrans(error, writeLock)) {
        return SQL_SUCCESS;
    }
    const bool locked = error.find("locked") != std::string::npos || error.find("busy") != std::string::npos;
    return reporter.fail(locked ? "HYT00" : "HY000", error);
}

SQLRETURN Connection::takeWriteLock(Handle& reporter)
{
    std::string error;
    auto refusal = jet::Connection::WriteLockRefusal::Other;
    if (database->takeWriteLock(error, &refusal)) {
        return SQL_SUCCESS;
    }
    switch (refusal) {
    case jet::Connection::WriteLockRefusal::ChangedSinceRead: return reporter.fail("40001", error);
    case jet::Connection::WriteLockRefusal::Locked: return reporter.fail("HYT00", error);
    default: return reporter.fail("HY000", error);
    }
}

void Statement::closeCursor()
{
    hasResultSet = false;
    result = jet::Rows{};
    rowIndex = -1;
    dataOffsets.clear();
}

std::string inputText(const SQLCHAR* text, SQLINTEGER length)
{
    if (text == nullptr) {
        return {};
    }
    const char* characters = reinterpret_cast<const char*>(text);
    if (length == SQL_NTS) {
        return std::string(characters);
    }
    if (length < 0) {
        return {};
    }
    return std::string(characters, static_cast<std::size_t>(length));
}

}  // namespace odbcdriver
