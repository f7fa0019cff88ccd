#include "RecordsetValues.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <limits>

namespace recordsetvalues {
namespace {

enum class Kind { Null, Number, Text, Moment, TimeOfDay, Other };

Kind kindOf(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
    case QMetaType::Nullptr:
        return Kind::Null;
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Bool:
    case QMetaType::Float:
    case QMetaType::Double:
        return Kind::Number;
    case QMetaType::QString:
        return Kind::Text;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return Kind::Moment;
    case QMetaType::QTime:
        return Kind::TimeOfDay;
    default:
        return Kind::Other;
    }
}

bool isFloating(const QVariant& value)
{
    return value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float;
}

template <typename T>
int threeWay(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

constexpr qint64 kMillisecondsPerDay = 86400000;

// The database's case-insensitive order: A-Z fold to a-z, everything else by code unit.
QString foldedText(const QString& text)
{
    QString folded = text;
    for (qsizetype i = 0; i < folded.size(); ++i) {
        const char16_t unit = folded.at(i).unicode();
        if (unit >= u'A' && unit <= u'Z')
            folded[i] = QChar(char16_t(unit + (u'a' - u'A')));
    }
    return folded;
}

// Reads `count` decimal digits at `position`.
bool readDigits(std::string_view text, std::size_t position, std::size_t count, int& number)
{
    if (position + count > text.size())
        return false;
    number = 0;
    for (std::size_t i = position; i < position + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        number = number * 10 + (text[i] - '0');
    }
    return true;
}

// "YYYY-MM-DD" at the start of the text.
QDate parseIsoDate(std::string_view text)
{
    int year = 0, month = 0, day = 0;
    if (text.size() < 10 || text[4] != '-' || text[7] != '-' || !readDigits(text, 0, 4, year)
        || !readDigits(text, 5, 2, month) || !readDigits(text, 8, 2, day))
        return QDate();
    return QDate(year, month, day);
}

// "HH:MM:SS" at the position.
QTime parseIsoTime(std::string_view text, std::size_t position)
{
    int hour = 0, minute = 0, second = 0;
    if (text.size() < position + 8 || text[position + 2] != ':' || text[position + 5] != ':'
        || !readDigits(text, position, 2, hour) || !readDigits(text, position + 3, 2, minute)
        || !readDigits(text, position + 6, 2, second))
        return QTime();
    return QTime(hour, minute, second);
}

bool hasTimePart(std::string_view text)
{
    return text.size() >= 19 && (text[10] == ' ' || text[10] == 'T');
}

QString textOf(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// A stored date, time or date-time text; the text itself when it is none of them.
void storeDateText(std::string_view text, jet::ColumnType type, RecordsetRow& row, std::size_t column)
{
    if (type == jet::ColumnType::Date) {
        if (const QDate date = parseIsoDate(text); date.isValid())
            return row.setDate(column, date);
    } else if (type == jet::ColumnType::Time) {
        if (const QTime time = parseIsoTime(text, hasTimePart(text) ? 11 : 0); time.isValid())
            return row.setTime(column, time);
    } else {
        const QDate date = parseIsoDate(text);
        const QTime time = hasTimePart(text) ? parseIsoTime(text, 11) : QTime(0, 0);
        if (date.isValid() && time.isValid())
            return row.set(column, QDateTime(date, time));
    }
    row.set(column, textOf(text));
}

template <typename T>
bool fits(std::int64_t number)
{
    return number >= std::numeric_limits<T>::min() && number <= std::numeric_limits<T>::max();
}

// A number keeps its column's width; one too large for it keeps all its digits.
void storeInteger(std::int64_t number, jet::ColumnType type, RecordsetRow& row, std::size_t column)
{
    switch (type) {
    case jet::ColumnType::Integer16:
    case jet::ColumnType::Flag:
        if (fits<qint16>(number))
            return row.setInteger16(column, qint16(number));
        break;
    case jet::ColumnType::Integer32:
        if (fits<qint32>(number))
            return row.setInteger32(column, qint32(number));
        break;
    case jet::ColumnType::Double:
        return row.setDouble(column, double(number));
    case jet::ColumnType::Text:
        return row.set(column, QString::number(number));
    default:
        break;
    }
    row.setInteger64(column, number);
}

template <typename T>
bool toInteger(const QVariant& value, QVariant& stored)
{
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!ok || !fits<T>(number))
        return false;
    stored = QVariant::fromValue(T(number));
    return true;
}

}  // namespace

void ColumnConverter::convert(const jet::ValueView& value, RecordsetRow& row, std::size_t column)
{
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return storeInteger(*number, type_, row, column);
    if (const auto* real = std::get_if<double>(&value)) {
        if (type_ == jet::ColumnType::Text)
            return row.set(column, QString::number(*real, 'g', 15));
        return row.setDouble(column, *real);
    }
    const auto* text = std::get_if<std::string_view>(&value);
    if (!text)
        return row.set(column, QVariant());
    if (type_ == jet::ColumnType::Date || type_ == jet::ColumnType::Time || type_ == jet::ColumnType::DateTime)
        return storeDateText(*text, type_, row, column);
    auto shared = texts_.find(*text);
    if (shared == texts_.end()) {
        pool_->push_back(textOf(*text));
        shared = texts_.emplace(std::string(*text), &pool_->back()).first;
    }
    row.setShared(column, *shared->second);
}

bool toColumnType(const QVariant& value, jet::ColumnType type, QVariant& stored)
{
    if (isNull(value)) {
        stored = QVariant();
        return true;
    }
    switch (type) {
    case jet::ColumnType::Integer16:
    case jet::ColumnType::Flag:
        return toInteger<qint16>(value, stored);
    case jet::ColumnType::Integer32:
        return toInteger<qint32>(value, stored);
    case jet::ColumnType::Double: {
        bool ok = false;
        stored = value.toDouble(&ok);
        return ok;
    }
    case jet::ColumnType::Text:
        stored = value.toString();
        return true;
    case jet::ColumnType::Date: {
        const QDate date = value.typeId() == QMetaType::QString
                               ? QDate::fromString(value.toString(), Qt::ISODate)
                               : value.toDate();
        stored = date;
        return date.isValid();
    }
    case jet::ColumnType::Time: {
        const QTime time = value.typeId() == QMetaType::QString
                               ? QTime::fromString(value.toString(), Qt::ISODate)
                               : value.toTime();
        stored = time;
        return time.isValid();
    }
    case jet::ColumnType::DateTime: {
        const QDateTime moment = value.typeId() == QMetaType::QDate ? value.toDate().startOfDay()
                                 : value.typeId() == QMetaType::QString
                                     ? QDateTime::fromString(value.toString(), Qt::ISODate)
                                     : value.toDateTime();
        stored = moment;
        return moment.isValid();
    }
    case jet::ColumnType::Unknown:
        stored = value;
        return true;
    }
    return false;
}

bool isNull(const QVariant& value)
{
    return !value.isValid() || value.isNull();
}

SortKey sortKeyOf(const QVariant& value)
{
    SortKey key;
    const Kind kind = isNull(value) ? Kind::Null : kindOf(value);
    key.kind = int(kind);
    switch (kind) {
    case Kind::Null:
        break;
    case Kind::Number:
        key.floating = isFloating(value);
        if (key.floating)
            key.real = value.toDouble();
        else
            key.integer = value.toLongLong();
        break;
    case Kind::Text:
        key.text = foldedText(*static_cast<const QString*>(value.constData()));
        break;
    case Kind::Moment: {
        // Wall-clock time: a date is its midnight. A date is keyed without a QDateTime, whose
        // local-time lookup would cost a time-zone query for every row of a large sort.
        if (value.typeId() == QMetaType::QDate) {
            const QDate date = *static_cast<const QDate*>(value.constData());
            if (date.isValid())
                key.integer = date.toJulianDay() * kMillisecondsPerDay;
            break;
        }
        const QDateTime moment = value.toDateTime();
        if (!moment.isValid())
            break;
        key.integer = moment.date().toJulianDay() * kMillisecondsPerDay + moment.time().msecsSinceStartOfDay();
        break;
    }
    case Kind::TimeOfDay:
        key.integer = value.toTime().msecsSinceStartOfDay();
        break;
    case Kind::Other:
        key.text = foldedText(value.toString());
        break;
    }
    return key;
}

int compare(const SortKey& a, const SortKey& b)
{
    if (a.kind != b.kind)
        return threeWay(a.kind, b.kind);
    if (a.floating || b.floating) {
        const double left = a.floating ? a.real : double(a.integer);
        const double right = b.floating ? b.real : double(b.integer);
        return threeWay(left, right);
    }
    if (a.integer != b.integer)
        return threeWay(a.integer, b.integer);
    return a.text.compare(b.text, Qt::CaseSensitive);
}

int compare(const QVariant& a, const QVariant& b)
{
    return compare(sortKeyOf(a), sortKeyOf(b));
}

}  // namespace recordsetvalues
