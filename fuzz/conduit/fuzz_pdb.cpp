// Feeds arbitrary bytes to the handheld-database reader: whatever it accepts must store again
// and read back the same; its application-info block goes to the layout reader and every record
// through the field conversion, which must stay inside the record.
#include "FieldConversion.h"
#include "HandheldLayout.h"
#include "PalmDatabaseFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

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

// Every field of the record both ways; the record keeps its size whatever the descriptors say.
void convertEveryField(const HandheldLayout& layout, std::vector<uint8_t> record)
{
    const size_t size = record.size();
    for (const HandheldFieldDescriptor& descriptor : layout.fields) {
        std::string text;
        bool inside = ConvertField(ConversionMode::RecordToLiteral, record, text, descriptor);
        check(ConvertField(ConversionMode::TextToRecord, record, text, descriptor) == inside);
        check(ConvertField(ConversionMode::Default, record, text, descriptor) == inside);
        check(record.size() == size);
    }
}

void convertRecords(const hotsync::PalmDatabase& database)
{
    HandheldLayout layout;
    std::string error;
    if (!ReadHandheldLayout(std::vector<uint8_t>(database.appInfo.begin(), database.appInfo.end()), layout, error))
        return;
    for (const hotsync::PalmRecord& record : database.records) {
        std::vector<uint8_t> raw(record.bytes.begin(), record.bytes.end());
        convertEveryField(layout, raw);
        raw.resize(layout.storedRecordSize(), 0);
        // At the layout's own size every field was checked to fit.
        for (const HandheldFieldDescriptor& descriptor : layout.fields) {
            std::string text;
            check(ConvertField(ConversionMode::RecordToLiteral, raw, text, descriptor));
        }
    }
    std::vector<uint8_t> fresh;
    SetRecordDefaults(layout, fresh);
    check(fresh.size() == layout.storedRecordSize());
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
    convertRecords(database);
    return 0;
}
