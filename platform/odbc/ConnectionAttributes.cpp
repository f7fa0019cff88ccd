#include "ConnectionAttributes.h"

#include <algorithm>
#include <cctype>

namespace odbcdriver {

namespace {

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string upperCase(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

// The value starting at position, which moves past its ";".
std::string nextValue(std::string_view text, std::size_t& position)
{
    const auto start = text.find_first_not_of(" \t", position);
    if (start != std::string_view::npos && text[start] == '{') {
        const auto close = text.find('}', start + 1);
        if (close != std::string_view::npos) {
            const auto end = text.find(';', close);
            position = end == std::string_view::npos ? text.size() : end + 1;
            return std::string(text.substr(start + 1, close - start - 1));
        }
    }
    const auto end = text.find(';', position);
    const auto stop = end == std::string_view::npos ? text.size() : end;
    std::string value = trimmed(text.substr(position, stop - position));
    position = end == std::string_view::npos ? text.size() : end + 1;
    return value;
}

}  // namespace

ConnectionAttributes parseConnectionAttributes(std::string_view text)
{
    ConnectionAttributes attributes;
    std::size_t position = 0;
    while (position < text.size()) {
        const auto equals = text.find('=', position);
        const auto semicolon = text.find(';', position);
        if (equals == std::string_view::npos) {
            break;
        }
        if (semicolon != std::string_view::npos && semicolon < equals) {
            position = semicolon + 1;  // a pair without "=" names nothing
            continue;
        }
        const std::string key = upperCase(trimmed(text.substr(position, equals - position)));
        position = equals + 1;
        std::string value = nextValue(text, position);
        if (key == "DBQ") {
            attributes.database = std::move(value);
        } else if (key == "SYSTEMDB") {
            attributes.workgroup = std::move(value);
        } else if (key == "UID") {
            attributes.user = std::move(value);
        } else if (key == "PWD") {
            attributes.password = std::move(value);
        }
    }
    return attributes;
}

}  // namespace odbcdriver
