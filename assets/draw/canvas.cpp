#include "canvas.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace pictures {

Vec operator+(Vec a, Vec b) {
    return {a.x + b.x, a.y + b.y};
}
Vec operator-(Vec a, Vec b) {
    return {a.x - b.x, a.y - b.y};
}
Vec operator*(Vec a, double k) {
    return {a.x * k, a.y * k};
}
double dot(Vec a, Vec b) {
    return a.x * b.x + a.y * b.y;
}
double length(Vec a) {
    return std::hypot(a.x, a.y);
}

Vec rotate(Vec a, double radians) {
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    return {a.x * c - a.y * s, a.x * s + a.y * c};
}

Rgb mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb rgb(int r, int g, int b) {
    return {double(r), double(g), double(b)};
}

namespace {

Box around(Vec c, double rx, double ry) {
    return {c.x - rx, c.y - ry, c.x + rx, c.y + ry};
}

Box merge(Box a, Box b) {
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

Box bounds_of(const std::vector<Vec>& points) {
    Box b{points.front().x, points.front().y, points.front().x, points.front().y};
    for (Vec p : points) {
        b = merge(b, {p.x, p.y, p.x, p.y});
    }
    return b;
}

double segment_distance(Vec p, Vec a, Vec b) {
    const Vec ab = b - a;
    const double len2 = dot(ab, ab);
    const double t = len2 > 0 ? std::clamp(dot(p - a, ab) / len2, 0.0, 1.0) : 0.0;
    return length(p - (a + ab * t));
}

}  // namespace

Shape circle(Vec centre, double radius) {
    return {[=](Vec p) { return length(p - centre) - radius; }, around(centre, radius, radius)};
}

Shape ellipse(Vec centre, double rx, double ry, double angle) {
    // Closed-form ellipse distance needs a quartic; this first-order estimate
    // is exact on the curve and close near it, which is all edges and
    // moderate outlines need.
    const double reach = std::max(rx, ry);
    return {[=](Vec p) {
                const Vec q = rotate(p - centre, -angle);
                const double k0 = std::hypot(q.x / rx, q.y / ry);
                const double k1 = std::hypot(q.x / (rx * rx), q.y / (ry * ry));
                if (k1 < 1e-9) {
                    return -std::min(rx, ry);
                }
                return k0 * (k0 - 1) / k1;
            },
            around(centre, reach, reach)};
}

Shape capsule(Vec a, Vec b, double radius) {
    return stroke({a, b}, radius);
}

Shape stroke(const std::vector<Vec>& points, double radius) {
    Box b = bounds_of(points);
    b = {b.x0 - radius, b.y0 - radius, b.x1 + radius, b.y1 + radius};
    return {[=](Vec p) {
                double best = length(p - points.front());
                for (std::size_t i = 1; i < points.size(); ++i) {
                    best = std::min(best, segment_distance(p, points[i - 1], points[i]));
                }
                return best - radius;
            },
            b};
}

Shape polygon(const std::vector<Vec>& points) {
    return {[=](Vec p) {
                double best = 1e300;
                bool inside = false;
                for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
                    const Vec a = points[j];
                    const Vec b = points[i];
                    best = std::min(best, segment_distance(p, a, b));
                    if ((a.y > p.y) != (b.y > p.y) &&
                        p.x < a.x + (b.x - a.x) * (p.y - a.y) / (b.y - a.y)) {
                        inside = !inside;
                    }
                }
                return inside ? -best : best;
            },
            bounds_of(points)};
}

Shape rounded_rect(Vec centre, double half_w, double half_h, double corner) {
    return {[=](Vec p) {
                const double qx = std::abs(p.x - centre.x) - (half_w - corner);
                const double qy = std::abs(p.y - centre.y) - (half_h - corner);
                const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
                return outside + std::min(std::max(qx, qy), 0.0) - corner;
            },
            around(centre, half_w, half_h)};
}

Shape grow(Shape s, double amount) {
    Box b{s.box.x0 - amount, s.box.y0 - amount, s.box.x1 + amount, s.box.y1 + amount};
    return {[f = std::move(s.distance), amount](Vec p) { return f(p) - amount; }, b};
}

Shape unite(Shape a, Shape b) {
    Box box = merge(a.box, b.box);
    return {[f = std::move(a.distance), g = std::move(b.distance)](Vec p) {
                return std::min(f(p), g(p));
            },
            box};
}

Shape unite(const std::vector<Shape>& parts) {
    Shape all = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) {
        all = unite(std::move(all), parts[i]);
    }
    return all;
}

Shape intersect(Shape a, Shape b) {
    Box box{std::max(a.box.x0, b.box.x0), std::max(a.box.y0, b.box.y0),
            std::min(a.box.x1, b.box.x1), std::min(a.box.y1, b.box.y1)};
    return {[f = std::move(a.distance), g = std::move(b.distance)](Vec p) {
                return std::max(f(p), g(p));
            },
            box};
}

Shape cut(Shape a, Shape b) {
    Box box = a.box;
    return {[f = std::move(a.distance), g = std::move(b.distance)](Vec p) {
                return std::max(f(p), -g(p));
            },
            box};
}

Shape moved(Shape s, Vec offset) {
    Box b{s.box.x0 + offset.x, s.box.y0 + offset.y, s.box.x1 + offset.x, s.box.y1 + offset.y};
    return {[f = std::move(s.distance), offset](Vec p) { return f(p - offset); }, b};
}

Shape rotated(Shape s, Vec pivot, double radians) {
    const std::vector<Vec> corners{
        {s.box.x0, s.box.y0}, {s.box.x1, s.box.y0}, {s.box.x0, s.box.y1}, {s.box.x1, s.box.y1}};
    std::vector<Vec> turned;
    for (Vec c : corners) {
        turned.push_back(pivot + rotate(c - pivot, radians));
    }
    return {[f = std::move(s.distance), pivot, radians](Vec p) {
                return f(pivot + rotate(p - pivot, -radians));
            },
            bounds_of(turned)};
}

void add_arc(std::vector<Vec>& points, Vec centre, double rx, double ry, double from_deg,
             double to_deg, int steps) {
    for (int i = 0; i <= steps; ++i) {
        const double a = (from_deg + (to_deg - from_deg) * i / steps) * std::numbers::pi / 180;
        points.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
    }
}

namespace {

Rgb along(const std::vector<Stop>& stops, double t) {
    if (t <= stops.front().at) {
        return stops.front().colour;
    }
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].at) {
            const double span = stops[i].at - stops[i - 1].at;
            return mix(stops[i - 1].colour, stops[i].colour,
                       span > 0 ? (t - stops[i - 1].at) / span : 1);
        }
    }
    return stops.back().colour;
}

}  // namespace

Paint linear(Vec a, Vec b, std::vector<Stop> stops) {
    const Vec ab = b - a;
    const double len2 = dot(ab, ab);
    return [=](Vec p) { return along(stops, dot(p - a, ab) / len2); };
}

Paint radial(Vec centre, double radius, std::vector<Stop> stops) {
    return [=](Vec p) { return along(stops, length(p - centre) / radius); };
}

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      px_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {}

void Canvas::clear(Rgb colour) {
    for (Rgba& p : px_) {
        p = {colour, 1};
    }
}

void Canvas::fill(const Shape& s, const Paint& paint, double opacity, double softness) {
    // The edge ramp is `softness` pixels wide: 1 gives a crisp anti-aliased
    // edge, larger values give the fuzzy rims the clouds and glows want.
    const double reach = softness / 2 + 1;
    const int x0 = std::max(0, static_cast<int>(std::floor(s.box.x0 - reach)));
    const int y0 = std::max(0, static_cast<int>(std::floor(s.box.y0 - reach)));
    const int x1 = std::min(width_ - 1, static_cast<int>(std::ceil(s.box.x1 + reach)));
    const int y1 = std::min(height_ - 1, static_cast<int>(std::ceil(s.box.y1 + reach)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const Vec centre{x + 0.5, y + 0.5};
            double cover = std::clamp(0.5 - s.distance(centre) / softness, 0.0, 1.0);
            if (softness > 1) {
                cover = cover * cover * (3 - 2 * cover);
            }
            cover *= opacity;
            if (cover <= 0) {
                continue;
            }
            // Straight (not premultiplied) "over", so paint on an empty
            // canvas keeps its own colour at the soft edges.
            Rgba& dst = px_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                            static_cast<std::size_t>(x)];
            const double a = cover + dst.a * (1 - cover);
            const double keep = dst.a * (1 - cover) / a;
            dst.c = mix(paint(centre), dst.c, keep);
            dst.a = a;
        }
    }
}

void Canvas::fill(const Shape& s, Rgb colour, double opacity, double softness) {
    fill(
        s, [colour](Vec) { return colour; }, opacity, softness);
}

Pixel8 Canvas::pixel(int x, int y) const {
    const Rgb c = px_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                      static_cast<std::size_t>(x)]
                      .c;
    auto to8 = [](double v) {
        return static_cast<std::uint8_t>(std::clamp(std::lround(v), 0L, 255L));
    };
    return {to8(c.r), to8(c.g), to8(c.b)};
}

double Canvas::alpha(int x, int y) const {
    return px_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x)]
        .a;
}

}  // namespace pictures
