#pragma once
#include "ViewFileLimits.h"

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QImage;
class QPainter;
class QPrinter;

// The viewer's document: one view file in memory, and the routines that read, draw and print it.
namespace Badges {

struct ViewItemRecord {
    std::int16_t page = 0;
    std::int16_t x = 0, y = 0, w = 0, h = 0;  // twips
    std::int16_t variables = 0;               // 1: substitute variables in the text
    std::int16_t kind = 0;                    // 0 text, 1 picture, 2 box, 3 line
    std::int16_t horizontalAlignment = 0, verticalAlignment = 0;
    std::int16_t grow = 0, shrink = 0;
    std::int32_t colour = 0, fillColour = 0;  // red + 256 green + 65536 blue
    std::uint16_t font = 0;  // the typeface's name: its entry in ViewFont
    std::int16_t fontSize = 0;  // points
    bool bold = false, italic = false;
    std::int16_t lineWidth = 0;  // twips
    // The element's text (a picture's file name): its bytes in ViewText.
    std::uint32_t textStart = 0, textLength = 0;
};

struct ViewPageRecord {
    std::int32_t firstItem = 0;
    std::int32_t lastItem = 0;  // 0 while the page is unfinished: it draws nothing
};

struct ViewVariableRecord {
    QString name;
    QString value;
};

// Document state. Every array starts with an empty element 0; records are numbered from 1.
extern std::int16_t PageWidth;   // twips; kept from one load to the next unless a header is read
extern std::int16_t PageHeight;  // twips
extern std::vector<ViewItemRecord> ViewItem;
extern std::vector<ViewPageRecord> ViewPage;
extern std::vector<ViewVariableRecord> ViewVariable;
// The texts of all elements, one after another in the file's code page (Windows-1252): a
// document of thousands of elements then costs no allocation per text.
extern std::string ViewText;
// The typeface names the elements give; entry 0 is the empty name of an element that gives none.
// A record then holds a small number instead of a shared text.
extern std::vector<QString> ViewFont;
extern std::int16_t CurrentPage;  // set by the window, never by loading

// A file beyond what the viewer holds is refused, never shown in part.
using viewfile::kMostElements;
using viewfile::kMostPages;
using viewfile::kMostTextBytes;

// Why the last load stopped, as a sentence for the user; empty when it ran to its end or the file
// could not be opened.
extern QString LoadProblem;

// Empties the document: no elements, pages or variables; the page size stays.
void EmptyDocument();

// The text of an element, blanks around it dropped.
QString ItemText(const ViewItemRecord& item);

// The typeface an element names; empty when it names none.
const QString& FontName(const ViewItemRecord& item);

// Number of pages: the upper bound of ViewPage.
int TotalPages();

// Reads a view file into the document. True when the read ran to its end (a file that is not a
// view file included), false when an error stopped it; what was read before stays, and
// LoadProblem tells why when the file was opened.
bool LoadViewFile(const QString& path);

// Cuts the text before the first "," off line and returns it; with no comma, the whole line.
std::string_view TakeField(std::string_view& line);

// Opens a file for reading and returns its handle, or 0 when it cannot be opened.
int OpenForInput(const QString& path);
bool FileExists(const QString& path);

enum class LineResult { Line, End, Error };
// Next line of an open file without its CR, LF or CR LF end; line stays valid until the next read
// or the close. Overlong lines keep their first kMaxLineBytes bytes so that a line without end
// cannot exhaust memory.
LineResult ReadInputLine(int handle, std::string_view& line);
void CloseInput(int handle);
constexpr std::size_t kMaxLineBytes = 65536;

// Draws page CurrentPage. The painter's units are twips; it is cleared to its background first.
// picture holds each picture element while it is drawn; the painter's font carries the typeface
// from one text element to the next.
void DrawPage(QPainter& surface, QImage& picture);

// Prints pages from..to on printer with the given number of copies; a to page beyond the
// document prints nothing.
void PrintPages(QPrinter& printer, QImage& picture, int fromPage, int toPage, int copies);

}  // namespace Badges
