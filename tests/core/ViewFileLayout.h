#pragma once
#include <functional>
#include <string>
#include <vector>

// Where the texts and boxes of a written view file stand on the page when the viewer draws
// them, in twips: each text measured as the viewer measures it ("Times New Roman", which
// Liberation Serif serves, without hinting, one pixel to the twip) and placed by its
// alignment, a shrunk text no wider than its box.
namespace viewfilelayout {

struct Area {
    int page = 0;
    double left = 0, right = 0, top = 0, bottom = 0;
    std::string text;  // a text's characters, empty for a box
};

// The drawn texts (empty ones left out) and the boxes of a file's lines, header line first.
// totalPages, when not 0, stands for the number of pages in "#TotalPaginas".
std::vector<Area> drawnTexts(const std::vector<std::string>& lines, int totalPages = 0);
std::vector<Area> boxes(const std::vector<std::string>& lines);

// Texts of one row (each one's middle within the other's height) that stand closer than
// separation, one line per pair.
std::vector<std::string> crowdedRows(const std::vector<Area>& texts, double separation);

// Texts that reach past the first of edges (twips) to the right of where they start.
std::vector<std::string> pastTheirColumn(const std::vector<Area>& texts,
                                         const std::function<std::vector<double>(const Area&)>& edges);

// Texts and boxes that reach past right.
std::vector<std::string> pastTheRight(const std::vector<Area>& areas, double right);

}  // namespace viewfilelayout
