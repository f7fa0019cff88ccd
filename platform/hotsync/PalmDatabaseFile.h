#pragma once
// The Palm database (PDB) file layout of one handheld database: a 78-byte header, a record list
// of 8-byte entries (offset, attributes with the category in the low four bits, 24-bit unique
// id), then the application-info block, the sort-info block and the records.
// All integers big-endian.
#include <cstdint>
#include <string>
#include <vector>

namespace hotsync {

struct PalmRecord {
    uint32_t uniqueId = 0;   // 24 bits
    uint8_t flags = 0;       // high four attribute bits: deleted, dirty, busy, secret
    uint8_t category = 0;    // 0-15
    std::string bytes;
};

struct PalmDatabase {
    std::string name;        // at most 31 characters
    uint16_t attributes = 0;
    uint16_t version = 0;
    uint32_t creationDate = 0;       // seconds since 1904-01-01
    uint32_t modificationDate = 0;
    uint32_t backupDate = 0;
    uint32_t modificationNumber = 0;
    std::string type = "DATA";       // four characters
    std::string creator = "????";    // four characters
    uint32_t uniqueIdSeed = 0;
    std::string appInfo;
    std::string sortInfo;
    std::vector<PalmRecord> records;
};

constexpr size_t kPalmHeaderSize = 78;
constexpr size_t kPalmRecordEntrySize = 8;
constexpr size_t kPalmNameSize = 32;
constexpr uint32_t kPalmLargestUniqueId = 0xFFFFFF;
constexpr size_t kPalmMostRecords = 0xFFFF;

// Reads a record database from the file's bytes. Every count and offset is checked against the
// bytes: a malformed file gives false with the reason, never a read outside them.
bool parsePalmDatabase(const std::string& bytes, PalmDatabase& database, std::string& error);
// The file's bytes; false when the database cannot be stored in the layout.
bool serializePalmDatabase(const PalmDatabase& database, std::string& bytes, std::string& error);

bool loadPalmDatabaseFile(const std::string& path, PalmDatabase& database, std::string& error);
// Writes atomically: a crash leaves the previous file or the new one.
bool savePalmDatabaseFile(const std::string& path, const PalmDatabase& database, std::string& error);

// Seconds since 1904-01-01 for the current time, as the handheld counts them.
uint32_t palmTimeNow();

}  // namespace hotsync
