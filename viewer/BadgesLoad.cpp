#include "Badges.h"

#include "ViewNumber.h"
#include "Windows1252.h"

#include <QString>

#include <algorithm>
#include <limits>

namespace Badges {

std::int16_t PageWidth = 0;
std::int16_t PageHeight = 0;
std::vector<ViewItemRecord> ViewItem(1);
std::vector<ViewPageRecord> ViewPage(1);
std::vector<ViewVariableRecord> ViewVariable(1);
std::string ViewText;
std::vector<QString> ViewFont(1);
std::int16_t CurrentPage = 0;

namespace {

constexpr char kFormatTag[] = "LORIMAND10";
constexpr int kTwipsPerInch = 1440;
constexpr int kMostRecords = std::numeric_limits<std::int16_t>::max();

// View files are written in the Windows-1252 code page; most lines are plain ASCII.
QString FromWindows1252(std::string_view bytes) {
    const bool plainAscii =
        std::all_of(bytes.begin(), bytes.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
    if (plainAscii) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes)
        *out++ = QChar(static_cast<char16_t>(codepage::fromWindows1252(static_cast<unsigned char>(byte))));
    return text;
}

std::string_view withoutLeadingBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view withoutBlanks(std::string_view text) {
    text = withoutLeadingBlanks(text);
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

// Longest field read as a plain whole number: far below the limits of RoundedValue.
constexpr std::size_t kMostPlainDigits = 9;

// Most fields are empty or a short run of digits: such a field is read in the same pass that
// finds its comma, and taken off line. False for any other field, which stays on line.
// The field readers are inline so that every field has its own scan, whose branches learn the
// usual length of that field.
inline bool takePlainWhole(std::string_view& line, std::int64_t& value) {
    const std::size_t limit = std::min(line.size(), kMostPlainDigits);
    std::int64_t whole = 0;
    std::size_t i = 0;
    for (; i < limit && line[i] >= '0' && line[i] <= '9'; ++i) whole = whole * 10 + (line[i] - '0');
    if (i < line.size() && line[i] != ',') return false;
    value = whole;
    line.remove_prefix(i < line.size() ? i + 1 : i);
    return true;
}

// Takes the next field as a number rounded to a whole one; false when it is far too large.
inline bool takeRounded(std::string_view& line, std::int64_t& value) {
    return takePlainWhole(line, value) || RoundedValue(TakeField(line), 1, value);
}

// Takes the next field as a 16-bit number; false when its value does not fit.
inline bool takeInt16(std::string_view& line, std::int16_t& value) {
    std::int64_t rounded = 0;
    if (!takeRounded(line, rounded) || !FitsInt16(rounded)) return false;
    value = static_cast<std::int16_t>(rounded);
    return true;
}

inline bool takeInt32(std::string_view& line, std::int32_t& value) {
    std::int64_t rounded = 0;
    if (!takeRounded(line, rounded) || !FitsInt32(rounded)) return false;
    value = static_cast<std::int32_t>(rounded);
    return true;
}

// Takes the next field as a flag: true when its number is not 0, before any rounding.
inline bool takeFlag(std::string_view& line) {
    std::int64_t whole = 0;
    return takePlainWhole(line, whole) ? whole != 0 : IsNonZero(TakeField(line));
}

// Every element of a report names the same typeface: a name is decoded and stored once for each
// run of elements that give it.
class FontNames {
public:
    std::uint16_t take(std::string_view bytes) {
        if (bytes.empty()) return 0;
        if (bytes != lastBytes_) {
            lastBytes_ = bytes;
            ViewFont.push_back(FromWindows1252(bytes));
        }
        return static_cast<std::uint16_t>(ViewFont.size() - 1);
    }

private:
    std::string lastBytes_;
};

// Splits one element line; false when a number does not fit its field.
bool parseElement(std::string_view line, ViewItemRecord& item, FontNames& fontNames) {
    line = withoutLeadingBlanks(line);
    const bool numbersFit =
        takeInt16(line, item.page) && takeInt16(line, item.x) && takeInt16(line, item.y) &&
        takeInt16(line, item.w) && takeInt16(line, item.h) && takeInt16(line, item.variables) &&
        takeInt16(line, item.kind) && takeInt16(line, item.horizontalAlignment) &&
        takeInt16(line, item.verticalAlignment) && takeInt16(line, item.grow) &&
        takeInt16(line, item.shrink) && takeInt32(line, item.colour) && takeInt32(line, item.fillColour);
    if (!numbersFit) return false;
    item.font = fontNames.take(TakeField(line));
    if (!takeInt16(line, item.fontSize)) return false;
    item.bold = takeFlag(line);
    item.italic = takeFlag(line);
    if (!takeInt16(line, item.lineWidth)) return false;
    const std::string_view text = withoutBlanks(line);
    item.textStart = static_cast<std::uint32_t>(ViewText.size());
    item.textLength = static_cast<std::uint32_t>(text.size());
    ViewText.append(text);
    return true;
}

// Header: tag, page width and page height in inches. False when the size does not fit.
bool readHeader(std::string_view header, bool& isViewFile) {
    isViewFile = TakeField(header) == kFormatTag;
    if (!isViewFile) return true;
    std::int64_t width = 0;
    std::int64_t height = 0;
    if (!RoundedValue(TakeField(header), kTwipsPerInch, width) || !FitsInt16(width)) return false;
    if (!RoundedValue(TakeField(header), kTwipsPerInch, height) || !FitsInt16(height)) return false;
    PageWidth = static_cast<std::int16_t>(width);
    PageHeight = static_cast<std::int16_t>(height);
    return true;
}

// Reads the open file into the emptied document; false when an error stopped the read.
bool readDocument(int handle) {
    std::string_view line;
    if (ReadInputLine(handle, line) != LineResult::Line) return false;
    bool isViewFile = false;
    if (!readHeader(line, isViewFile)) return false;
    if (!isViewFile) return true;

    FontNames fontNames;
    int pageCounter = 0;
    int itemCount = 0;
    for (;;) {
        const LineResult result = ReadInputLine(handle, line);
        if (result == LineResult::End) break;
        if (result == LineResult::Error) return false;
        if (itemCount == kMostRecords) return false;
        ViewItemRecord& item = ViewItem.emplace_back();
        if (!parseElement(line, item, fontNames)) {
            ViewItem.pop_back();
            return false;
        }
        // A page begins wherever the number differs from the count of pages so far.
        if (item.page != pageCounter) {
            if (pageCounter > 0) ViewPage.back().lastItem = static_cast<std::int16_t>(itemCount);
            ++pageCounter;
            ViewPage.push_back({static_cast<std::int16_t>(itemCount + 1), 0});
        }
        ++itemCount;
    }
    if (pageCounter > 0) ViewPage.back().lastItem = static_cast<std::int16_t>(itemCount);
    return true;
}

}  // namespace

int TotalPages() { return static_cast<int>(ViewPage.size()) - 1; }

QString ItemText(const ViewItemRecord& item) {
    return FromWindows1252(std::string_view(ViewText).substr(item.textStart, item.textLength));
}

const QString& FontName(const ViewItemRecord& item) { return ViewFont[item.font]; }

std::string_view TakeField(std::string_view& line) {
    // Fields are short: a plain scan beats a library search call here.
    const auto comma = std::find(line.begin(), line.end(), ',');
    const std::string_view field(line.begin(), comma);
    line = comma == line.end() ? std::string_view() : std::string_view(comma + 1, line.end());
    return field;
}

bool LoadViewFile(const QString& path) {
    ViewItem.assign(1, {});
    ViewPage.assign(1, {});
    ViewVariable.assign(1, {});
    ViewText.clear();
    ViewFont.assign(1, {});
    const int handle = OpenForInput(path);
    if (handle == 0) return false;
    const bool completed = readDocument(handle);
    CloseInput(handle);
    if (completed) ViewVariable.push_back({QStringLiteral("TotalPaginas"), QString::number(TotalPages())});
    return completed;
}

}  // namespace Badges
