#pragma once
// How much of one view file the viewer holds, far above any report a practice prints; a file
// beyond it is refused (a bound against damaged or hostile files as well). The desktop program
// writes no report of more pages or elements; its texts, cut to their columns, stay far below
// the bound on text.
#include <cstddef>

namespace viewfile {

constexpr int kMostPages = 32767;  // as far as a page number counts
constexpr int kMostElements = 8'000'000;
constexpr std::size_t kMostTextBytes = std::size_t(256) << 20;  // the texts of all elements

}  // namespace viewfile
