#pragma once
#include <cmath>
#include <string>
#include <vector>

// Reading view files back in tests, the way the viewer splits them.
namespace viewfilelines {

// The lines of a file's bytes split at CR LF (a final CR LF ends the last line).
inline std::vector<std::string> splitLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The 19 fields of an element line: 18 at commas, the 19th the rest.
inline std::vector<std::string> fields(const std::string& line)
{
    std::vector<std::string> result;
    std::size_t start = 0;
    for (int i = 0; i < 18; ++i) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string::npos) {
            result.push_back(start < line.size() ? line.substr(start) : std::string());
            start = line.size();
        } else {
            result.push_back(line.substr(start, comma - start));
            start = comma + 1;
        }
    }
    result.push_back(start < line.size() ? line.substr(start) : std::string());
    return result;
}

// A coordinate field as the viewer reads it: rounded to the nearest twip, halves to even.
inline long twips(const std::string& field)
{
    return std::lrint(field.empty() ? 0.0 : std::stod(field));
}

// Field number (1 to 19) of a line.
inline std::string field(const std::string& line, int number)
{
    return fields(line)[number - 1];
}

}  // namespace viewfilelines
