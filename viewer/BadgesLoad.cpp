#include "Badges.h"

#include "ViewNumber.h"
#include "Windows1252.h"

#include <limits>

namespace Badges {

std::int16_t PageWidth = 0;
std::int16_t PageHeight = 0;
std::vector<ViewItemRecord> ViewItem(1);
std::vector<ViewPageRecord> ViewPage(1);
std::vector<ViewVariableRecord> ViewVariable(1);
std::int16_t CurrentPage = 0;

namespace {

constexpr char kFormatTag[] = "LORIMAND10";
constexpr int kTwipsPerInch = 1440;
constexpr int kMostRecords = std::numeric_limits<std::int16_t>::max();

std::string_view withoutLeadingBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view withoutBlanks(std::string_view text) {
    text = withoutLeadingBlanks(text);
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

// Takes the next field as a 16-bit number; false when its value does not fit.
bool takeInt16(std::string_view& line, std::int16_t& value) {
    const auto rounded = RoundedValue(TakeField(line));
    if (!FitsInt16(rounded)) return false;
    value = static_cast<std::int16_t>(*rounded);
    return true;
}

bool takeInt32(std::string_view& line, std::int32_t& value) {
    const auto rounded = RoundedValue(TakeField(line));
    if (!FitsInt32(rounded)) return false;
    value = static_cast<std::int32_t>(*rounded);
    return true;
}

// Splits one element line; false when a number does not fit its field.
bool parseElement(std::string_view line, ViewItemRecord& item) {
    line = withoutLeadingBlanks(line);
    const bool numbersFit =
        takeInt16(line, item.page) && takeInt16(line, item.x) && takeInt16(line, item.y) &&
        takeInt16(line, item.w) && takeInt16(line, item.h) && takeInt16(line, item.variables) &&
        takeInt16(line, item.kind) && takeInt16(line, item.horizontalAlignment) &&
        takeInt16(line, item.verticalAlignment) && takeInt16(line, item.grow) &&
        takeInt16(line, item.shrink) && takeInt32(line, item.colour) && takeInt32(line, item.fillColour);
    if (!numbersFit) return false;
    item.fontName = FromWindows1252(TakeField(line));
    if (!takeInt16(line, item.fontSize)) return false;
    item.bold = IsNonZero(TakeField(line));
    item.italic = IsNonZero(TakeField(line));
    if (!takeInt16(line, item.lineWidth)) return false;
    item.text = FromWindows1252(withoutBlanks(line));
    return true;
}

// Header: tag, page width and page height in inches. False when the size does not fit.
bool readHeader(std::string_view header, bool& isViewFile) {
    isViewFile = TakeField(header) == kFormatTag;
    if (!isViewFile) return true;
    const auto width = RoundedValue(TakeField(header), kTwipsPerInch);
    const auto height = RoundedValue(TakeField(header), kTwipsPerInch);
    if (!FitsInt16(width) || !FitsInt16(height)) return false;
    PageWidth = static_cast<std::int16_t>(*width);
    PageHeight = static_cast<std::int16_t>(*height);
    return true;
}

// Reads the open file into the emptied document; false when an error stopped the read.
bool readDocument(int handle) {
    std::string line;
    if (ReadInputLine(handle, line) != LineResult::Line) return false;
    bool isViewFile = false;
    if (!readHeader(line, isViewFile)) return false;
    if (!isViewFile) return true;

    int pageCounter = 0;
    int itemCount = 0;
    for (;;) {
        const LineResult result = ReadInputLine(handle, line);
        if (result == LineResult::End) break;
        if (result == LineResult::Error) return false;
        ViewItemRecord item;
        if (!parseElement(line, item)) return false;
        if (itemCount == kMostRecords) return false;
        // A page begins wherever the number differs from the count of pages so far.
        if (item.page != pageCounter) {
            if (pageCounter > 0) ViewPage.back().lastItem = static_cast<std::int16_t>(itemCount);
            ++pageCounter;
            ViewPage.push_back({static_cast<std::int16_t>(itemCount + 1), 0});
        }
        ++itemCount;
        ViewItem.push_back(std::move(item));
    }
    if (pageCounter > 0) ViewPage.back().lastItem = static_cast<std::int16_t>(itemCount);
    return true;
}

}  // namespace

int TotalPages() { return static_cast<int>(ViewPage.size()) - 1; }

std::string_view TakeField(std::string_view& line) {
    const std::size_t comma = line.find(',');
    const std::string_view field = line.substr(0, comma);
    line = comma == std::string_view::npos ? std::string_view() : line.substr(comma + 1);
    return field;
}

bool LoadViewFile(const QString& path) {
    ViewItem.assign(1, {});
    ViewPage.assign(1, {});
    ViewVariable.assign(1, {});
    const int handle = OpenForInput(path);
    if (handle == 0) return false;
    const bool completed = readDocument(handle);
    CloseInput(handle);
    if (completed) ViewVariable.push_back({QStringLiteral("TotalPaginas"), QString::number(TotalPages())});
    return completed;
}

}  // namespace Badges
