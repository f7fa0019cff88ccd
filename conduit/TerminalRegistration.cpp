#include "TerminalRegistration.h"

#include "ConduitLog.h"
#include "FetchedRow.h"
#include "OdbcAccess.h"
#include "PreferenceFile.h"
#include "SyncManager.h"
#include "TableDescription.h"

#include <cstdlib>

namespace {

constexpr std::size_t kNumberTextSize = 30;
constexpr long kNumbersPerTerminal = 1000;

// The name between quotes with its quotes doubled: a HotSync user named with an apostrophe
// would otherwise never be registered, and never synchronise.
std::string textLiteral(const std::string& text)
{
    std::string literal = "'";
    for (char c : text)
        literal += c == '\'' ? std::string("''") : std::string(1, c);
    return literal + "'";
}

// Whether any table's handheld database holds a record; a database that cannot be opened holds
// none that the run could exchange.
bool holdsRecords(const TableDescriptionFile& file)
{
    for (const SyncTableDescription& table : file.tables) {
        std::uint8_t handle = 0;
        if (SyncOpenDB(table.handheldDatabase.c_str(), 0, &handle, SYNC_MODE_READ) != SYNC_OK)
            continue;
        std::uint16_t count = 0;
        const bool holds = SyncGetDBRecordCount(handle, &count) == SYNC_OK && count > 0;
        SyncCloseDB(handle);
        if (holds)
            return true;
    }
    return false;
}

}  // namespace

int ReadUserInfoFromPC(SQLHDBC connection, std::uint32_t pdtId)
{
    const std::string sql = "SELECT PDTId FROM VXUSERS WHERE PDTId=" + std::to_string(pdtId);
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (OpenQuery(connection, statement, sql) != 0) {
        ConduitLog("ReadUserInfoFromPC Failure: " + sql);
        return 2;
    }
    SQLRETURN fetched = SQLFetch(statement);
    CloseQuery(statement);
    if (IsFetchedRow(fetched))
        return 0;
    return fetched == SQL_NO_DATA ? 1 : 2;
}

int ReadLastTerminalId(SQLHDBC connection, long& terminalId)
{
    terminalId = 0;
    const std::string sql = "SELECT MAX(TerminalId) AS LastTerm FROM VXUSERS";
    SQLHSTMT statement = SQL_NULL_HSTMT;
    if (OpenQuery(connection, statement, sql) != 0) {
        ConduitLog("ReadLastTerminalId Failure: " + sql);
        return 1;
    }
    int result = 0;
    SQLRETURN fetched = SQLFetch(statement);
    if (IsFetchedRow(fetched)) {
        std::string text;
        result = GetColumnByName(statement, "LastTerm", text, kNumberTextSize);
        terminalId = std::strtol(text.c_str(), nullptr, 10);
    } else if (fetched != SQL_NO_DATA) {
        result = 1;
    }
    CloseQuery(statement);
    return result;
}

int InsertUserInfoOnPC(SQLHDBC connection, std::uint32_t pdtId, const std::string& userName, long terminalId)
{
    const std::string sql = "INSERT INTO VXUsers (PDTId, TerminalId, PDTOwner) VALUES (" + std::to_string(pdtId) +
                            ", " + std::to_string(terminalId) + ", " + textLiteral(userName) + ")";
    if (ExecuteSQL(connection, sql) != 0) {
        ConduitLog("Failure: " + sql);
        return 1;
    }
    return 0;
}

int RegisterTerminal(SyncRun& run, PreferenceFile& preference, const std::string& userName,
                     const TableDescriptionFile& file)
{
    int known = ReadUserInfoFromPC(run.connection, run.pdtId);
    if (known == 0)
        return 0;
    if (known != 1) {
        ConduitLog("Error reading user info from database");
        return 1;
    }
    long lastTerminal = 0;
    if (ReadLastTerminalId(run.connection, lastTerminal) != 0) {
        ConduitLog("Error reading last terminal id");
        return 1;
    }
    const long terminal = lastTerminal + 1;
    if (InsertUserInfoOnPC(run.connection, run.pdtId, userName, terminal) != 0) {
        ConduitLog("Error inserting User Info to PC");
        return 1;
    }
    if (SetPreferenceField(preference.layout, preference.record, terminal * kNumbersPerTerminal, "rancod") != 0) {
        ConduitLog("Error setting TerminalId on PDA buffer");
        return 1;
    }
    if (WritePreferenceRecord(preference) != 0) {
        ConduitLog("Error setting TerminalId on PDA");
        return 1;
    }
    if (holdsRecords(file)) {
        ConduitLog("The handheld already holds records: they are exchanged with the desktop, not overwritten");
        return 0;
    }
    ConduitLog("Changing to Desktop overrides HH mode");
    run.purgeFlag = 1;
    return 0;
}
