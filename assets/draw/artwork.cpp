#include "artwork.hpp"

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace pictures {

namespace {

constexpr double degrees = std::numbers::pi / 180;

const Rgb ink = rgb(46, 26, 52);
const Rgb white = rgb(255, 255, 255);

// Outline first, then the face: the outline is the part grown by `width`.
void inked(Canvas& c, const Shape& s, const Paint& face, double width) {
    c.fill(grow(s, width), ink);
    c.fill(s, face);
}

void inked(Canvas& c, const Shape& s, Rgb face, double width) {
    inked(
        c, s, [face](Vec) { return face; }, width);
}

// A feather-like ellipse reaching `length` from `root` in direction `deg`.
Shape feather(Vec root, double deg, double length, double half_width) {
    const Vec dir = rotate({1, 0}, deg * degrees);
    return ellipse(root + dir * (length / 2), length / 2, half_width, deg * degrees);
}

}  // namespace

void draw_hero_head(Canvas& c, Frame f) {
    const double line = f.len(2.6);

    // Crest feathers sit behind the head, so only their tips show.
    for (const auto& [x, y, deg, len] :
         {std::array{44.0, 20.0, -112.0, 15.0}, std::array{49.0, 19.0, -88.0, 16.0},
          std::array{54.0, 20.0, -64.0, 12.0}}) {
        inked(c, feather(f.at(x, y), deg, f.len(len), f.len(3.6)),
              linear(f.at(0, 4), f.at(0, 20), {{0, rgb(255, 214, 70)}, {1, rgb(250, 130, 40)}}),
              line);
    }

    const Shape head = circle(f.at(51, 32), f.len(17));
    inked(c, head,
          radial(f.at(45, 24), f.len(26),
                 {{0, rgb(255, 150, 90)}, {0.55, rgb(245, 92, 52)}, {1, rgb(200, 50, 48)}}),
          line);
    c.fill(ellipse(f.at(46, 22), f.len(6), f.len(3.4), -20 * degrees), white, 0.45);

    // Beak: upper half bright, lower half a shade darker, with a mouth line.
    const Shape beak = polygon({f.at(62, 26), f.at(75, 33), f.at(62, 39)});
    inked(c, beak,
          linear(f.at(0, 27), f.at(0, 39),
                 {{0, rgb(255, 226, 80)},
                  {0.5, rgb(255, 196, 40)},
                  {0.51, rgb(240, 150, 24)},
                  {1, rgb(230, 120, 20)}}),
          line * 0.85);
    c.fill(capsule(f.at(64, 33), f.at(73, 33), f.len(0.7)), ink);

    c.fill(ellipse(f.at(52, 40), f.len(4.2), f.len(2.6)), rgb(255, 140, 150), 0.8);

    // A big eye looking ahead keeps the hero readable at sprite size.
    inked(c, ellipse(f.at(55.5, 28.5), f.len(5.6), f.len(7)), white, line * 0.7);
    c.fill(ellipse(f.at(57.5, 29.5), f.len(3.4), f.len(4.4)), ink);
    c.fill(circle(f.at(59, 27), f.len(1.5)), white);
}

void draw_hero(Canvas& c, Frame f) {
    const double line = f.len(2.6);

    // Speed streaks behind the hero.
    for (const auto& [y, x0, x1] : {std::array{31.0, 3.0, 11.0}, std::array{58.0, 2.0, 12.0}}) {
        c.fill(capsule(f.at(x0, y), f.at(x1, y), f.len(1.3)), white, 0.85);
    }

    for (const auto& [deg, len] :
         {std::array{160.0, 17.0}, std::array{177.0, 19.0}, std::array{194.0, 16.0}}) {
        inked(c, feather(f.at(24, 47), deg, f.len(len), f.len(3.8)),
              linear(f.at(4, 0), f.at(24, 0), {{0, rgb(255, 214, 70)}, {1, rgb(245, 120, 40)}}),
              line);
    }

    // Feet tucked under, as a flyer holds them.
    for (const double x : {28.0, 36.0}) {
        inked(c, capsule(f.at(x, 60), f.at(x - 4, 66), f.len(2.2)), rgb(255, 170, 40), line * 0.8);
    }

    const Shape body = ellipse(f.at(35, 46), f.len(20), f.len(16.5), -8 * degrees);
    inked(c, body,
          linear(f.at(0, 30), f.at(0, 63), {{0, rgb(255, 120, 66)}, {1, rgb(214, 58, 50)}}), line);
    c.fill(intersect(ellipse(f.at(42, 54), f.len(13), f.len(8.5), -8 * degrees), body),
           rgb(255, 232, 196));

    draw_hero_head(c, f);

    // The raised wing: three feathers fanned from the shoulder, the front
    // one drawn last so its outline separates it from the others.
    const Vec shoulder = f.at(34, 42);
    for (const auto& [deg, len] :
         {std::array{-148.0, 26.0}, std::array{-130.0, 30.0}, std::array{-112.0, 27.0}}) {
        inked(c, feather(shoulder, deg, f.len(len), f.len(6)),
              linear(f.at(0, 10), f.at(0, 44), {{0, rgb(255, 170, 80)}, {1, rgb(220, 70, 52)}}),
              line);
    }
    inked(c, ellipse(f.at(31, 40), f.len(8), f.len(6), -30 * degrees), rgb(232, 88, 56), line);
    c.fill(cut(ellipse(f.at(31, 40), f.len(8), f.len(6), -30 * degrees),
               moved(ellipse(f.at(31, 40), f.len(8), f.len(6), -30 * degrees),
                     Vec{f.len(1.5), f.len(-2)})),
           rgb(255, 150, 90), 0.9);
}

void draw_ring(Canvas& c, Frame f) {
    const Vec centre = f.at(20, 20);
    const double tilt = 18 * degrees;
    const Shape outer = ellipse(centre, f.len(12.5), f.len(17.5), tilt);
    const Shape hole = ellipse(centre, f.len(6.5), f.len(11), tilt);
    const Shape band = cut(outer, hole);

    c.fill(grow(band, f.len(1.6)), rgb(110, 62, 10));
    c.fill(band, linear(f.at(8, 4), f.at(32, 36),
                        {{0, rgb(255, 246, 170)},
                         {0.35, rgb(255, 212, 60)},
                         {0.7, rgb(232, 160, 24)},
                         {1, rgb(170, 100, 14)}}));

    // The far inside wall of the band shows at the top of the hole.
    c.fill(intersect(hole, cut(grow(hole, f.len(1.6)), moved(hole, rotate({0, f.len(2.6)}, tilt)))),
           rgb(200, 128, 20));

    // A glint along the upper-left of the band.
    std::vector<Vec> glint;
    add_arc(glint, {0, 0}, 9.5, 14.5, 195, 255, 12);
    for (Vec& p : glint) {
        p = centre + rotate(p, tilt) * f.scale;
    }
    c.fill(stroke(glint, f.len(1.3)), white, 0.85);
    draw_sparkle(c, f.at(10.5, 9), f.len(4.5));
}

void draw_gem(Canvas& c, Vec centre, double size, Rgb colour) {
    const double s = size;
    auto at = [&](double x, double y) { return centre + Vec{x * s, y * s}; };
    const Vec tl = at(-0.26, -0.4);
    const Vec tr = at(0.26, -0.4);
    const Vec l = at(-0.5, -0.12);
    const Vec r = at(0.5, -0.12);
    const Vec il = at(-0.16, -0.12);
    const Vec ir = at(0.16, -0.12);
    const Vec tip = at(0, 0.5);

    c.fill(grow(polygon({tl, tr, r, tip, l}), s * 0.05), ink);
    const Rgb light = mix(colour, white, 0.55);
    const Rgb dark = mix(colour, rgb(0, 0, 0), 0.35);
    c.fill(polygon({tl, tr, ir, il}), mix(colour, white, 0.35));
    c.fill(polygon({tl, il, l}), light);
    c.fill(polygon({tr, r, ir}), colour);
    c.fill(polygon({l, il, tip}), mix(colour, white, 0.15));
    c.fill(polygon({il, ir, tip}), colour);
    c.fill(polygon({ir, r, tip}), dark);
    // Facet edges, faint so the gem stays one bold shape.
    for (const auto& [a, b] :
         {std::array{il, ir}, std::array{l, il}, std::array{ir, r}, std::array{tl, il},
          std::array{tr, ir}, std::array{il, tip}, std::array{ir, tip}}) {
        c.fill(capsule(a, b, s * 0.012), white, 0.35);
    }
    draw_sparkle(c, at(-0.22, -0.3), s * 0.16);
}

void draw_sparkle(Canvas& c, Vec centre, double radius, double opacity) {
    const double k = radius * 0.2;
    c.fill(polygon({centre + Vec{0, -radius}, centre + Vec{k, -k}, centre + Vec{radius, 0},
                    centre + Vec{k, k}, centre + Vec{0, radius}, centre + Vec{-k, k},
                    centre + Vec{-radius, 0}, centre + Vec{-k, -k}}),
           white, opacity);
}

void draw_cloud(Canvas& c, Vec centre, double size) {
    std::vector<Shape> puffs;
    for (const auto& [x, y, r] : {std::array{-1.0, 0.12, 0.42}, std::array{-0.5, -0.18, 0.55},
                                  std::array{0.15, -0.38, 0.68}, std::array{0.8, -0.08, 0.5},
                                  std::array{1.2, 0.16, 0.36}}) {
        puffs.push_back(circle(centre + Vec{x * size, y * size}, r * size));
    }
    puffs.push_back(
        rounded_rect(centre + Vec{0.1 * size, 0.26 * size}, 1.42 * size, 0.26 * size, 0.26 * size));
    const Shape cloud = unite(puffs);
    // A bluish underside, then the white body nudged up, both with soft rims.
    c.fill(moved(cloud, {0, 0.08 * size}), rgb(196, 222, 250), 0.95, size * 0.12);
    c.fill(cloud, white, 0.97, size * 0.12);
}

}  // namespace pictures
