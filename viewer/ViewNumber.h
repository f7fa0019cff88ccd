#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

// Numbers in view files: optional "-", digits, optionally "." and more digits, after leading
// blanks; the longest such prefix counts and anything else reads as 0.

// The number times scale, rounded to the nearest integer with halves going to the even
// neighbour; nullopt when the magnitude is far beyond any 32-bit field.
std::optional<std::int64_t> RoundedValue(std::string_view text, std::int64_t scale = 1);

// True when the numeric prefix is not zero (no rounding applied).
bool IsNonZero(std::string_view text);

bool FitsInt16(std::optional<std::int64_t> value);
bool FitsInt32(std::optional<std::int64_t> value);
