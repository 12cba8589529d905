// Draws every picture the game ships with and writes them into the directory
// given on the command line. The output is the same bytes on every run, so
// the committed pictures only change when the drawing does.
#include "artwork.hpp"
#include "canvas.hpp"
#include "lettering.hpp"
#include "picture_files.hpp"

#include <array>
#include <cmath>
#include <exception>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

using namespace pictures;

constexpr double degrees = std::numbers::pi / 180;

Canvas hero_picture() {
    Canvas c(77, 76);
    c.clear(sky_blue);
    draw_hero(c, {{0, 0}, 1});
    return c;
}

Canvas ring_picture() {
    Canvas c(40, 40);
    c.clear(sky_blue);
    draw_ring(c, {{0, 0}, 1});
    return c;
}

Canvas sky_picture() {
    Canvas c(34, 40);
    c.clear(sky_blue);
    return c;
}

Canvas block_picture() {
    constexpr int size = 30;
    constexpr int bevel = 3;
    constexpr int cell = 6;
    const Rgb brown = rgb(160, 82, 45);
    const Rgb orange = rgb(255, 140, 0);
    const Rgb salmon = rgb(255, 160, 122);

    Canvas c(size, size);
    c.clear(brown);
    // Brown squares alternate with coloured ones, and the coloured ones
    // alternate orange and salmon row by row, so neighbouring blocks tile
    // into one continuous pattern.
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            const double x = bevel + col * cell;
            const double y = bevel + row * cell;
            const Shape square =
                polygon({{x, y}, {x + cell, y}, {x + cell, y + cell}, {x, y + cell}});
            if ((row + col) % 2 == 0) {
                c.fill(square, brown);
            } else {
                c.fill(square, row % 2 == 0 ? orange : salmon);
                // A lit top-left edge gives each square a slight lift.
                c.fill(polygon({{x, y}, {x + cell, y}, {x + cell, y + 1}, {x, y + 1}}),
                       rgb(255, 226, 200), 0.6);
                c.fill(polygon({{x, y + 1}, {x + 1, y + 1}, {x + 1, y + cell}, {x, y + cell}}),
                       rgb(255, 226, 200), 0.4);
            }
        }
    }
    const double s = size;
    const double b = bevel;
    c.fill(polygon({{0, 0}, {s, 0}, {s - b, b}, {b, b}}), rgb(255, 200, 168));
    c.fill(polygon({{0, 0}, {b, b}, {b, s - b}, {0, s}}), rgb(240, 170, 130));
    c.fill(polygon({{s, 0}, {s, s}, {s - b, s - b}, {s - b, b}}), rgb(120, 58, 28));
    c.fill(polygon({{0, s}, {b, s - b}, {s - b, s - b}, {s, s}}), rgb(92, 44, 22));
    return c;
}

// The emblem: the game's gold ring lifted by a pair of white wings. `size`
// is the ring's height; the wings span about three times that.
void draw_winged_ring(Canvas& c, Vec centre, double size) {
    const Rgb ink = rgb(46, 26, 52);
    const double ring_scale = size / 35;
    for (const double side : {-1.0, 1.0}) {
        const Vec root = centre + Vec{side * size * 0.26, size * 0.02};
        // Back feathers first: the longest rise highest, and each one in
        // front overlaps the last so the wing reads as layered plumes.
        for (const auto& [deg, len] :
             {std::array{-40.0, 1.0}, std::array{-27.0, 0.93}, std::array{-14.0, 0.83},
              std::array{0.0, 0.7}, std::array{13.0, 0.56}}) {
            const double a = (side > 0 ? deg : 180 - deg) * degrees;
            const Vec dir = rotate({1, 0}, a);
            const double half = size * len / 2;
            const Shape plume = ellipse(root + dir * half, half, size * 0.1, a);
            c.fill(grow(plume, size * 0.028), ink);
            c.fill(plume, linear(root, root + dir * (half * 2),
                                 {{0, rgb(200, 224, 255)},
                                  {0.55, rgb(255, 255, 255)},
                                  {1, rgb(238, 246, 255)}}));
        }
    }
    draw_ring(c, {centre - Vec{20, 20} * ring_scale, ring_scale});
}

void draw_title_lettering(Canvas& c, const std::string& text, Vec centre, double width) {
    const double weight = 1.3;  // half stroke, in font units
    const double gap = 1.7;
    double units = -gap;
    for (char ch : text) {
        units += glyph(ch).width + 2 * weight + gap;
    }
    const double unit = width / units;
    const double height = 10 * unit;

    struct Placed {
        Shape shape;
        double top;
    };
    std::vector<Placed> letters;
    double x = centre.x - width / 2;
    const int n = static_cast<int>(text.size());
    for (int i = 0; i < n; ++i) {
        const Glyph g = glyph(text[static_cast<std::size_t>(i)]);
        // The letters ride a gentle arch, each tilted along it like a banner.
        const double along = n > 1 ? double(i) / (n - 1) * 2 - 1 : 0;
        const double lift = (1 - along * along) * unit * 2.2;
        const double top = centre.y - height / 2 - lift + along * along * unit * 0.4;
        const Vec origin{x + weight * unit, top};
        const Vec pivot = origin + Vec{g.width * unit / 2, height / 2};
        letters.push_back(
            {rotated(glyph_shape(g, origin, unit, weight * unit), pivot, along * 7 * degrees),
             top});
        x += (g.width + 2 * weight + gap) * unit;
    }

    const double outline = unit * 0.62;
    for (const Placed& l : letters) {
        c.fill(moved(grow(l.shape, outline), {unit * 0.35, unit * 0.6}), rgb(30, 50, 110), 0.45,
               unit * 0.5);
    }
    for (const Placed& l : letters) {
        c.fill(grow(l.shape, outline), rgb(52, 30, 78));
    }
    for (const Placed& l : letters) {
        const Vec top{0, l.top - weight * unit};
        const Vec bottom{0, l.top + height + weight * unit};
        c.fill(l.shape, linear(top, bottom,
                               {{0, rgb(255, 250, 170)},
                                {0.38, rgb(255, 214, 50)},
                                {0.62, rgb(255, 170, 30)},
                                {1, rgb(235, 90, 30)}}));
        // Bevel: a lit rim on the upper-left of every stroke, shade on the
        // lower-right.
        c.fill(cut(l.shape, moved(l.shape, {unit * 0.22, unit * 0.3})), rgb(255, 255, 235), 0.75);
        c.fill(cut(l.shape, moved(l.shape, {-unit * 0.2, -unit * 0.28})), rgb(190, 60, 20), 0.45);
    }
}

Canvas title_picture() {
    constexpr int w = 1023;
    constexpr int h = 587;
    Canvas c(w, h);
    c.fill(polygon({{0, 0}, {w, 0}, {w, h}, {0, h}}),
           linear({0, 0}, {0, h},
                  {{0, rgb(72, 142, 232)}, {0.55, sky_blue}, {1, rgb(196, 228, 255)}}));

    // Light behind the emblem.
    c.fill(circle({511, 130}, 230), rgb(255, 255, 240), 0.35, 260);

    for (const auto& [x, y, s] : {std::array{120.0, 80.0, 52.0}, std::array{900.0, 60.0, 60.0},
                                  std::array{820.0, 230.0, 38.0}, std::array{200.0, 250.0, 34.0}}) {
        draw_cloud(c, {x, y}, s);
    }
    // A bank of cloud along the bottom for the gems to sit over.
    for (int i = 0; i < 8; ++i) {
        const double x = -40 + i * 150.0;
        draw_cloud(c, {x, 560 + (i % 2) * 14.0}, 78 + (i % 3) * 10.0);
    }

    draw_winged_ring(c, {511, 136}, 168);

    for (const auto& [x, y, r] : {std::array{300.0, 60.0, 14.0}, std::array{730.0, 40.0, 11.0},
                                  std::array{960.0, 330.0, 13.0}, std::array{60.0, 340.0, 10.0},
                                  std::array{690.0, 190.0, 8.0}}) {
        draw_sparkle(c, {x, y}, r, 0.9);
    }

    draw_hero(c, {{28, 26}, 2.5});

    draw_title_lettering(c, "KESTRUNE!!!", {511, 350}, 950);

    const std::array gems{rgb(235, 40, 60),  rgb(255, 140, 20), rgb(255, 215, 30), rgb(60, 200, 80),
                          rgb(40, 200, 230), rgb(60, 100, 240), rgb(170, 70, 230)};
    for (std::size_t i = 0; i < gems.size(); ++i) {
        const double x = 511 + (double(i) - 3) * 96;
        draw_gem(c, {x, 508 + (i % 2 ? 8.0 : 0.0)}, 70, gems[i]);
    }
    return c;
}

IndexedPicture icon_picture() {
    Canvas c(48, 48);
    draw_hero_head(c, {{-24.8, 0.55}, 0.9});
    return to_palette(c);
}

// A round-ended stroke whose thickness changes from r0 to r1 along it, for
// the tapering fingertip.
Shape taper(Vec a, double r0, Vec b, double r1) {
    std::vector<Shape> beads;
    for (int i = 0; i <= 16; ++i) {
        const double k = i / 16.0;
        beads.push_back(circle(a + (b - a) * k, r0 + (r1 - r0) * k));
    }
    return unite(beads);
}

// The pointer is drawn on a frame turned 45 degrees: s runs from the
// fingertip towards the wrist, t across the hand towards the curled fingers.
IndexedPicture hand_picture() {
    constexpr int size = 32;
    const double k = std::numbers::sqrt2 / 2;
    auto at = [&](double s, double t) { return Vec{(s + t) * k, (s - t) * k}; };
    auto block = [&](double s, double t, double half_s, double half_t) {
        return rotated(rounded_rect(at(s, t), half_s, half_t, 1.2), at(s, t), 45 * degrees);
    };

    // clang-format off
    const Shape glove = unite({
        taper(at(2.1, 0), 1.65, at(14, 0), 2.7),     // pointing finger
        block(19.5, 5.2, 5.8, 7.6),                  // back of the hand
        capsule(at(12.4, 4.3), at(18, 4.3), 1.9),    // curled fingers
        capsule(at(13.6, 7.9), at(18, 7.9), 1.9),
        capsule(at(14.8, 11.1), at(18, 11.1), 1.8),
        capsule(at(20, -1.8), at(15.2, -4.8), 2.2),  // thumb
        block(27.3, 5.2, 2.6, 8.5),                  // cuff
    });
    // clang-format on

    // Fold lines between the fingers and the seam at the cuff, as pixel
    // runs along the screen diagonals so they stay one pixel thin.
    struct Crease {
        Vec start;
        int dx, dy, steps;
    };
    const std::vector<Crease> creases{
        {at(11.6, 2.5), 1, 1, 4},
        {at(13.4, 6.1), 1, 1, 3},
        {at(14.6, 9.5), 1, 1, 2},
        {at(24.9, -3.5), 1, -1, 13},
    };

    IndexedPicture pic;
    pic.width = size;
    pic.height = size;
    pic.bits = 1;
    pic.palette = {{0, 0, 0}, {255, 255, 255}};
    pic.see_through.assign(size * size, true);
    pic.index.assign(size * size, 0);
    // The picture's border counts as outside, so the fingertip clipped by
    // the corner still ends in black at the hot spot.
    auto inside = [&](int x, int y) {
        return x >= 0 && y >= 0 && x < size && y < size && glove.distance({x + 0.5, y + 0.5}) <= 0;
    };
    auto cell = [&](int x, int y) { return static_cast<std::size_t>(y * size + x); };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            if (inside(x, y)) {
                const bool rim =
                    !(inside(x - 1, y) && inside(x + 1, y) && inside(x, y - 1) && inside(x, y + 1));
                pic.see_through[cell(x, y)] = false;
                pic.index[cell(x, y)] = rim ? 0 : 1;
            }
        }
    }
    for (const Crease& c : creases) {
        for (int i = 0; i <= c.steps; ++i) {
            const int x = static_cast<int>(std::floor(c.start.x)) + c.dx * i;
            const int y = static_cast<int>(std::floor(c.start.y)) + c.dy * i;
            if (inside(x, y)) {
                pic.index[cell(x, y)] = 0;
            }
        }
    }
    return pic;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: draw_pictures OUTPUT_DIRECTORY\n";
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    try {
        save(dir + "hero.bmp", bmp_bytes(hero_picture()));
        save(dir + "title.bmp", bmp_bytes(title_picture()));
        save(dir + "ring.bmp", bmp_bytes(ring_picture()));
        save(dir + "block.bmp", bmp_bytes(block_picture()));
        save(dir + "sky.bmp", bmp_bytes(sky_picture()));
        save(dir + "kestrune.ico", ico_bytes(icon_picture()));
        save(dir + "hand.cur", cur_bytes(hand_picture(), {0, 0}));
    } catch (const std::exception& e) {
        std::cerr << "draw_pictures: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
