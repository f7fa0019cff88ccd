#include "FieldConversion.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cfloat>
#include <cstdio>
#include <cstring>
#include <limits>

namespace {

constexpr int kDefaultYear = 1990;

struct DateTimeParts {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

std::uint16_t readWord(const std::uint8_t* at)
{
    return static_cast<std::uint16_t>((at[0] << 8) | at[1]);
}

std::int32_t readDoubleWord(const std::uint8_t* at)
{
    return static_cast<std::int32_t>((static_cast<std::uint32_t>(at[0]) << 24) | (static_cast<std::uint32_t>(at[1]) << 16) |
                                     (static_cast<std::uint32_t>(at[2]) << 8) | at[3]);
}

void writeWord(std::uint8_t* at, std::uint16_t value)
{
    at[0] = static_cast<std::uint8_t>(value >> 8);
    at[1] = static_cast<std::uint8_t>(value);
}

void writeDoubleWord(std::uint8_t* at, std::uint32_t value)
{
    writeWord(at, static_cast<std::uint16_t>(value >> 16));
    writeWord(at + 2, static_cast<std::uint16_t>(value));
}

std::string trimmed(const std::string& text)
{
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The leading decimal integer of the text, as atol reads it (0 without one), held to 64 bits.
long long leadingInteger(const std::string& text)
{
    std::string number = trimmed(text);
    std::size_t at = number.empty() || (number[0] != '-' && number[0] != '+') ? 0 : 1;
    bool negative = at == 1 && number[0] == '-';
    long long value = 0;
    for (; at < number.size() && std::isdigit(static_cast<unsigned char>(number[at])); ++at)
        value = value > (std::numeric_limits<long long>::max() - 9) / 10 ? value : value * 10 + (number[at] - '0');
    return negative ? -value : value;
}

double decimalValue(const std::string& text)
{
    std::string number = trimmed(text);
    const char* first = number.data() + (!number.empty() && number[0] == '+' ? 1 : 0);
    double value = 0;
    std::from_chars(first, number.data() + number.size(), value);
    return value;
}

// Cents of a decimal text, cut toward zero. Plain decimals are read digit by digit so that
// "12.34" gives 1234 exactly; other forms (exponents) go through a double.
std::int32_t centsOf(const std::string& text)
{
    std::string number = trimmed(text);
    bool negative = !number.empty() && number[0] == '-';
    std::string digits = number.substr(!number.empty() && (number[0] == '-' || number[0] == '+') ? 1 : 0);
    std::size_t point = digits.find('.');
    std::string whole = digits.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : digits.substr(point + 1);
    auto allDigits = [](const std::string& part) {
        return std::all_of(part.begin(), part.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
    };
    double cents = 0;
    if (!whole.empty() && allDigits(whole) && allDigits(fraction)) {
        fraction = (fraction + "00").substr(0, 2);
        cents = static_cast<double>(leadingInteger(whole)) * 100 + std::stoi(fraction);
        cents = negative ? -cents : cents;
    } else {
        cents = std::trunc(decimalValue(number) * 100);
    }
    cents = std::clamp(cents, double(std::numeric_limits<std::int32_t>::min()), double(std::numeric_limits<std::int32_t>::max()));
    return static_cast<std::int32_t>(cents);
}

// The numbers of a desktop date-time text "%d-%d-%d %d:%d:%d"; those missing stay 0.
DateTimeParts dateTimeParts(const std::string& text)
{
    DateTimeParts parts;
    std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &parts.year, &parts.month, &parts.day, &parts.hour, &parts.minute,
                &parts.second);
    return parts;
}

std::string formatted(const char* format, int a, int b, int c, int d = 0, int e = 0, int f = 0)
{
    char text[64];
    std::snprintf(text, sizeof text, format, a, b, c, d, e, f);
    return text;
}

std::string textLiteral(const std::uint8_t* field, std::size_t length)
{
    std::size_t used = std::find(field, field + length, 0) - field;
    std::string literal = "'";
    for (std::size_t i = 0; i < used; ++i) {
        char c = static_cast<char>(field[i]);
        literal += c;
        if (c == '\'')
            literal += '\'';
    }
    return literal + "'";
}

std::string moneyLiteral(std::int32_t cents)
{
    long long magnitude = std::llabs(static_cast<long long>(cents));
    char text[32];
    std::snprintf(text, sizeof text, "%s%lld.%02lld", cents < 0 ? "-" : "", magnitude / 100, magnitude % 100);
    return text;
}

template <typename Number>
std::string fixedLiteral(Number value)
{
    char text[400];
    auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 6);
    return std::string(text, written.ptr);
}

template <typename Number>
Number nativeValue(const std::uint8_t* at)
{
    Number value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

template <typename Number>
void storeNative(std::uint8_t* at, Number value)
{
    std::memcpy(at, &value, sizeof value);
}

std::string toLiteral(const std::uint8_t* field, const HandheldFieldDescriptor& descriptor)
{
    switch (descriptor.type) {
    case kFieldText:
        return textLiteral(field, descriptor.length);
    case kFieldWord:
        return std::to_string(readWord(field));
    case kFieldDoubleWord:
        return std::to_string(readDoubleWord(field));
    case kFieldFloat:
        return fixedLiteral(nativeValue<float>(field));
    case kFieldDouble:
        return fixedLiteral(nativeValue<double>(field));
    case kFieldDate:
        return formatted("#%d-%d-%d#", readWord(field), field[2], field[3]);
    case kFieldTime:
        return formatted("#%02d:%02d:%02d#", field[0], field[1], field[2]);
    case kFieldMoney:
        return moneyLiteral(readDoubleWord(field));
    default:  // kFieldDateTime
        return formatted("#%d-%d-%d %02d:%02d:%02d#", readWord(field), field[2], field[3], field[4], field[5], field[6]);
    }
}

void storeDateTime(std::uint8_t* field, std::uint16_t type, const DateTimeParts& parts)
{
    if (type == kFieldTime) {
        field[0] = static_cast<std::uint8_t>(parts.hour);
        field[1] = static_cast<std::uint8_t>(parts.minute);
        field[2] = static_cast<std::uint8_t>(parts.second);
        return;
    }
    writeWord(field, static_cast<std::uint16_t>(parts.year));
    field[2] = static_cast<std::uint8_t>(parts.month);
    field[3] = static_cast<std::uint8_t>(parts.day);
    if (type == kFieldDateTime) {
        field[4] = static_cast<std::uint8_t>(parts.hour);
        field[5] = static_cast<std::uint8_t>(parts.minute);
        field[6] = static_cast<std::uint8_t>(parts.second);
    }
}

void storeText(std::uint8_t* field, const HandheldFieldDescriptor& descriptor, const std::string& text)
{
    switch (descriptor.type) {
    case kFieldText: {
        std::size_t copied = std::min<std::size_t>(text.size(), descriptor.length);
        std::memset(field, 0, descriptor.length);
        std::memcpy(field, text.data(), copied);
        break;
    }
    case kFieldWord:
        writeWord(field, static_cast<std::uint16_t>(leadingInteger(text)));
        break;
    case kFieldDoubleWord:
        writeDoubleWord(field, static_cast<std::uint32_t>(leadingInteger(text)));
        break;
    case kFieldFloat:
        storeNative(field, static_cast<float>(std::clamp(decimalValue(text), double(-FLT_MAX), double(FLT_MAX))));
        break;
    case kFieldDouble:
        storeNative(field, decimalValue(text));
        break;
    case kFieldMoney:
        writeDoubleWord(field, static_cast<std::uint32_t>(centsOf(text)));
        break;
    default:  // dates and times
        storeDateTime(field, descriptor.type, dateTimeParts(text));
        break;
    }
}

void storeDefault(std::uint8_t* field, const HandheldFieldDescriptor& descriptor)
{
    std::memset(field, 0, StoredFieldSize(descriptor));
    if (descriptor.type == kFieldDate || descriptor.type == kFieldDateTime)
        storeDateTime(field, descriptor.type, DateTimeParts{kDefaultYear, 1, 1, 0, 0, 0});
}

}  // namespace

bool IsConvertedType(std::uint16_t type)
{
    return type == kFieldText || (type >= kFieldWord && type <= kFieldDateTime);
}

std::size_t StoredFieldSize(const HandheldFieldDescriptor& descriptor)
{
    switch (descriptor.type) {
    case kFieldText:
        return descriptor.length;
    case kFieldWord:
        return 2;
    case kFieldDoubleWord:
    case kFieldFloat:
    case kFieldMoney:
    case kFieldDate:
        return 4;
    case kFieldDouble:
        return 8;
    case kFieldTime:
        return 3;
    case kFieldDateTime:
        return 7;
    default:
        return 0;
    }
}

bool ConvertField(ConversionMode mode, std::vector<std::uint8_t>& record, std::string& text,
                  const HandheldFieldDescriptor& descriptor)
{
    if (!IsConvertedType(descriptor.type))
        return true;
    std::size_t size = StoredFieldSize(descriptor);
    if (descriptor.offset < 2 || descriptor.offset - 2u + size > record.size())
        return false;
    if (size == 0) {  // a text field of no length holds the empty text
        if (mode == ConversionMode::RecordToLiteral)
            text = "''";
        return true;
    }
    std::uint8_t* field = record.data() + (descriptor.offset - 2);
    switch (mode) {
    case ConversionMode::RecordToLiteral:
        text = toLiteral(field, descriptor);
        break;
    case ConversionMode::Default:
        storeDefault(field, descriptor);
        break;
    case ConversionMode::TextToRecord:
        storeText(field, descriptor, text);
        break;
    }
    return true;
}

bool SameWhenStored(const HandheldFieldDescriptor& descriptor, const std::string& first, const std::string& second)
{
    std::vector<std::uint8_t> record(descriptor.offset + StoredFieldSize(descriptor), 0);
    std::string text = first;
    ConvertField(ConversionMode::TextToRecord, record, text, descriptor);
    return FieldHolds(descriptor, record, second);
}

bool FieldHolds(const HandheldFieldDescriptor& descriptor, const std::vector<std::uint8_t>& record,
                const std::string& text)
{
    std::vector<std::uint8_t> holding = record;
    std::string converted = text;
    ConvertField(ConversionMode::TextToRecord, holding, converted, descriptor);
    return holding == record;
}

void SetRecordDefaults(const HandheldLayout& layout, std::vector<std::uint8_t>& record)
{
    record.assign(layout.storedRecordSize(), 0);
    std::string unused;
    for (const HandheldFieldDescriptor& descriptor : layout.fields)
        ConvertField(ConversionMode::Default, record, unused, descriptor);
}
