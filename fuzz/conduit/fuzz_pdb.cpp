// Feeds arbitrary bytes to the handheld-database reader: whatever it accepts must store again
// and read back the same.
#include "PalmDatabaseFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool sameDatabase(const hotsync::PalmDatabase& a, const hotsync::PalmDatabase& b)
{
    if (a.name != b.name || a.version != b.version || a.type != b.type || a.creator != b.creator ||
        a.uniqueIdSeed != b.uniqueIdSeed || a.appInfo != b.appInfo || a.sortInfo != b.sortInfo ||
        a.records.size() != b.records.size())
        return false;
    for (size_t i = 0; i < a.records.size(); ++i) {
        const hotsync::PalmRecord& left = a.records[i];
        const hotsync::PalmRecord& right = b.records[i];
        if (left.uniqueId != right.uniqueId || left.flags != right.flags || left.category != right.category ||
            left.bytes != right.bytes)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    hotsync::PalmDatabase database;
    std::string error;
    if (!hotsync::parsePalmDatabase(bytes, database, error)) {
        check(!error.empty());
        return 0;
    }
    size_t stored = database.appInfo.size() + database.sortInfo.size();
    for (const hotsync::PalmRecord& record : database.records)
        stored += record.bytes.size();
    check(stored <= size);

    std::string written;
    check(hotsync::serializePalmDatabase(database, written, error));
    hotsync::PalmDatabase reread;
    check(hotsync::parsePalmDatabase(written, reread, error));
    check(sameDatabase(database, reread));
    return 0;
}
