// Any text through the Jet SQL translator: no crash, no read outside the text, and a text
// with nothing to translate comes out unchanged.
#include "JetSql.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view jetSql(reinterpret_cast<const char*>(data), size);
    const std::string sql = jet::translateJetSql(jetSql);
    std::string lower(jetSql);
    for (char& c : lower)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (lower.find_first_of("#@") == std::string::npos && lower.find("top") == std::string::npos && sql != jetSql)
        std::abort();
    return 0;
}
