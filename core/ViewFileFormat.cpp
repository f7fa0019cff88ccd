#include "ViewFileFormat.h"

#include "RecordsetValues.h"

#include <QDateTime>

#include <array>
#include <charconv>
#include <cmath>

void AppendDecimal(std::string& out, double value, int significantDigits)
{
    if (value == 0.0 || !std::isfinite(value)) {
        out += '0';
        return;
    }
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::max(0, significantDigits - 1 - magnitude);
    std::array<char, 400> buffer;
    auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, decimals);
    if (error != std::errc()) {
        out += '0';
        return;
    }
    const char* begin = buffer.data();
    if (decimals > 0) {
        while (end[-1] == '0')
            --end;
        if (end[-1] == '.')
            --end;
    }
    const std::string_view digits(begin, end - begin);
    out += digits == "-0" ? std::string_view("0") : digits;
}

void AppendInteger(std::string& out, long long value)
{
    std::array<char, 24> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    out.append(buffer.data(), result.ptr);
}

void AppendSingle(std::string& out, float value)
{
    AppendDecimal(out, value, 7);
}

namespace {

// Windows-1252 bytes 0x80 to 0x9F and the characters they stand for; the five bytes the
// code page leaves unassigned pass the C1 control of the same number, as Windows does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char windows1252Byte(char16_t unit)
{
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF))
        return static_cast<char>(unit);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == unit)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

void AppendWindows1252Line(std::string& out, QStringView text)
{
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t unit = text[i].unicode();
        if (unit == u'\r' || unit == u'\n') {
            if (unit == u'\r' && i + 1 < length && text[i + 1] == u'\n')
                ++i;
            out += ' ';
        } else if (QChar::isHighSurrogate(unit) && i + 1 < length && QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
            out += '?';
        } else {
            out += windows1252Byte(unit);
        }
    }
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

QString ReportDate(const QDate& date)
{
    return date.toString(u"MM/dd/yy");
}

QString ReportTime(const QTime& time)
{
    return time.toString(u"HH:mm:ss");
}

QString ReportValueText(const QVariant& value)
{
    if (recordsetvalues::isNull(value))
        return QString();
    std::string digits;
    switch (value.typeId()) {
    case QMetaType::Short:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UShort:
    case QMetaType::UInt:
        AppendInteger(digits, value.toLongLong());
        return QString::fromLatin1(digits);
    case QMetaType::Float:
        AppendSingle(digits, value.toFloat());
        return QString::fromLatin1(digits);
    case QMetaType::Double:
        AppendDecimal(digits, value.toDouble(), 15);
        return QString::fromLatin1(digits);
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
