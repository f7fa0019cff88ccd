#include "TableDescription.h"

#include "ConduitLog.h"

#include <algorithm>
#include <cstring>
#include <fstream>

namespace {

// Lines are read through a 200-byte buffer: at most 199 characters, the line end included.
constexpr std::size_t kLineBufferSize = 200;

// Characters that can belong to a token, in the single-byte code page (Windows-1252): blanks,
// control characters and the code page's unassigned bytes are not among them.
bool isVisible(char character)
{
    const auto byte = static_cast<unsigned char>(character);
    if (byte <= 0x20 || byte == 0x7F || byte == 0xA0) {
        return false;
    }
    return byte != 0x81 && byte != 0x8D && byte != 0x8F && byte != 0x90 && byte != 0x9D;
}

// The next line as a text-mode read gives it: "\r\n" reads as "\n", a longer line continues
// as the next one, and a zero byte ends the line's text. False at the end of the file.
bool readLine(std::istream& in, std::string& line)
{
    line.clear();
    std::size_t taken = 0;
    char character = 0;
    while (taken < kLineBufferSize - 1 && in.get(character)) {
        if (character == '\r' && in.peek() == '\n') {
            continue;
        }
        line.push_back(character);
        ++taken;
        if (character == '\n') {
            break;
        }
    }
    if (taken == 0) {
        return false;
    }
    line.resize(std::strlen(line.c_str()));
    return true;
}

// A token cut to a field of the given width, which keeps room for its terminator.
std::string nextField(std::size_t& position, std::string_view line, std::size_t width,
                      int delimiter = ',')
{
    std::string token = NextToken(position, line, delimiter);
    if (token.size() > width - 1) {
        token.resize(width - 1);
    }
    return token;
}

bool kindFromLetter(const std::string& token, FieldKind& kind)
{
    switch (token.empty() ? '\0' : token.front()) {
    case 'A': kind = FieldKind::Autonumber; return true;
    case 'K': kind = FieldKind::Key; return true;
    case 'C': kind = FieldKind::Compared; return true;
    case 'N': kind = FieldKind::Carried; return true;
    default: return false;
    }
}

bool isFlagSet(std::size_t& position, std::string_view line)
{
    return NextToken(position, line, ',') == "Y";
}

// The five tokens of an F or B line. False for a kind letter other than A, K, C or N.
bool readField(std::size_t& position, std::string_view line, SyncFieldDescription& field)
{
    field.handheldName = nextField(position, line, kHandheldNameWidth);
    field.desktopColumn = nextField(position, line, kDesktopNameWidth);
    const std::string kind = NextToken(position, line, ',');
    field.flags = isFlagSet(position, line) ? 1 : 0;
    if (isFlagSet(position, line)) {
        field.flags += 2;
    }
    return kindFromLetter(kind, field.kind);
}

void readTable(std::size_t& position, std::string_view line, SyncTableDescription& table)
{
    table.handheldDatabase = nextField(position, line, kHandheldNameWidth);
    table.readTable = nextField(position, line, kDesktopNameWidth);
    table.writeTable = nextField(position, line, kDesktopNameWidth);
    table.mirrorTable = nextField(position, line, kDesktopNameWidth);
    if (isFlagSet(position, line)) {
        table.flags += 1;
    }
    if (isFlagSet(position, line)) {
        table.flags += 2;
    }
    table.timeStampColumn = nextField(position, line, kTimeStampColumnWidth);
    table.extraCondition = nextField(position, line, kExtraConditionWidth, kRestOfLine);
}

void readSubTable(std::size_t& position, std::string_view line, SyncTableDescription& subTable)
{
    subTable.handheldDatabase = nextField(position, line, kHandheldNameWidth);
    subTable.readTable = nextField(position, line, kDesktopNameWidth);
    subTable.writeTable = nextField(position, line, kDesktopNameWidth, kRestOfLine);
    subTable.mirrorTable = subTable.writeTable;
}

// Applies one line to the description read so far. False when the line makes the file invalid.
bool readDescriptionLine(std::string_view line, TableDescriptionFile& description)
{
    if (line.empty()) {
        return true;
    }
    std::size_t position = line.size() < 2 ? line.size() : 2;
    auto& tables = description.tables;
    auto& subTables = description.subTables;

    switch (line.front()) {
    case 'T':
        if (tables.size() == kMaxTables) {
            return false;
        }
        tables.emplace_back();
        readTable(position, line, tables.back());
        return true;
    case 'F':
        if (tables.empty() || tables.back().fields.size() == kMaxFields) {
            return true;
        }
        return readField(position, line, tables.back().fields.emplace_back());
    case 'D': {
        if (tables.empty() || tables.back().constantColumns.size() == kMaxConstantColumns) {
            return true;
        }
        auto& constant = tables.back().constantColumns.emplace_back();
        constant.value = nextField(position, line, kDesktopNameWidth);
        constant.desktopColumn = nextField(position, line, kDesktopNameWidth);
        return true;
    }
    case 'S': {
        if (tables.empty() || subTables.size() == kMaxSubTables) {
            return false;
        }
        readSubTable(position, line, subTables.emplace_back());
        auto& owner = tables.back();
        if (owner.firstSubTable < 0) {
            owner.firstSubTable = static_cast<int>(subTables.size()) - 1;
        }
        ++owner.subTableCount;
        ConduitLog("sub file added to table " + owner.handheldDatabase);
        return true;
    }
    case 'B':
        if (subTables.empty() || subTables.back().fields.size() == kMaxFields) {
            return true;
        }
        return readField(position, line, subTables.back().fields.emplace_back());
    case 'P':
        description.preferenceDatabase = nextField(position, line, kPreferenceNameWidth);
        return true;
    default:
        return true;
    }
}

}  // namespace

std::string NextToken(std::size_t& position, std::string_view line, int delimiter)
{
    if (position > line.size()) {
        position = line.size();
    }
    std::size_t end = line.size();
    std::size_t next = line.size();
    if (delimiter != kRestOfLine) {
        const std::size_t found = line.find(static_cast<char>(delimiter), position);
        if (found != std::string_view::npos) {
            end = found;
            next = found + 1;
        }
    }
    std::size_t begin = position;
    while (begin < end && !isVisible(line[begin])) {
        ++begin;
    }
    while (end > begin && !isVisible(line[end - 1])) {
        --end;
    }
    position = next;
    return std::string(line.substr(begin, end - begin));
}

int ReadTableDescriptionFile(const std::string& path, TableDescriptionFile& tables)
{
    tables = TableDescriptionFile{};
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return 1;
    }
    std::string line;
    while (readLine(in, line)) {
        if (!readDescriptionLine(line, tables)) {
            return 1;
        }
    }
    return 0;
}

bool EveryTableHasAKeyField(const TableDescriptionFile& description)
{
    for (const SyncTableDescription& table : description.tables) {
        const bool keyed = std::any_of(table.fields.begin(), table.fields.end(), IsKeyField);
        if (!keyed) {
            ConduitLog("Table " + table.handheldDatabase + " has no key field (K or A) and cannot be synchronised");
            return false;
        }
    }
    return true;
}
