#include "DemoHandheld.h"

#include "FieldConversion.h"
#include "SyncManager.h"
#include "TempDir.h"

#include <stdexcept>

namespace demohandheld {

namespace {

void putWord(std::string& bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<char>(value >> 8);
    bytes[at + 1] = static_cast<char>(value & 0xFF);
}

void setField(const HandheldLayout& layout, std::vector<std::uint8_t>& record, const std::string& name,
              std::string text)
{
    for (const HandheldFieldDescriptor& field : layout.fields)
        if (field.name == name && ConvertField(ConversionMode::TextToRecord, record, text, field))
            return;
    throw std::logic_error("no field " + name);
}

std::vector<std::uint8_t> newRecord(const HandheldLayout& layout, const std::string& recordStamp)
{
    std::vector<std::uint8_t> record;
    SetRecordDefaults(layout, record);
    std::copy(recordStamp.begin(), recordStamp.end(), record.begin());
    return record;
}

}  // namespace

std::string stamp(int year, int month, int day, int hour, int minute, int second)
{
    return std::string{static_cast<char>(year - 2000), static_cast<char>(month), static_cast<char>(day),
                       static_cast<char>(hour), static_cast<char>(minute), static_cast<char>(second)};
}

HandheldLayout patientLayout()
{
    HandheldLayout layout;
    layout.recordLength = 82;
    layout.fields = {{"id", kFieldWord, 2, 8},         {"names", kFieldText, 40, 10},   {"birth", kFieldDate, 4, 50},
                     {"account", kFieldText, 20, 54},  {"insurance", kFieldWord, 2, 74}, {"facility", kFieldWord, 2, 76},
                     {"ward", kFieldWord, 2, 78},      {"doctor", kFieldWord, 2, 80}};
    return layout;
}

HandheldLayout historyLayout()
{
    HandheldLayout layout;
    layout.recordLength = 14;
    layout.fields = {{"id", kFieldWord, 2, 8}, {"sickness", kFieldWord, 2, 10}, {"type", kFieldWord, 2, 12}};
    return layout;
}

HandheldLayout preferenceLayout()
{
    HandheldLayout layout;
    layout.recordLength = 16;
    layout.fields = {{"rancod", kFieldDoubleWord, 4, 8}, {"owner", kFieldText, 4, 12}};
    return layout;
}

std::string layoutBlock(const HandheldLayout& layout)
{
    std::string block(180 + 24 * layout.fields.size(), '\0');
    putWord(block, 4, layout.recordLength);
    putWord(block, 16, static_cast<std::uint16_t>(layout.fields.size()));
    for (std::size_t i = 0; i < layout.fields.size(); ++i) {
        const HandheldFieldDescriptor& field = layout.fields[i];
        std::size_t at = 180 + 24 * i;
        block.replace(at, field.name.size(), field.name);
        putWord(block, at + 10, field.type);
        putWord(block, at + 14, field.length);
        putWord(block, at + 16, field.offset);
    }
    return block;
}

std::string patientBytes(const std::string& recordStamp, const Patient& patient)
{
    HandheldLayout layout = patientLayout();
    std::vector<std::uint8_t> record = newRecord(layout, recordStamp);
    setField(layout, record, "id", std::to_string(patient.id));
    setField(layout, record, "names", patient.names);
    setField(layout, record, "birth", patient.birth);
    setField(layout, record, "account", patient.account);
    setField(layout, record, "insurance", std::to_string(patient.insurance));
    setField(layout, record, "facility", std::to_string(patient.facility));
    setField(layout, record, "ward", std::to_string(patient.ward));
    setField(layout, record, "doctor", std::to_string(patient.doctor));
    return std::string(record.begin(), record.end());
}

std::string historyBytes(int patientId, int sicknessCode, int sicknessTypeCode)
{
    HandheldLayout layout = historyLayout();
    std::vector<std::uint8_t> record = newRecord(layout, stamp(2000, 0, 0, 0, 0, 0));
    setField(layout, record, "id", std::to_string(patientId));
    setField(layout, record, "sickness", std::to_string(sicknessCode));
    setField(layout, record, "type", std::to_string(sicknessTypeCode));
    return std::string(record.begin(), record.end());
}

std::string patientField(const std::string& bytes, const std::string& fieldName)
{
    HandheldLayout layout = patientLayout();
    std::vector<std::uint8_t> record(bytes.begin(), bytes.end());
    record.resize(layout.storedRecordSize(), 0);
    for (const HandheldFieldDescriptor& field : layout.fields) {
        std::string literal;
        if (field.name == fieldName && ConvertField(ConversionMode::RecordToLiteral, record, literal, field))
            return literal;
    }
    throw std::logic_error("no field " + fieldName);
}

void setPatientField(std::string& bytes, const std::string& fieldName, const std::string& text)
{
    HandheldLayout layout = patientLayout();
    std::vector<std::uint8_t> record(bytes.begin(), bytes.end());
    setField(layout, record, fieldName, text);
    bytes.assign(record.begin(), record.end());
}

hotsync::PalmDatabase emptyDatabase(const std::string& name, const HandheldLayout& layout)
{
    hotsync::PalmDatabase database;
    database.name = name;
    database.creator = "VLVX";
    database.appInfo = layoutBlock(layout);
    return database;
}

void newPatientsWithHistory(int count, int historyPerPatient, hotsync::PalmDatabase& patients,
                            hotsync::PalmDatabase& history)
{
    patients = emptyDatabase(kPatientsDatabase, patientLayout());
    history = emptyDatabase(kHistoryDatabase, historyLayout());
    for (int id = 1; id <= count; ++id) {
        patients.records.push_back({static_cast<std::uint32_t>(id), SYNC_REC_DIRTY, 0,
                                    patientBytes(stamp(2026, 12, 2, 9, 0, 0), Patient{id, "HANDHELD " + std::to_string(id)})});
        for (int sickness = 1; sickness <= historyPerPatient; ++sickness)
            history.records.push_back({static_cast<std::uint32_t>(id * historyPerPatient + sickness), SYNC_REC_DIRTY, 0,
                                       historyBytes(id, sickness, 1)});
    }
}

hotsync::PalmDatabase preferenceDatabase(std::int32_t rancod)
{
    HandheldLayout layout = preferenceLayout();
    hotsync::PalmDatabase database = emptyDatabase(kPreferenceDatabase, layout);
    std::vector<std::uint8_t> record = newRecord(layout, stamp(2000, 0, 0, 0, 0, 0));
    setField(layout, record, "rancod", std::to_string(rancod));
    database.records.push_back(hotsync::PalmRecord{1, 0, 0, std::string(record.begin(), record.end())});
    return database;
}

void writeHotSyncUser(const std::string& folder, const std::string& name, std::uint32_t id)
{
    testsupport::writeFile(folder + "/HotSyncUser", "Name=" + name + "\nId=" + std::to_string(id) + "\n");
}

}  // namespace demohandheld
