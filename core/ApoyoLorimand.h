#pragma once
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <vector>

class Recordset;
class ViewFile;

// Writers of view-file elements. Every position and size is in inches and is written in
// twips (times 1440, single precision); colours are red + 256 x green + 65536 x blue.

namespace viewcolour {
inline constexpr qint32 Black = 0;
inline constexpr qint32 White = 16777215;
inline constexpr qint32 Grey = 12895428;  // RGB 196, 196, 196
}  // namespace viewcolour

namespace viewalign {
inline constexpr qint16 Left = 0, Centre = 1, Right = 2;
inline constexpr qint16 Top = 0, Middle = 1, Bottom = 2;
}  // namespace viewalign

// A text ends at least this far (most of a blank at 10 points) before what stands next to it
// on the right in its row: the next column's text or a frame line.
inline constexpr float kColumnSeparation = 0.03f;

// Where the printable width of a page of the given width ends. Printers leave about a sixth
// of an inch unprinted at each side and the viewer prints the page from the printable
// corner, so a page prints to a third of an inch short of its width. No text or column of a
// report reaches past it.
float PrintableRight(float pageWidth);

// The header line of a page of width by height inches.
void WriteViewFileHeader(ViewFile& file, float width, float height);

// One text element in Times New Roman.
void WriteViewText(ViewFile& file, qint16 page, float x, float y, float w, float h, qint16 horizontalAlignment,
                   qint16 verticalAlignment, qint32 colour, qint16 fontSize, bool bold, bool italic,
                   QStringView text);

// The same with variables on: "#TotalPaginas" in text reads as the number of pages. Only
// the viewer knows the text it draws, so it scales the text down when that is wider than w.
void WriteViewHeaderText(ViewFile& file, qint16 page, float x, float y, float w, float h,
                         qint16 horizontalAlignment, qint16 verticalAlignment, qint32 colour, qint16 fontSize,
                         bool bold, bool italic, QStringView text);

// One box element; lineWidth in inches.
void WriteViewBox(ViewFile& file, qint16 page, float x, float y, float w, float h, float lineWidth,
                  qint32 fillColour, qint32 outlineColour);

// The grey bar that closes a page: w inches long at (0.5, y).
void WriteViewSeparator(ViewFile& file, qint16 page, float y, float w);

// Product name, heading, title, page number, date, time and the subtitle's ";"-separated
// lines; raises y to just below the subtitle lines. The title and subtitle lines are cut to
// the room between the product name on the left and the page number on the right.
void WriteViewPageHeader(ViewFile& file, const QString& heading, const QString& title, const QString& subtitle,
                         qint16 page, float& y);

// A column specification: "name,width;" entries, width in inches; an empty entry or the end
// of the text ends it, an entry with an empty name still counts. Reports read it once and
// use it for every row.
class ColumnSpecification {
public:
    struct Entry {
        QString name;
        float width = 0;
    };
    ColumnSpecification(const QString& text);  // implicit: callers hand the text as it comes
    const std::vector<Entry>& entries() const { return entries_; }
    // With the columns starting at x: narrows the column that crosses right to end there and
    // drops the columns after it, and that column too when no more than gap of it is left.
    void keepWithin(float x, float right, float gap);

private:
    std::vector<Entry> entries_;
};

// One heading cell (box and caption) per entry of headingSpecification. A caption or a cell
// text is cut to its cell, which ends where the next column's box begins.
void WriteViewColumnHeadings(ViewFile& file, float x, float y, float h, float lineWidth, qint32 outlineColour,
                             qint32 fillColour, qint32 textColour, qint16 fontSize, float gap,
                             const ColumnSpecification& headingSpecification, qint16 page);

// One cell per entry of fieldSpecification (field names) from the current record; a Null
// or a field the recordset lacks leaves its cell out.
void WriteViewRow(ViewFile& file, const Recordset& records, float x, float y, float h, qint32 textColour,
                  qint16 fontSize, float gap, const ColumnSpecification& fieldSpecification, qint16 page);
