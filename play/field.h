// The play field: the grid and the twelve objects that scroll across it.
#pragma once

#include <array>
#include <string_view>

namespace kestrune {

// Grid places, in twips: column c has Left 120 + 480c, row r has Top 120 + 480r.
inline constexpr float cellSize = 480;
inline constexpr float exitLeft = -360;   // one column left of column 0
inline constexpr float entryLeft = 5400;  // column 11

constexpr float rowTop(int row) {
    return 120 + cellSize * row;
}
constexpr float columnLeft(int column) {
    return 120 + cellSize * column;
}

// The blocks, then the rings: every pass over the field takes them in this order.
inline constexpr std::array<std::string_view, 12> fieldObjects{
    "Image1",     "Image2",     "Image3",     "Image4",     "Image5",     "Image6",
    "Imagering1", "Imagering2", "Imagering3", "Imagering4", "Imagering5", "Imagering6",
};
inline constexpr std::size_t firstRing = 6;

}  // namespace kestrune
