// Writers for the file formats the game loads: 24-bit BMP for the artwork,
// ICO for the window icon and CUR for the pointer.
#pragma once

#include "canvas.hpp"

#include <cstdint>
#include <string>
#include <vector>

namespace pictures {

// A palette picture with a 1-bit mask, the shape icons and cursors are
// stored in.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    int bits = 8;  // 1 or 8 bits per pixel
    std::vector<Pixel8> palette;
    std::vector<std::uint8_t> index;  // row-major, top row first
    std::vector<bool> see_through;    // row-major, true = transparent
};

std::vector<std::uint8_t> bmp_bytes(const Canvas& canvas);

// Reduces the canvas to at most 256 colours; pixels under half covered become
// see-through. Palette entry 0 is black, the colour that sits under the mask.
IndexedPicture to_palette(const Canvas& canvas);

struct HotSpot {
    int x = 0;
    int y = 0;
};
std::vector<std::uint8_t> ico_bytes(const IndexedPicture& picture);
std::vector<std::uint8_t> cur_bytes(const IndexedPicture& picture, HotSpot hot);

// Throws std::runtime_error when the file cannot be written.
void save(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace pictures
