#include "JetFunctions.h"

#include <sqlite3.h>

#include <cctype>
#include <string>
#include <string_view>

namespace jet {
namespace {

constexpr int kBinaryCompare = 0;

std::string_view textOf(sqlite3_value* value)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text == nullptr ? std::string_view()
                           : std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(value)));
}

std::string lowered(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

void strComp(sqlite3_context* context, int argumentCount, sqlite3_value** arguments)
{
    if (sqlite3_value_type(arguments[0]) == SQLITE_NULL || sqlite3_value_type(arguments[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const int compare = argumentCount == 3 ? sqlite3_value_int(arguments[2]) : kBinaryCompare;
    const std::string_view first = textOf(arguments[0]);
    const std::string_view second = textOf(arguments[1]);
    const int order = compare == kBinaryCompare ? first.compare(second) : lowered(first).compare(lowered(second));
    sqlite3_result_int(context, order < 0 ? -1 : order > 0 ? 1 : 0);
}

}  // namespace

bool addJetFunctions(sqlite3* handle, std::string& error)
{
    for (int argumentCount : {2, 3}) {
        if (sqlite3_create_function_v2(handle, "StrComp", argumentCount, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                       strComp, nullptr, nullptr, nullptr) != SQLITE_OK) {
            error = std::string("Jet's functions cannot be added: ") + sqlite3_errmsg(handle);
            return false;
        }
    }
    return true;
}

}  // namespace jet
