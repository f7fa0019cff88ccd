#pragma once
#include <QString>
#include <QStringView>
#include <QtGlobal>

// Widths of texts as the viewer draws them in "Times New Roman" (served here by the
// metric-compatible Liberation Serif): the sum of the advance widths of the bytes that the
// text becomes in a view file. Kerning, which the sum leaves out, only narrows a text in this
// face, so the drawn text is never wider than measured. Sizes in points, widths in inches.

float ViewTextWidth(QStringView text, qint16 fontSize, bool bold, bool italic);

// text itself when it is at most width inches wide; otherwise its longest beginning that fits
// together with a closing "…" (without the "…" when even that does not fit).
QString FitViewText(const QString& text, float width, qint16 fontSize, bool bold, bool italic);

// The same for text followed by ending, of which only text is cut as long as ending fits: a
// name keeps the code after it.
QString FitViewText(QStringView text, QStringView ending, float width, qint16 fontSize, bool bold, bool italic);
