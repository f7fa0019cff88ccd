#include "JetTypes.h"

#include <string>
#include <string_view>

namespace jet {

ColumnType columnTypeFromDeclaration(const char* declaredType)
{
    if (!declaredType)
        return ColumnType::Unknown;
    // The type name without its size ("VARCHAR(50)") or blanks, in capitals.
    std::string name;
    for (const char* c = declaredType; *c && *c != '('; ++c) {
        if (*c == ' ' || *c == '\t')
            continue;
        name += (*c >= 'a' && *c <= 'z') ? char(*c - 'a' + 'A') : *c;
    }

    struct Mapping {
        std::string_view name;
        ColumnType type;
    };
    static constexpr Mapping kMappings[] = {
        {"SMALLINT", ColumnType::Integer16}, {"INTEGER", ColumnType::Integer32},
        {"INT", ColumnType::Integer32},      {"LONG", ColumnType::Integer32},
        {"TEXT", ColumnType::Text},          {"VARCHAR", ColumnType::Text},
        {"DATE", ColumnType::Date},          {"TIME", ColumnType::Time},
        {"DATETIME", ColumnType::DateTime},  {"BIT", ColumnType::Flag},
        {"DOUBLE", ColumnType::Double},      {"REAL", ColumnType::Double},
        {"FLOAT", ColumnType::Double},
    };
    for (const Mapping& mapping : kMappings)
        if (name == mapping.name)
            return mapping.type;
    return ColumnType::Unknown;
}

}  // namespace jet
