#include "ViewNumber.h"

#include <limits>

namespace {

// Whole parts beyond this can never fit a 32-bit field, even before scaling.
constexpr std::int64_t kWholeLimit = 1'000'000'000'000'000;  // 10^15
// Fraction digits kept exactly; a nonzero digit further on only breaks an exact half.
constexpr int kFractionDigits = 30;

struct ScannedNumber {
    bool negative = false;
    bool tooLarge = false;
    bool nonZero = false;
    std::int64_t whole = 0;
    __int128 fraction = 0;  // the first fractionDigits digits after the point
    int fractionDigits = 0;
    bool moreFraction = false;  // a nonzero digit beyond the kept ones
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

ScannedNumber scan(std::string_view text) {
    ScannedNumber number;
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    if (i < text.size() && text[i] == '-') {
        number.negative = true;
        ++i;
    }
    for (; i < text.size() && isDigit(text[i]); ++i) {
        const int digit = text[i] - '0';
        number.nonZero |= digit != 0;
        if (number.whole >= kWholeLimit) {
            number.tooLarge = true;
        } else {
            number.whole = number.whole * 10 + digit;
        }
    }
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && isDigit(text[i]); ++i) {
            const int digit = text[i] - '0';
            number.nonZero |= digit != 0;
            if (number.fractionDigits < kFractionDigits) {
                number.fraction = number.fraction * 10 + digit;
                ++number.fractionDigits;
            } else if (digit != 0) {
                number.moreFraction = true;
            }
        }
    }
    return number;
}

}  // namespace

bool RoundedValue(std::string_view text, std::int64_t scale, std::int64_t& value) {
    const ScannedNumber number = scan(text);
    if (number.tooLarge) return false;

    __int128 denominator = 1;
    for (int d = 0; d < number.fractionDigits; ++d) denominator *= 10;
    const __int128 scaledFraction = number.fraction * scale;
    __int128 quotient = static_cast<__int128>(number.whole) * scale + scaledFraction / denominator;
    const __int128 twiceRemainder = 2 * (scaledFraction % denominator);
    if (twiceRemainder > denominator ||
        (twiceRemainder == denominator && (number.moreFraction || quotient % 2 != 0))) {
        ++quotient;
    }
    if (quotient > std::numeric_limits<std::int64_t>::max()) return false;
    const auto magnitude = static_cast<std::int64_t>(quotient);
    value = number.negative ? -magnitude : magnitude;
    return true;
}

bool IsNonZero(std::string_view text) { return scan(text).nonZero; }
