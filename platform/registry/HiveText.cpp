#include "HiveText.h"

#include <algorithm>
#include <cstdio>

namespace registry::hive {

namespace {

constexpr std::string_view kLocalMachine = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t kHexLineWidth = 76;

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool startsWithName(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && sameName(text.substr(0, prefix.size()), prefix);
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// A quoted text with \\ and \" as its only escapes; rest moves past the closing quote.
bool parseQuoted(std::string_view& rest, std::string& out)
{
    if (rest.empty() || rest.front() != '"')
        return false;
    out.clear();
    for (std::size_t i = 1; i < rest.size(); ++i) {
        char c = rest[i];
        if (c == '"') {
            rest.remove_prefix(i + 1);
            return true;
        }
        if (c == '\\') {
            if (i + 1 >= rest.size() || (rest[i + 1] != '\\' && rest[i + 1] != '"'))
                return false;
            c = rest[++i];
        }
        out.push_back(c);
    }
    return false;
}

int hexDigit(char c)
{
    c = lower(c);
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool parseHexNumber(std::string_view digits, std::uint32_t& number)
{
    if (digits.empty() || digits.size() > 8)
        return false;
    number = 0;
    for (char c : digits) {
        int digit = hexDigit(c);
        if (digit < 0)
            return false;
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return true;
}

// "01,02,ff" (blanks allowed around each byte); an empty list is no bytes.
bool parseHexBytes(std::string_view list, std::vector<std::uint8_t>& bytes)
{
    bytes.clear();
    if (trimmed(list).empty())
        return true;
    while (true) {
        std::size_t comma = list.find(',');
        std::uint32_t byte = 0;
        std::string_view item = trimmed(list.substr(0, comma));
        if (item.size() > 2 || !parseHexNumber(item, byte))
            return false;
        bytes.push_back(static_cast<std::uint8_t>(byte));
        if (comma == std::string_view::npos)
            return true;
        list.remove_prefix(comma + 1);
    }
}

bool parseData(std::string_view data, Value& value)
{
    if (!data.empty() && data.front() == '"') {
        std::string text;
        if (!parseQuoted(data, text) || !trimmed(data).empty())
            return false;
        value = stringValue(text);
        return true;
    }
    if (startsWithName(data, "dword:")) {
        std::uint32_t number = 0;
        if (!parseHexNumber(data.substr(6), number))
            return false;
        value = dwordValue(number);
        return true;
    }
    if (startsWithName(data, "hex:")) {
        value.type = kTypeBinary;
        return parseHexBytes(data.substr(4), value.data);
    }
    if (startsWithName(data, "hex(")) {
        std::size_t close = data.find("):");
        if (close == std::string_view::npos || !parseHexNumber(data.substr(4, close - 4), value.type))
            return false;
        return parseHexBytes(data.substr(close + 2), value.data);
    }
    return false;
}

// A value entry starting at lines[index]; hex data continues on the next lines while a line
// ends with "\". index moves to the entry's last line.
Entry parseValue(const std::vector<std::string>& lines, std::size_t& index)
{
    Entry entry;
    entry.lines.push_back(lines[index]);
    std::string_view rest = trimmed(lines[index]);
    bool named = true;
    if (rest.front() == '@')
        rest.remove_prefix(1);
    else
        named = parseQuoted(rest, entry.valueName);
    rest = trimmed(rest);
    if (!named || rest.empty() || rest.front() != '=')
        return entry;
    std::string data(trimmed(rest.substr(1)));
    if (startsWithName(data, "hex")) {
        while (!data.empty() && data.back() == '\\' && index + 1 < lines.size()) {
            data.pop_back();
            entry.lines.push_back(lines[++index]);
            data += trimmed(lines[index]);
        }
        entry.awaitsContinuation = !data.empty() && data.back() == '\\';
    }
    if (parseData(data, entry.value))
        entry.kind = EntryKind::Value;
    return entry;
}

Entry parseSection(std::string_view line)
{
    Entry entry;
    entry.lines.emplace_back(line);
    std::string_view text = trimmed(line);
    if (text.size() < 3 || text.back() != ']' || text[1] == '-') {
        entry.kind = EntryKind::BadSection;
        return entry;
    }
    std::string_view path = text.substr(1, text.size() - 2);
    entry.kind = EntryKind::Section;
    if (startsWithName(path, kLocalMachine) &&
        (path.size() == kLocalMachine.size() || path[kLocalMachine.size()] == '\\'))
        entry.keyPath = path.substr(std::min(path.size(), kLocalMachine.size() + 1));
    else if (startsWithName(path, "HKEY_"))
        entry.foreignRoot = true;
    else
        entry.keyPath = path;
    return entry;
}

std::string escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"')
            out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

// A string that fits between quotes: one final NUL, no other NUL and no line break.
bool writableAsQuoted(const Value& value)
{
    if (value.type != kTypeString || value.data.empty() || value.data.back() != 0)
        return false;
    for (std::size_t i = 0; i + 1 < value.data.size(); ++i) {
        std::uint8_t byte = value.data[i];
        if (byte == 0 || byte == '\n' || byte == '\r')
            return false;
    }
    return true;
}

}  // namespace

bool sameName(std::string_view left, std::string_view right)
{
    if (left.size() != right.size())
        return false;
    for (std::size_t i = 0; i < left.size(); ++i) {
        if (lower(left[i]) != lower(right[i]))
            return false;
    }
    return true;
}

std::string lowerName(std::string_view name)
{
    std::string out(name);
    for (char& c : out)
        c = lower(c);
    return out;
}

Hive parse(std::string_view text)
{
    Hive hive;
    if (text.find("\r\n") != std::string_view::npos)
        hive.lineBreak = "\r\n";
    std::vector<std::string> lines = splitLines(text);
    for (std::size_t index = 0; index < lines.size(); ++index) {
        std::string_view line = trimmed(lines[index]);
        if (index == 0 && line.substr(0, kByteOrderMark.size()) == kByteOrderMark)
            line.remove_prefix(kByteOrderMark.size());
        Entry entry;
        if (index == 0 && line == kHeader) {
            entry.kind = EntryKind::Header;
            entry.lines.push_back(lines[index]);
        } else if (line.empty() || line.front() == ';') {
            entry.kind = EntryKind::Filler;
            entry.lines.push_back(lines[index]);
        } else if (line.front() == '[') {
            entry = parseSection(lines[index]);
        } else if (line.front() == '"' || line.front() == '@') {
            entry = parseValue(lines, index);
        } else {
            entry.lines.push_back(lines[index]);
        }
        hive.entries.push_back(std::move(entry));
    }
    return hive;
}

std::string format(const Hive& hive)
{
    std::string text;
    for (const Entry& entry : hive.entries) {
        for (const std::string& line : entry.lines)
            text += line + hive.lineBreak;
    }
    return text;
}

std::vector<int> owningSections(const Hive& hive)
{
    std::vector<int> owners(hive.entries.size(), -1);
    int current = -1;
    for (std::size_t i = 0; i < hive.entries.size(); ++i) {
        const Entry& entry = hive.entries[i];
        if (entry.kind == EntryKind::Section)
            current = entry.foreignRoot ? -1 : static_cast<int>(i);
        else if (entry.kind == EntryKind::BadSection)
            current = -1;
        owners[i] = current;
    }
    return owners;
}

ReadableValues readableValues(const Hive& hive)
{
    ReadableValues values;
    std::vector<int> owners = owningSections(hive);
    for (std::size_t i = 0; i < hive.entries.size(); ++i) {
        const Entry& entry = hive.entries[i];
        if (entry.kind == EntryKind::Section && !entry.foreignRoot)
            values[lowerName(entry.keyPath)];
        else if (entry.kind == EntryKind::Value && owners[i] >= 0)
            values[lowerName(hive.entries[owners[i]].keyPath)][lowerName(entry.valueName)] = entry.value;
    }
    return values;
}

bool formatValue(const std::string& name, const Value& value, std::vector<std::string>& lines)
{
    if (name.find_first_of("\r\n") != std::string::npos)
        return false;
    std::string line = name.empty() ? "@=" : "\"" + escaped(name) + "\"=";
    lines.clear();
    if (writableAsQuoted(value)) {
        std::string_view text(reinterpret_cast<const char*>(value.data.data()), value.data.size() - 1);
        lines.push_back(line + "\"" + escaped(text) + "\"");
        return true;
    }
    char buffer[16];
    if (value.type == kTypeDword && value.data.size() == 4) {
        std::uint32_t number = value.data[0] | value.data[1] << 8 | value.data[2] << 16 |
                               static_cast<std::uint32_t>(value.data[3]) << 24;
        std::snprintf(buffer, sizeof buffer, "dword:%08x", number);
        lines.push_back(line + buffer);
        return true;
    }
    if (value.type == kTypeBinary) {
        line += "hex:";
    } else {
        std::snprintf(buffer, sizeof buffer, "hex(%x):", value.type);
        line += buffer;
    }
    for (std::size_t i = 0; i < value.data.size(); ++i) {
        std::snprintf(buffer, sizeof buffer, "%02x", value.data[i]);
        line += buffer;
        if (i + 1 < value.data.size()) {
            line += ",";
            if (line.size() >= kHexLineWidth) {
                lines.push_back(line + "\\");
                line = "  ";
            }
        }
    }
    lines.push_back(line);
    return true;
}

std::string formatSection(const std::string& keyPath)
{
    return "[" + std::string(kLocalMachine) + "\\" + keyPath + "]";
}

}  // namespace registry::hive
