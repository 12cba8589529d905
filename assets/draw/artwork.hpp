// The game's characters and props, drawn so each can be reused at any size:
// the hero sprite, the icon and the title screen all share the same drawing.
#pragma once

#include "canvas.hpp"

namespace pictures {

inline const Rgb sky_blue = rgb(138, 197, 255);

// Maps design units to canvas pixels; outlines scale along with the art so
// the look holds from icon size up to the title screen.
struct Frame {
    Vec origin;
    double scale = 1;
    Vec at(double x, double y) const { return origin + Vec{x, y} * scale; }
    double len(double d) const { return d * scale; }
};

// The hero faces right in a 77 x 76 design box.
void draw_hero(Canvas& c, Frame f);
// Just the head, crest and beak: design box x 30..77, y 2..50.
void draw_hero_head(Canvas& c, Frame f);
// A slanted gold ring in a 40 x 40 design box.
void draw_ring(Canvas& c, Frame f);
// A cut gem about `size` pixels wide, centred on `centre`.
void draw_gem(Canvas& c, Vec centre, double size, Rgb colour);
void draw_sparkle(Canvas& c, Vec centre, double radius, double opacity = 1);
void draw_cloud(Canvas& c, Vec centre, double size);

}  // namespace pictures
