#include "Badges.h"

#include "ViewNumber.h"
#include "Windows1252.h"

#include <QFileInfo>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <new>

namespace Badges {

std::int16_t PageWidth = 0;
std::int16_t PageHeight = 0;
std::vector<ViewItemRecord> ViewItem(1);
std::vector<ViewPageRecord> ViewPage(1);
std::vector<ViewVariableRecord> ViewVariable(1);
std::string ViewText;
std::vector<QString> ViewFont(1);
std::int16_t CurrentPage = 0;
QString LoadProblem;

namespace {

constexpr char kFormatTag[] = "LORIMAND10";
constexpr int kTwipsPerInch = 1440;

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

// Element lines are read from a copy with kReadAhead zero bytes after the line, so that digits are
// read eight at a time without a branch per digit: the lengths of fields vary from line to line,
// and a branch per digit would be mispredicted at nearly every field.
constexpr std::size_t kReadAhead = 8;
constexpr std::int64_t kPowersOfTen[kReadAhead + 1] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000};
static_assert(std::endian::native == std::endian::little, "digits are read as a little-endian word");
// The field readers below are always inlined: a call per field costs as much as reading it.

// The digits that begin at line[i], at most eight of them: their value; returns where they end.
// A zero byte stops them, so the read never passes the copy's read-ahead.
[[gnu::always_inline]] inline std::size_t scanDigits(std::string_view line, std::size_t i, std::int64_t& value) {
    std::uint64_t bytes = 0;
    std::memcpy(&bytes, line.data() + i, kReadAhead);
    const std::uint64_t digits = bytes ^ 0x3030303030303030;  // "0" to "9" become 0 to 9
    // The high bit of every byte that is not a digit, that is above 9 after the exclusive or.
    const std::uint64_t others = (((digits & 0x7F7F7F7F7F7F7F7F) + 0x7676767676767676) | digits) & 0x8080808080808080;
    const std::size_t count = static_cast<std::size_t>(std::countr_zero(others)) / 8;
    if (count == 0) {
        value = 0;
        return i;
    }
    // The digits moved to the word's top, so that missing ones read as leading zeros, then joined
    // pairwise: two-digit, four-digit and finally the eight-digit value.
    std::uint64_t word = digits << (64 - 8 * count);
    word = word * 10 + (word >> 8);
    word = (((word & 0x000000FF000000FF) * (100 + (1000000ULL << 32))) +
            (((word >> 16) & 0x000000FF000000FF) * (1 + (10000ULL << 32)))) >> 32;
    value = static_cast<std::int64_t>(word);
    return i + count;
}

// Takes a field that ends at i off line; false when something else than a comma stands there.
[[gnu::always_inline]] inline bool takeFieldEndingAt(std::string_view& line, std::size_t i) {
    if (i < line.size() && line[i] != ',') return false;
    line.remove_prefix(i < line.size() ? i + 1 : i);
    return true;
}

// Most fields are empty or a short run of digits: such a field is read in the same pass that
// finds its comma, and taken off line. False for any other field, which stays on line.
[[gnu::always_inline]] inline bool takePlainWhole(std::string_view& line, std::int64_t& value) {
    std::int64_t whole = 0;
    if (!takeFieldEndingAt(line, scanDigits(line, 0, whole))) return false;
    value = whole;
    return true;
}

// The same for a short decimal such as 14.4 (the box heights and line widths of every report),
// rounded to a whole number with halves going to the even neighbour.
[[gnu::always_inline]] inline bool takePlainRounded(std::string_view& line, std::int64_t& value) {
    std::int64_t whole = 0;
    std::size_t i = scanDigits(line, 0, whole);
    if (i < line.size() && line[i] == '.') {
        std::int64_t fraction = 0;
        const std::size_t end = scanDigits(line, i + 1, fraction);
        const std::int64_t half = kPowersOfTen[end - i - 1];  // twice the fraction against one whole
        if (2 * fraction > half || (2 * fraction == half && whole % 2 != 0)) ++whole;
        i = end;
    }
    if (!takeFieldEndingAt(line, i)) return false;
    value = whole;
    return true;
}

// Takes the next field as a number rounded to a whole one; false when it is far too large.
[[gnu::always_inline]] inline bool takeRounded(std::string_view& line, std::int64_t& value) {
    return takePlainRounded(line, value) || RoundedValue(TakeField(line), 1, value);
}

// Takes the next field as a 16-bit number; false when its value does not fit.
[[gnu::always_inline]] inline bool takeInt16(std::string_view& line, std::int16_t& value) {
    std::int64_t rounded = 0;
    if (!takeRounded(line, rounded) || !FitsInt16(rounded)) return false;
    value = static_cast<std::int16_t>(rounded);
    return true;
}

[[gnu::always_inline]] inline bool takeInt32(std::string_view& line, std::int32_t& value) {
    std::int64_t rounded = 0;
    if (!takeRounded(line, rounded) || !FitsInt32(rounded)) return false;
    value = static_cast<std::int32_t>(rounded);
    return true;
}

// Takes the next field as a flag: true when its number is not 0, before any rounding.
[[gnu::always_inline]] inline bool takeFlag(std::string_view& line) {
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

// Fields 6 to 18 of an element line, from kind and alignments to the line width; false when a
// number does not fit its field.
bool parseStyle(std::string_view& line, ViewItemRecord& item, FontNames& fontNames) {
    const bool numbersFit = takeInt16(line, item.variables) && takeInt16(line, item.kind) &&
                            takeInt16(line, item.horizontalAlignment) && takeInt16(line, item.verticalAlignment) &&
                            takeInt16(line, item.grow) && takeInt16(line, item.shrink) &&
                            takeInt32(line, item.colour) && takeInt32(line, item.fillColour);
    if (!numbersFit) return false;
    item.font = fontNames.take(TakeField(line));
    if (!takeInt16(line, item.fontSize)) return false;
    item.bold = takeFlag(line);
    item.italic = takeFlag(line);
    return takeInt16(line, item.lineWidth);
}

// A report's lines come in a handful of styles (fields 6 to 18 as bytes): every label alike,
// every value alike, every rule alike. The last styles read are kept with their values, so that
// a line in a known style reads only its page, its box and its text.
class RecentStyles {
public:
    // When line begins with a kept style: its values into item, and line moves on to the text.
    // line must be followed by kReadAhead readable bytes.
    bool take(std::string_view& line, ViewItemRecord& item) const {
        const std::uint64_t start = firstBytes(line.data());
        for (const Style& style : styles_) {
            // The first bytes turn most other styles away without a call.
            if (style.start != start || style.bytes.empty() || !line.starts_with(style.bytes)) continue;
            item = style.values;
            line.remove_prefix(style.bytes.size());
            return true;
        }
        return false;
    }

    // Keeps the style that bytes read into item; only a whole one, up to the comma before the text.
    void keep(std::string_view bytes, const ViewItemRecord& item) {
        constexpr std::ptrdiff_t kStyleCommas = 13;
        if (std::count(bytes.begin(), bytes.end(), ',') != kStyleCommas || !bytes.ends_with(',')) return;
        Style& style = styles_[next_];
        next_ = (next_ + 1) % styles_.size();
        style.bytes.assign(bytes);
        style.start = firstBytes(style.bytes.data());  // a style is longer than kReadAhead bytes
        style.values = item;
    }

private:
    static std::uint64_t firstBytes(const char* bytes) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, kReadAhead);
        return word;
    }

    struct Style {
        std::string bytes;
        std::uint64_t start = 0;  // its first kReadAhead bytes
        ViewItemRecord values;
    };
    std::array<Style, 16> styles_;  // a page header and the charges below it use about a dozen
    std::size_t next_ = 0;
};

// Reads element lines, one after the other, into records.
class ElementParser {
public:
    // Splits one element line; false when a number does not fit its field.
    bool parse(std::string_view line, ViewItemRecord& item) {
        line = withoutLeadingBlanks(line);
        copy_.assign(line);
        copy_.append(kReadAhead, '\0');
        line = std::string_view(copy_.data(), line.size());

        std::int16_t page = 0, x = 0, y = 0, w = 0, h = 0;
        if (!(takeInt16(line, page) && takeInt16(line, x) && takeInt16(line, y) && takeInt16(line, w) &&
              takeInt16(line, h)))
            return false;
        if (!styles_.take(line, item)) {
            const std::string_view style = line;
            if (!parseStyle(line, item, fontNames_)) return false;
            styles_.keep(style.substr(0, style.size() - line.size()), item);
        }
        item.page = page;
        item.x = x;
        item.y = y;
        item.w = w;
        item.h = h;
        const std::string_view text = withoutBlanks(line);
        item.textStart = static_cast<std::uint32_t>(ViewText.size());
        item.textLength = static_cast<std::uint32_t>(text.size());
        ViewText.append(text);
        return true;
    }

private:
    std::string copy_;  // the line being read, with its read-ahead
    FontNames fontNames_;
    RecentStyles styles_;
};

QString damagedLine(int lineNumber) {
    return QStringLiteral("Line %1 of the file is damaged: a number in it is too large.").arg(lineNumber);
}

// Counts in messages read alike on every machine, as the rest of the window's English texts.
QString countText(std::int64_t count) { return QLocale(QLocale::English, QLocale::UnitedStates).toString(count); }

QString beyondTheViewer(std::int64_t count, const char* what) {
    return QStringLiteral("The report has more than %1 %2, more than the viewer can hold.")
        .arg(countText(count), QLatin1String(what));
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

// Reads the open file into the emptied document; the reason when something stopped the read,
// else empty.
QString readDocument(int handle) {
    static const QString unreadable = QStringLiteral("The file could not be read.");
    std::string_view line;
    const LineResult first = ReadInputLine(handle, line);
    if (first == LineResult::End) return QStringLiteral("The file is empty.");
    if (first == LineResult::Error) return unreadable;
    bool isViewFile = false;
    if (!readHeader(line, isViewFile)) return damagedLine(1);
    if (!isViewFile) return {};

    ElementParser parser;
    int pageCounter = 0;
    int itemCount = 0;
    for (;;) {
        const LineResult result = ReadInputLine(handle, line);
        if (result == LineResult::End) break;
        if (result == LineResult::Error) return unreadable;
        if (itemCount == kMostElements) return beyondTheViewer(kMostElements, "elements");
        if (ViewText.size() + line.size() > kMostTextBytes)
            return beyondTheViewer(kMostTextBytes >> 20, "MB of text");
        ViewItemRecord& item = ViewItem.emplace_back();
        if (!parser.parse(line, item)) {
            ViewItem.pop_back();
            return damagedLine(itemCount + 2);
        }
        // A page begins wherever the number differs from the count of pages so far.
        if (item.page != pageCounter) {
            if (pageCounter == kMostPages) {
                ViewItem.pop_back();
                return beyondTheViewer(kMostPages, "pages");
            }
            if (pageCounter > 0) ViewPage.back().lastItem = itemCount;
            ++pageCounter;
            ViewPage.push_back({itemCount + 1, 0});
        }
        ++itemCount;
    }
    if (pageCounter > 0) ViewPage.back().lastItem = itemCount;
    return {};
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
    // The rest keeps its place even when empty: the field readers read ahead from there.
    line.remove_prefix(comma == line.end() ? line.size() : field.size() + 1);
    return field;
}

void EmptyDocument() {
    ViewItem.assign(1, {});
    ViewPage.assign(1, {});
    ViewVariable.assign(1, {});
    ViewText.clear();
    ViewFont.assign(1, {});
}

bool LoadViewFile(const QString& path) {
    EmptyDocument();
    LoadProblem.clear();
    const int handle = OpenForInput(path);
    if (handle == 0) return false;
    try {
        // Room for what the file's size promises, so that a long report is not copied as it grows;
        // what stays unused is never touched.
        constexpr std::int64_t kShortestElementBytes = 48;
        const std::int64_t size = QFileInfo(path).size();
        ViewItem.reserve(std::min<std::int64_t>(size / kShortestElementBytes + 1, kMostElements + 1));
        ViewText.reserve(std::min<std::int64_t>(size, kMostTextBytes));
        LoadProblem = readDocument(handle);
    } catch (const std::bad_alloc&) {
        LoadProblem = QStringLiteral("There is not enough memory to hold the report.");
    }
    CloseInput(handle);
    if (!LoadProblem.isEmpty()) return false;
    ViewVariable.push_back({QStringLiteral("TotalPaginas"), QString::number(TotalPages())});
    return true;
}

}  // namespace Badges
