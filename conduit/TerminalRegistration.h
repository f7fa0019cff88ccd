#pragma once
// Terminal numbers of the handhelds, kept in VXUSERS. A handheld seen for the first time gets
// the next number, its preference record gets that number times 1000 as "rancod", and the run
// switches to "desktop overwrites handheld".
#include "SyncRun.h"

#include <sql.h>

#include <cstdint>
#include <string>

struct PreferenceFile;
struct TableDescriptionFile;

// 0 a row with this PDTId exists, 1 none, 2 it could not be read (logged when the query failed).
int ReadUserInfoFromPC(SQLHDBC connection, std::uint32_t pdtId);
// The highest terminal number so far (0 without one). 0, or 1 (logged when the query failed).
int ReadLastTerminalId(SQLHDBC connection, long& terminalId);
// 0, or 1 (logged).
int InsertUserInfoOnPC(SQLHDBC connection, std::uint32_t pdtId, const std::string& userName, long terminalId);

// Registers the run's handheld when it is new. A new handheld that holds no records of the
// file's tables is then filled from the desktop; one that holds records (made on it, or kept
// from a desktop that was since restored from an older copy) exchanges them as every HotSync
// does, so that none is lost. 0, or 1 after the failure was logged (the caller ends the run).
int RegisterTerminal(SyncRun& run, PreferenceFile& preference, const std::string& userName,
                     const TableDescriptionFile& file);
