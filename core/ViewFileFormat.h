#pragma once
#include <QDate>
#include <QString>
#include <QStringView>
#include <QTime>
#include <QVariant>

#include "Windows1252.h"

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

// Calls visit(byte, end) for each byte that AppendWindows1252Line makes of text, end being the
// index in text just past the characters that the byte stands for.
template <typename Visit>
void ForEachViewFileByte(QStringView text, Visit&& visit)
{
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const char16_t unit = text[i].unicode();
        unsigned char byte = 0;
        if (unit == u'\r' || unit == u'\n') {
            if (unit == u'\r' && i + 1 < length && text[i + 1] == u'\n')
                ++i;
            byte = ' ';
        } else if (unit < 0x80) {
            byte = static_cast<unsigned char>(unit);  // most texts are plain ASCII
        } else if (QChar::isHighSurrogate(unit) && i + 1 < length && QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
            byte = '?';
        } else {
            byte = static_cast<unsigned char>(codepage::toWindows1252(unit));
        }
        visit(byte, i + 1);
    }
}

// Reads the leading decimal number of text (blanks skipped, optional sign, digits, "."
// and digits); 0 when text does not start with one.
double LeadingDecimal(QStringView text);

// mm/dd/yy and 24-hour hh:mm:ss, the forms every report prints.
QString ReportDate(const QDate& date);
QString ReportTime(const QTime& time);

// A record's value as reports print it: numbers in decimal, dates mm/dd/yy, times hh:mm:ss,
// date-times both; Null gives the empty text.
QString ReportValueText(const QVariant& value);
