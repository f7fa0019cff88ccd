#pragma once
#include <QDate>
#include <QString>
#include <QStringView>
#include <QTime>
#include <QVariant>

#include <string>

// How values are spelled in a view file: plain decimal numbers with "." whatever the
// locale, texts in Windows-1252 on one line, dates mm/dd/yy and times hh:mm:ss.

// Appends value rounded to the given number (1 to 15) of significant digits, without exponent or
// thousands separator, trailing zeros (and a trailing ".") dropped: 720, 14.4, 935.9999.
void AppendDecimal(std::string& out, double value, int significantDigits);

// Appends an integer in decimal.
void AppendInteger(std::string& out, long long value);

// A single-precision value as the file writes it: at most seven significant digits.
void AppendSingle(std::string& out, float value);

// Appends text in Windows-1252; characters the code page lacks become "?". A line break
// (CR LF, CR or LF) becomes one blank, so the text never ends the element line early.
void AppendWindows1252Line(std::string& out, QStringView text);

// Reads the leading decimal number of text (blanks skipped, optional sign, digits, "."
// and digits); 0 when text does not start with one.
double LeadingDecimal(QStringView text);

// mm/dd/yy and 24-hour hh:mm:ss, the forms every report prints.
QString ReportDate(const QDate& date);
QString ReportTime(const QTime& time);

// A record's value as reports print it: numbers in decimal, dates mm/dd/yy, times hh:mm:ss,
// date-times both; Null gives the empty text.
QString ReportValueText(const QVariant& value);

// The same value appended to a line of the file (Windows-1252, on one line).
void AppendReportValue(std::string& out, const QVariant& value);
