#pragma once
#include <cstdint>
#include <string_view>

// Numbers in view files: optional "-", digits, optionally "." and more digits, after leading
// blanks; the longest such prefix counts and anything else reads as 0.

// value = the number times scale, rounded to the nearest integer with halves going to the even
// neighbour; false when the magnitude is far beyond any 32-bit field.
bool RoundedValue(std::string_view text, std::int64_t scale, std::int64_t& value);

// True when the numeric prefix is not zero (no rounding applied).
bool IsNonZero(std::string_view text);

inline bool FitsInt16(std::int64_t value) { return value >= INT16_MIN && value <= INT16_MAX; }
inline bool FitsInt32(std::int64_t value) { return value >= INT32_MIN && value <= INT32_MAX; }
