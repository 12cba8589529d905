// A small stroke font for the title lettering. Glyphs are centre lines on a
// grid 10 units tall; drawn as thick round-capped strokes they come out bold
// and friendly, and any outline width is just a thicker stroke.
#pragma once

#include "canvas.hpp"

#include <vector>

namespace pictures {

struct Glyph {
    std::vector<std::vector<Vec>> strokes;  // in font units, y down, 0..10
    double width = 0;                       // advance of the centre lines
};

// Knows the letters the game's titles use; throws for any other.
Glyph glyph(char c);

// The glyph as one shape, placed with its top-left at `origin`, `unit`
// pixels per font unit and a stroke `weight` (half thickness) in pixels.
Shape glyph_shape(const Glyph& g, Vec origin, double unit, double weight);

}  // namespace pictures
