#pragma once
// The system's single-byte code page (Windows-1252): view files, table-description files and
// the ODBC driver's character interface speak it; the database and Qt keep Unicode.
#include <string>
#include <string_view>

namespace codepage {

// The character a byte stands for; the five bytes the code page leaves unassigned stand for
// the C1 control of the same number, as Windows maps them.
char32_t fromWindows1252(unsigned char byte);

// The byte of a character; "?" for a character the code page lacks.
char toWindows1252(char32_t codePoint);

std::string windows1252ToUtf8(std::string_view text);

// Characters the code page lacks, and bytes that are not UTF-8, become "?".
std::string utf8ToWindows1252(std::string_view text);

}  // namespace codepage
