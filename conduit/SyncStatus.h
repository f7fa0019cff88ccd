#pragma once
// What the run did with an entry of a table's record list.
#include <cstdint>

inline constexpr std::int32_t kStatusNotActedOn = 0;            // read from the handheld only
inline constexpr std::int32_t kStatusNewFromDesktop = 1;        // new desktop row written to the handheld
inline constexpr std::int32_t kStatusOverwrittenFromDesktop = 2;
inline constexpr std::int32_t kStatusDeletedFromDesktop = 3;    // its desktop row was deleted
inline constexpr std::int32_t kStatusInsertedOnDesktop = 4;
inline constexpr std::int32_t kStatusUpdatedOnDesktop = 5;
inline constexpr std::int32_t kStatusDeletedOnDesktop = 6;      // the handheld deleted the record
