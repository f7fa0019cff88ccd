#include "ProfileString.h"

#include <algorithm>
#include <cctype>
#include <fstream>

namespace {

std::string trimmed(const std::string& text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool sameWithoutCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string withoutQuotes(const std::string& value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& defaultValue, std::size_t limit)
{
    std::string answer = defaultValue;
    std::ifstream file(path);
    std::string line;
    bool inSection = false;
    while (std::getline(file, line)) {
        const std::string text = trimmed(line);
        if (!text.empty() && text.front() == '[') {
            const auto close = text.find(']');
            inSection = close != std::string::npos && sameWithoutCase(trimmed(text.substr(1, close - 1)), section);
            continue;
        }
        const auto equals = text.find('=');
        if (inSection && equals != std::string::npos && sameWithoutCase(trimmed(text.substr(0, equals)), key)) {
            answer = withoutQuotes(trimmed(text.substr(equals + 1)));
            break;
        }
    }
    if (limit > 0 && answer.size() > limit - 1)
        answer.resize(limit - 1);
    return answer;
}
