#include "SqlLiterals.h"

namespace {
QString twoDigits(int number)
{
    return QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0'));
}

QString fourDigits(int number)
{
    return QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0'));
}
}  // namespace

QString SqlQuotesDoubled(const QString& text)
{
    QString doubled = text;
    return doubled.replace(QLatin1Char('\''), QStringLiteral("''"));
}

QString SqlDateMonthFirst(const QDate& date)
{
    return twoDigits(date.month()) + QLatin1Char('/') + twoDigits(date.day()) + QLatin1Char('/')
           + fourDigits(date.year());
}

QString SqlDateYearFirst(const QDate& date)
{
    return fourDigits(date.year()) + QLatin1Char('/') + twoDigits(date.month()) + QLatin1Char('/')
           + twoDigits(date.day());
}

QString SqlTime(const QTime& time)
{
    return twoDigits(time.hour()) + QLatin1Char(':') + twoDigits(time.minute()) + QLatin1Char(':')
           + twoDigits(time.second());
}

QString SqlStamp(const QDateTime& moment)
{
    return SqlDateYearFirst(moment.date()) + QLatin1Char(' ') + SqlTime(moment.time());
}
