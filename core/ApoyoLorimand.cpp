#include "ApoyoLorimand.h"

#include "AsisRutinasApoyo.h"
#include "Recordset.h"
#include "RecordsetValues.h"
#include "ViewFile.h"
#include "ViewFileFormat.h"
#include "ViewFileTextWidth.h"

#include <QDateTime>

#include <string_view>

namespace {

constexpr float kTwipsPerInch = 1440.0f;
constexpr std::string_view kFontName = "Times New Roman";

void appendTwips(std::string& line, float inches)
{
    AppendSingle(line, inches * kTwipsPerInch);
    line += ',';
}

void appendInteger(std::string& line, long long value)
{
    AppendInteger(line, value);
    line += ',';
}

// Fields 1 to 5: page and the element's box.
void appendPlacement(std::string& line, qint16 page, float x, float y, float w, float h)
{
    appendInteger(line, page);
    appendTwips(line, x);
    appendTwips(line, y);
    appendTwips(line, w);
    appendTwips(line, h);
}

// Fields 6 to 18 of a text element; field 19 follows. A text with variables is shrunk to
// its box (field 11): its width is known only once the viewer fills them in.
void appendTextAttributes(std::string& line, bool variables, qint16 horizontalAlignment, qint16 verticalAlignment,
                          qint32 colour, qint16 fontSize, bool bold, bool italic)
{
    line += variables ? "1,0," : ",0,";
    appendInteger(line, horizontalAlignment);
    appendInteger(line, verticalAlignment);
    line += variables ? ",1," : ",,";
    appendInteger(line, colour);
    line += ',';
    line += kFontName;
    line += ',';
    appendInteger(line, fontSize);
    line += bold ? "1," : "0,";
    line += italic ? "1," : "0,";
    line += ',';
}

void writeText(ViewFile& file, bool variables, qint16 page, float x, float y, float w, float h,
               qint16 horizontalAlignment, qint16 verticalAlignment, qint32 colour, qint16 fontSize, bool bold,
               bool italic, QStringView text)
{
    std::string& line = file.line();
    appendPlacement(line, page, x, y, w, h);
    appendTextAttributes(line, variables, horizontalAlignment, verticalAlignment, colour, fontSize, bold, italic);
    AppendWindows1252Line(line, text);
    file.endLine();
}

// Calls cell(name, width, x) for each entry, x starting at the given x and growing by
// each width.
template <typename Cell>
void walkSpecification(const ColumnSpecification& specification, float x, Cell&& cell)
{
    for (const ColumnSpecification::Entry& entry : specification.entries()) {
        cell(entry.name, entry.width, x);
        x = x + entry.width;
    }
}

}  // namespace

ColumnSpecification::ColumnSpecification(const QString& text)
{
    QString rest = text;
    for (QString entry = TakeSemicolonToken(rest); !entry.isEmpty(); entry = TakeSemicolonToken(rest)) {
        QString name = TakeCommaToken(entry);
        entries_.push_back({std::move(name), static_cast<float>(LeadingDecimal(entry))});
    }
}

void ColumnSpecification::keepWithin(float x, float right, float gap)
{
    for (auto entry = entries_.begin(); entry != entries_.end(); ++entry) {
        if (x + entry->width > right) {
            entry->width = right - x;
            entries_.erase(entry->width > gap ? entry + 1 : entry, entries_.end());
            return;
        }
        x = x + entry->width;
    }
}

float PrintableRight(float pageWidth)
{
    return pageWidth - 0.33f;
}

void WriteViewFileHeader(ViewFile& file, float width, float height)
{
    std::string& line = file.line();
    line += "LORIMAND10,";
    AppendSingle(line, width);
    line += ',';
    AppendSingle(line, height);
    file.endLine();
}

void WriteViewText(ViewFile& file, qint16 page, float x, float y, float w, float h, qint16 horizontalAlignment,
                   qint16 verticalAlignment, qint32 colour, qint16 fontSize, bool bold, bool italic,
                   QStringView text)
{
    writeText(file, false, page, x, y, w, h, horizontalAlignment, verticalAlignment, colour, fontSize, bold, italic,
              text);
}

void WriteViewHeaderText(ViewFile& file, qint16 page, float x, float y, float w, float h,
                         qint16 horizontalAlignment, qint16 verticalAlignment, qint32 colour, qint16 fontSize,
                         bool bold, bool italic, QStringView text)
{
    writeText(file, true, page, x, y, w, h, horizontalAlignment, verticalAlignment, colour, fontSize, bold, italic,
              text);
}

void WriteViewBox(ViewFile& file, qint16 page, float x, float y, float w, float h, float lineWidth,
                  qint32 fillColour, qint32 outlineColour)
{
    std::string& line = file.line();
    appendPlacement(line, page, x, y, w, h);
    line += "0,2,,,,,";
    appendInteger(line, outlineColour);
    appendInteger(line, fillColour);
    line += ",,,,";
    appendTwips(line, lineWidth);
    file.endLine();
}

void WriteViewSeparator(ViewFile& file, qint16 page, float y, float w)
{
    WriteViewBox(file, page, 0.5f, y, w, 0.05f, 0.01f, viewcolour::Grey, viewcolour::Grey);
}

void WriteViewPageHeader(ViewFile& file, const QString& heading, const QString& title, const QString& subtitle,
                         qint16 page, float& y)
{
    using namespace viewalign;
    const qint32 black = viewcolour::Black;
    const QDateTime now = QDateTime::currentDateTime();
    // Blocks of 1 inch at the left (product name, heading) and at the right (page, date and
    // time) of a 7-inch header; the title and the subtitle lines are centred between them.
    constexpr float blockWidth = 1.0f;
    constexpr float centredRoom = 7.0f - 2.0f * (blockWidth + kColumnSeparation);
    const QString pageLabel = QStringLiteral("Page:");
    const float pageNumberX = 6.5f + ViewTextWidth(pageLabel, 10, false, true) + kColumnSeparation;

    WriteViewText(file, page, 0.5f, 0.5f, 1.0f, 0.2f, Left, Top, black, 12, true, true, u"Vantora");
    WriteViewText(file, page, 0.5f, 0.7f, 1.0f, 0.2f, Left, Top, black, 12, true, true,
                  FitViewText(heading, blockWidth - kColumnSeparation, 12, true, true));
    WriteViewText(file, page, 6.5f, 0.5f, 1.0f, 0.15f, Left, Top, black, 10, false, true, pageLabel);
    WriteViewHeaderText(file, page, pageNumberX, 0.5f, 7.5f - pageNumberX, 0.15f, Right, Top, black, 10, true, true,
                        QStringLiteral(" %1 of #TotalPaginas").arg(page));
    WriteViewText(file, page, 6.5f, 0.65f, 1.0f, 0.15f, Left, Top, black, 10, false, true, u"Date:");
    WriteViewText(file, page, 6.5f, 0.65f, 1.0f, 0.15f, Right, Top, black, 10, true, true, ReportDate(now.date()));
    WriteViewText(file, page, 6.5f, 0.8f, 1.0f, 0.15f, Left, Top, black, 10, false, true, u"Time:");
    WriteViewText(file, page, 6.5f, 0.8f, 1.0f, 0.15f, Right, Top, black, 10, true, true, ReportTime(now.time()));
    WriteViewText(file, page, 0.5f, 0.5f, 7.0f, 0.2f, Centre, Top, black, 14, true, true,
                  FitViewText(title, centredRoom, 14, true, true));

    const auto subtitleLineY = [](int k) { return 0.7f + 0.2f * static_cast<float>(k); };
    QString rest = subtitle;
    int lines = 0;
    for (QString part = TakeSemicolonToken(rest); !part.isEmpty(); part = TakeSemicolonToken(rest)) {
        WriteViewText(file, page, 0.5f, subtitleLineY(lines), 7.0f, 0.2f, Centre, Top, black, 12, true, true,
                      FitViewText(part, centredRoom, 12, true, true));
        ++lines;
    }
    if (subtitleLineY(lines) > y)
        y = subtitleLineY(lines);
}

void WriteViewColumnHeadings(ViewFile& file, float x, float y, float h, float lineWidth, qint32 outlineColour,
                             qint32 fillColour, qint32 textColour, qint16 fontSize, float gap,
                             const ColumnSpecification& headingSpecification, qint16 page)
{
    walkSpecification(headingSpecification, x, [&](const QString& caption, float width, float cellX) {
        WriteViewBox(file, page, cellX, y, width - gap, h, lineWidth, fillColour, outlineColour);
        WriteViewText(file, page, cellX + gap, y, width - gap, h, viewalign::Left, viewalign::Middle, textColour,
                      fontSize, true, true, FitViewText(caption, width - gap, fontSize, true, true));
    });
}

void WriteViewRow(ViewFile& file, const Recordset& records, float x, float y, float h, qint32 textColour,
                  qint16 fontSize, float gap, const ColumnSpecification& fieldSpecification, qint16 page)
{
    walkSpecification(fieldSpecification, x, [&](const QString& fieldName, float width, float cellX) {
        const int column = records.FieldIndex(fieldName);
        if (column < 0)
            return;
        const QVariant value = records.Field(column);
        if (recordsetvalues::isNull(value))
            return;
        std::string& line = file.line();
        appendPlacement(line, page, cellX + gap, y, width - gap, h);
        appendTextAttributes(line, false, viewalign::Left, viewalign::Middle, textColour, fontSize, false, true);
        AppendWindows1252Line(line, FitViewText(ReportValueText(value), width - gap, fontSize, false, true));
        file.endLine();
    });
}
