#include "Windows1252.h"

#include <algorithm>

namespace {

// 0x80..0x9F; the five unassigned bytes map to the C1 control of the same value, as Windows does.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

QString FromWindows1252(std::string_view bytes) {
    const bool plainAscii =
        std::all_of(bytes.begin(), bytes.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
    if (plainAscii) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = QChar(code >= 0x80 && code < 0xA0 ? kHighControls[code - 0x80] : char16_t(code));
    }
    return text;
}
