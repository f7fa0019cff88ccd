#pragma once
// Conversion of handheld record fields to and from desktop SQL text.
#include "HandheldLayout.h"

#include <cstdint>
#include <string>
#include <vector>

enum class ConversionMode {
    RecordToLiteral = 0,  // the field as a desktop SQL literal into text
    Default = 1,          // the type's default into the field
    TextToRecord = 2      // desktop text into the field
};

enum HandheldFieldType : std::uint16_t {
    kFieldText = 0,
    kFieldWord = 3,
    kFieldDoubleWord = 4,
    kFieldFloat = 5,
    kFieldDouble = 6,
    kFieldDate = 7,
    kFieldTime = 8,
    kFieldMoney = 9,
    kFieldDateTime = 10
};

// Types 1, 2 and those above 10 are carried as they are in every direction.
bool IsConvertedType(std::uint16_t type);
// Bytes a field of a converted type takes in a stored record; 0 for the others.
std::size_t StoredFieldSize(const HandheldFieldDescriptor& descriptor);

// Converts one field of a stored record. Types other than those above are left as they are.
// False, with nothing touched, when the field does not lie inside the record.
bool ConvertField(ConversionMode mode, std::vector<std::uint8_t>& record, std::string& text,
                  const HandheldFieldDescriptor& descriptor);

// Whether two desktop texts become the same field, as the handheld stores them: cut to the
// field's width, numbers and dates as the field holds them.
bool SameWhenStored(const HandheldFieldDescriptor& descriptor, const std::string& first, const std::string& second);
// Whether the record's field holds the desktop text, as the handheld stores it.
bool FieldHolds(const HandheldFieldDescriptor& descriptor, const std::vector<std::uint8_t>& record,
                const std::string& text);

// A new stored record of the layout's size with every field at its default.
void SetRecordDefaults(const HandheldLayout& layout, std::vector<std::uint8_t>& record);
