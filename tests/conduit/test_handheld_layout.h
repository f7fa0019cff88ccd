#pragma once
// A handheld record layout with one field of every type, as the application-info block of a
// handheld database describes it.
#include "FieldConversion.h"
#include "HandheldLayout.h"

#include <cstdint>
#include <string>
#include <vector>

namespace handheldtest {

inline void putWord(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value)
{
    bytes[at] = static_cast<std::uint8_t>(value >> 8);
    bytes[at + 1] = static_cast<std::uint8_t>(value);
}

// The application-info block for a record length and field descriptors.
inline std::vector<std::uint8_t> layoutBlock(std::uint16_t recordLength, const std::vector<HandheldFieldDescriptor>& fields)
{
    std::vector<std::uint8_t> block(180 + 24 * fields.size(), 0);
    putWord(block, 4, recordLength);
    putWord(block, 16, static_cast<std::uint16_t>(fields.size()));
    for (std::size_t i = 0; i < fields.size(); ++i) {
        std::size_t at = 180 + 24 * i;
        std::copy(fields[i].name.begin(), fields[i].name.end(), block.begin() + static_cast<long>(at));
        putWord(block, at + 10, fields[i].type);
        putWord(block, at + 14, fields[i].length);
        putWord(block, at + 16, fields[i].offset);
    }
    return block;
}

// Stored record: the 6-byte time stamp, then the fields; 54 bytes.
inline const std::vector<HandheldFieldDescriptor>& everyTypeFields()
{
    static const std::vector<HandheldFieldDescriptor> fields = {
        {"name", kFieldText, 10, 8},      {"code", kFieldWord, 2, 18},    {"count", kFieldDoubleWord, 4, 20},
        {"ratio", kFieldFloat, 4, 24},    {"weight", kFieldDouble, 8, 28}, {"born", kFieldDate, 4, 36},
        {"seen", kFieldTime, 3, 40},      {"fee", kFieldMoney, 4, 43},     {"visit", kFieldDateTime, 7, 47},
        {"other", 1, 2, 54},
    };
    return fields;
}

inline constexpr std::uint16_t kEveryTypeRecordLength = 56;

inline HandheldLayout everyTypeLayout()
{
    HandheldLayout layout;
    layout.recordLength = kEveryTypeRecordLength;
    layout.fields = everyTypeFields();
    return layout;
}

inline std::string asText(const std::vector<std::uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace handheldtest
