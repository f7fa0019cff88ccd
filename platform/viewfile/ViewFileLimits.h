#pragma once
// How much of one view file the viewer holds: the desktop program writes no report beyond it,
// and the viewer refuses a file beyond it. Bounds against damaged or hostile files as well,
// far above any report a practice prints.
#include <cstddef>

namespace viewfile {

constexpr int kMostPages = 32767;  // as far as a page number counts
constexpr int kMostElements = 8'000'000;
constexpr std::size_t kMostTextBytes = std::size_t(256) << 20;  // the texts of all elements

}  // namespace viewfile
