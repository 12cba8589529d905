#include "lettering.hpp"

#include <stdexcept>
#include <string>

namespace pictures {

namespace {

std::vector<Vec> arc(Vec centre, double rx, double ry, double from_deg, double to_deg) {
    std::vector<Vec> points;
    add_arc(points, centre, rx, ry, from_deg, to_deg);
    return points;
}

std::vector<Vec> join(std::vector<Vec> a, const std::vector<Vec>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

Glyph glyph(char c) {
    switch (c) {
        case 'K':
            return {{{{0, 0}, {0, 10}}, {{6, 0}, {0.6, 5.6}}, {{2.2, 4.2}, {6, 10}}}, 6};
        case 'E':
            return {{{{6, 0}, {0, 0}, {0, 10}, {6, 10}}, {{0, 5}, {4.8, 5}}}, 6};
        case 'S':
            // Two stacked bowls meeting in the middle; the upper one is a touch
            // smaller so the letter does not look top-heavy.
            return {{join(arc({3.1, 2.4}, 2.8, 2.4, -25, -270), arc({3, 7.4}, 3, 2.6, -90, 155))},
                    6};
        case 'T':
            return {{{{0, 0}, {6, 0}}, {{3, 0}, {3, 10}}}, 6};
        case 'R':
            return {{join(join({{0, 10}, {0, 0}, {3.2, 0}}, arc({3.2, 2.75}, 2.8, 2.75, -90, 90)),
                          {{0, 5.5}}),
                     {{3, 5.5}, {6, 10}}},
                    6};
        case 'U':
            return {{join(join({{0, 0}}, arc({3, 7}, 3, 3, 180, 0)), {{6, 0}})}, 6};
        case 'N':
            return {{{{0, 10}, {0, 0}, {6, 10}, {6, 0}}}, 6};
        case '!':
            return {{{{0, 0}, {0, 6.2}}, {{0, 10}}}, 0};
        default:
            throw std::invalid_argument(std::string("no glyph for '") + c + "'");
    }
}

Shape glyph_shape(const Glyph& g, Vec origin, double unit, double weight) {
    std::vector<Shape> parts;
    for (const auto& line : g.strokes) {
        std::vector<Vec> placed;
        for (Vec p : line) {
            placed.push_back(origin + p * unit);
        }
        parts.push_back(stroke(placed, weight));
    }
    return unite(parts);
}

}  // namespace pictures
