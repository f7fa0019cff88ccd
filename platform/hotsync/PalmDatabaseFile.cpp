#include "PalmDatabaseFile.h"

#include "AtomicFile.h"

#include <ctime>
#include <set>

namespace hotsync {

namespace {
constexpr uint16_t kResourceDatabase = 0x0001;
constexpr uint32_t kSecondsFrom1904To1970 = 2082844800u;

uint16_t word(const std::string& bytes, size_t at)
{
    return static_cast<uint16_t>((static_cast<uint8_t>(bytes[at]) << 8) | static_cast<uint8_t>(bytes[at + 1]));
}

uint32_t doubleWord(const std::string& bytes, size_t at)
{
    return (static_cast<uint32_t>(word(bytes, at)) << 16) | word(bytes, at + 2);
}

void appendWord(std::string& bytes, uint32_t value)
{
    bytes += static_cast<char>((value >> 8) & 0xFF);
    bytes += static_cast<char>(value & 0xFF);
}

void appendDoubleWord(std::string& bytes, uint32_t value)
{
    appendWord(bytes, value >> 16);
    appendWord(bytes, value & 0xFFFF);
}

std::string fourCharacters(const std::string& bytes, size_t at)
{
    return bytes.substr(at, 4);
}

bool failWith(std::string& error, const std::string& reason)
{
    error = reason;
    return false;
}
}  // namespace

bool parsePalmDatabase(const std::string& bytes, PalmDatabase& database, std::string& error)
{
    if (bytes.size() < kPalmHeaderSize)
        return failWith(error, "file shorter than a database header");
    PalmDatabase read;
    size_t nameLength = bytes.find('\0');
    if (nameLength == std::string::npos || nameLength >= kPalmNameSize)
        return failWith(error, "database name is not terminated");
    read.name = bytes.substr(0, nameLength);
    read.attributes = word(bytes, 32);
    if (read.attributes & kResourceDatabase)
        return failWith(error, "resource databases are not record databases");
    read.version = word(bytes, 34);
    read.creationDate = doubleWord(bytes, 36);
    read.modificationDate = doubleWord(bytes, 40);
    read.backupDate = doubleWord(bytes, 44);
    read.modificationNumber = doubleWord(bytes, 48);
    uint32_t appInfoOffset = doubleWord(bytes, 52);
    uint32_t sortInfoOffset = doubleWord(bytes, 56);
    read.type = fourCharacters(bytes, 60);
    read.creator = fourCharacters(bytes, 64);
    read.uniqueIdSeed = doubleWord(bytes, 68);
    if (doubleWord(bytes, 72) != 0)
        return failWith(error, "chained record lists are not supported");
    size_t recordCount = word(bytes, 76);
    size_t listEnd = kPalmHeaderSize + recordCount * kPalmRecordEntrySize;
    if (listEnd > bytes.size())
        return failWith(error, "record list runs past the end of the file");

    // Every block starts after the record list, and each one where the previous ends.
    std::vector<size_t> starts;
    if (appInfoOffset != 0)
        starts.push_back(appInfoOffset);
    if (sortInfoOffset != 0)
        starts.push_back(sortInfoOffset);
    std::set<uint32_t> uniqueIds;
    for (size_t i = 0; i < recordCount; ++i) {
        size_t entry = kPalmHeaderSize + i * kPalmRecordEntrySize;
        PalmRecord record;
        uint8_t attributes = static_cast<uint8_t>(bytes[entry + 4]);
        record.flags = attributes & 0xF0;
        record.category = attributes & 0x0F;
        record.uniqueId = doubleWord(bytes, entry + 4) & kPalmLargestUniqueId;
        if (!uniqueIds.insert(record.uniqueId).second)
            return failWith(error, "two records share unique id " + std::to_string(record.uniqueId));
        starts.push_back(doubleWord(bytes, entry));
        read.records.push_back(record);
    }
    size_t previous = listEnd;
    for (size_t start : starts) {
        if (start < previous || start > bytes.size())
            return failWith(error, "block offset " + std::to_string(start) + " out of order or past the end");
        previous = start;
    }

    // A block ends where the next one starts, the last one at the end of the file.
    size_t next = 0;
    auto takeBlock = [&](std::string& block) {
        size_t start = starts[next++];
        size_t end = next < starts.size() ? starts[next] : bytes.size();
        block = bytes.substr(start, end - start);
    };
    if (appInfoOffset != 0)
        takeBlock(read.appInfo);
    if (sortInfoOffset != 0)
        takeBlock(read.sortInfo);
    for (PalmRecord& record : read.records)
        takeBlock(record.bytes);
    database = std::move(read);
    return true;
}

bool serializePalmDatabase(const PalmDatabase& database, std::string& bytes, std::string& error)
{
    if (database.name.size() >= kPalmNameSize || database.name.find('\0') != std::string::npos)
        return failWith(error, "database name longer than 31 characters");
    if (database.type.size() != 4 || database.creator.size() != 4)
        return failWith(error, "type and creator take four characters each");
    if (database.records.size() > kPalmMostRecords)
        return failWith(error, "too many records");
    size_t listEnd = kPalmHeaderSize + database.records.size() * kPalmRecordEntrySize;
    // Two zero bytes after the record list, as handhelds write it.
    size_t next = listEnd + 2;
    uint32_t appInfoOffset = database.appInfo.empty() ? 0 : static_cast<uint32_t>(next);
    next += database.appInfo.size();
    uint32_t sortInfoOffset = database.sortInfo.empty() ? 0 : static_cast<uint32_t>(next);
    next += database.sortInfo.size();
    if (next > UINT32_MAX)
        return failWith(error, "database too large");

    std::string out = database.name;
    out.resize(kPalmNameSize, '\0');
    appendWord(out, database.attributes & ~kResourceDatabase);
    appendWord(out, database.version);
    appendDoubleWord(out, database.creationDate);
    appendDoubleWord(out, database.modificationDate);
    appendDoubleWord(out, database.backupDate);
    appendDoubleWord(out, database.modificationNumber);
    appendDoubleWord(out, appInfoOffset);
    appendDoubleWord(out, sortInfoOffset);
    out += database.type;
    out += database.creator;
    appendDoubleWord(out, database.uniqueIdSeed);
    appendDoubleWord(out, 0);
    appendWord(out, static_cast<uint32_t>(database.records.size()));
    for (const PalmRecord& record : database.records) {
        if (record.uniqueId > kPalmLargestUniqueId || record.category > 0x0F)
            return failWith(error, "record id or category out of range");
        if (next + record.bytes.size() > UINT32_MAX)
            return failWith(error, "database too large");
        appendDoubleWord(out, static_cast<uint32_t>(next));
        appendDoubleWord(out, (static_cast<uint32_t>((record.flags & 0xF0) | record.category) << 24) | record.uniqueId);
        next += record.bytes.size();
    }
    out.append(2, '\0');
    out += database.appInfo;
    out += database.sortInfo;
    for (const PalmRecord& record : database.records)
        out += record.bytes;
    bytes = std::move(out);
    return true;
}

bool loadPalmDatabaseFile(const std::string& path, PalmDatabase& database, std::string& error)
{
    std::string bytes;
    return readWholeFile(path, bytes, error) && parsePalmDatabase(bytes, database, error);
}

bool savePalmDatabaseFile(const std::string& path, const PalmDatabase& database, std::string& error)
{
    std::string bytes;
    return serializePalmDatabase(database, bytes, error) && replaceFileAtomically(path, bytes, error);
}

uint32_t palmTimeNow()
{
    return static_cast<uint32_t>(std::time(nullptr)) + kSecondsFrom1904To1970;
}

}  // namespace hotsync
