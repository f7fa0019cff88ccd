#pragma once
#include <QString>

// Splitting of the small separated texts the program passes around (column
// specifications, subtitles, choice lists).

// Returns the part of text before its first ","; text loses that part and the comma.
// Without a comma the whole text is returned and text becomes empty.
QString TakeCommaToken(QString& text);

// The same at the first ";".
QString TakeSemicolonToken(QString& text);
