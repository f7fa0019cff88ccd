#include "ViewFileFormat.h"

#include "RecordsetValues.h"

#include <QDateTime>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

// Value rounded to the given significant digits without exponent, trailing zeros dropped.
// Number is float or double: each is rounded from its own exact value.
constexpr std::array<double, 16> kPowersOfTen = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                  1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

template <typename Number>
void appendRounded(std::string& out, Number value, int significantDigits)
{
    if (value == 0 || !std::isfinite(value)) {
        out += '0';
        return;
    }
    // Whole numbers within the digits, most coordinates among them, are spelled as they are.
    if (value == std::trunc(value) && std::fabs(value) < kPowersOfTen[significantDigits]) {
        AppendInteger(out, static_cast<long long>(value));
        return;
    }
    // The general form needs an exponent only for very large or small values, which are
    // then spelled out in full.
    std::array<char, 400> buffer;
    char* const begin = buffer.data();
    std::to_chars_result result =
        std::to_chars(begin, begin + buffer.size(), value, std::chars_format::general, significantDigits);
    if (result.ec == std::errc() && std::find(begin, result.ptr, 'e') != result.ptr) {
        const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(static_cast<double>(value)))));
        const int decimals = std::max(0, significantDigits - 1 - magnitude);
        result = std::to_chars(begin, begin + buffer.size(), value, std::chars_format::fixed, decimals);
        if (result.ec == std::errc() && decimals > 0) {
            while (result.ptr[-1] == '0')
                --result.ptr;
            if (result.ptr[-1] == '.')
                --result.ptr;
        }
    }
    if (result.ec != std::errc()) {
        out += '0';
        return;
    }
    const std::string_view digits(begin, result.ptr - begin);
    out += digits == "-0" ? std::string_view("0") : digits;
}

}  // namespace

void AppendDecimal(std::string& out, double value, int significantDigits)
{
    appendRounded(out, value, significantDigits);
}

void AppendInteger(std::string& out, long long value)
{
    std::array<char, 24> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

void AppendSingle(std::string& out, float value)
{
    appendRounded(out, value, 7);
}

void AppendWindows1252Line(std::string& out, QStringView text)
{
    out.reserve(out.size() + static_cast<std::size_t>(text.size()));
    ForEachViewFileByte(text, [&out](unsigned char byte, qsizetype) { out += static_cast<char>(byte); });
}

double LeadingDecimal(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    std::string number;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
        number += static_cast<char>(text[i++].unicode());
    bool point = false;
    for (; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit >= u'0' && unit <= u'9')
            number += static_cast<char>(unit);
        else if (unit == u'.' && !point) {
            point = true;
            number += '.';
        } else
            break;
    }
    const char* begin = number.data();
    if (!number.empty() && number[0] == '+')
        ++begin;
    double value = 0.0;
    std::from_chars(begin, number.data() + number.size(), value);
    return value;
}

namespace {

// Three numbers of two digits each (the last two of each) with separator between them.
QString twoDigitTriple(int first, int second, int third, QChar separator)
{
    QString text(8, separator);
    const int parts[] = {first, second, third};
    for (int i = 0; i < 3; ++i) {
        text[3 * i] = QChar(u'0' + parts[i] / 10 % 10);
        text[3 * i + 1] = QChar(u'0' + parts[i] % 10);
    }
    return text;
}

}  // namespace

QString ReportDate(const QDate& date)
{
    if (!date.isValid())
        return QString();
    return twoDigitTriple(date.month(), date.day(), date.year() % 100, u'/');
}

QString ReportTime(const QTime& time)
{
    if (!time.isValid())
        return QString();
    return twoDigitTriple(time.hour(), time.minute(), time.second(), u':');
}

namespace {

// Numbers in decimal; false for any other value.
bool appendNumber(std::string& out, const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UShort:
    case QMetaType::UInt:
        AppendInteger(out, value.toLongLong());
        return true;
    case QMetaType::Float:
        AppendSingle(out, value.toFloat());
        return true;
    case QMetaType::Double:
        AppendDecimal(out, value.toDouble(), 15);
        return true;
    default:
        return false;
    }
}

}  // namespace

QString ReportValueText(const QVariant& value)
{
    if (recordsetvalues::isNull(value))
        return QString();
    std::string digits;
    if (appendNumber(digits, value))
        return QString::fromLatin1(digits);
    switch (value.typeId()) {
    case QMetaType::QDate:
        return ReportDate(value.toDate());
    case QMetaType::QTime:
        return ReportTime(value.toTime());
    case QMetaType::QDateTime: {
        const QDateTime moment = value.toDateTime();
        return ReportDate(moment.date()) + u' ' + ReportTime(moment.time());
    }
    default:
        return value.toString();
    }
}
