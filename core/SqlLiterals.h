#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// Literal pieces of the SQL text the desktop program builds by concatenation. The "#" and
// quote delimiters belong to the statements themselves.

// The text with every single quote doubled (O'Brien gives O''Brien), so that any typed text,
// placed between quotes, is stored unchanged and can never end its literal early.
QString SqlQuotesDoubled(const QString& text);

// mm/dd/yyyy
QString SqlDateMonthFirst(const QDate& date);
// yyyy/mm/dd
QString SqlDateYearFirst(const QDate& date);
// hh:MM:ss, 24-hour
QString SqlTime(const QTime& time);
// yyyy/mm/dd hh:MM:ss, the change stamp of a patient row
QString SqlStamp(const QDateTime& moment);
