// Drawing primitives for the game's pictures.
//
// Every shape is a signed distance function (negative inside) with a bounding
// box. That one idea buys smooth anti-aliased edges (coverage comes straight
// from the distance), outlines of any width (grow the shape), and unions or
// cut-outs of parts, so the artwork stays a short list of simple shapes.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace pictures {

struct Vec {
    double x = 0;
    double y = 0;
};

Vec operator+(Vec a, Vec b);
Vec operator-(Vec a, Vec b);
Vec operator*(Vec a, double k);
double dot(Vec a, Vec b);
double length(Vec a);
Vec rotate(Vec a, double radians);

// Colour channels are 0..255 but kept as doubles so shading and blending do
// not band before the final rounding.
struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

Rgb mix(Rgb a, Rgb b, double t);
Rgb rgb(int r, int g, int b);

struct Box {
    double x0 = 0;
    double y0 = 0;
    double x1 = 0;
    double y1 = 0;
};

struct Shape {
    std::function<double(Vec)> distance;
    Box box;
};

Shape circle(Vec centre, double radius);
Shape ellipse(Vec centre, double rx, double ry, double angle = 0);
Shape capsule(Vec a, Vec b, double radius);
// A thick line through the points with round joins and caps.
Shape stroke(const std::vector<Vec>& points, double radius);
Shape polygon(const std::vector<Vec>& points);
Shape rounded_rect(Vec centre, double half_w, double half_h, double corner);

Shape grow(Shape s, double amount);
Shape unite(Shape a, Shape b);
Shape unite(const std::vector<Shape>& parts);
Shape intersect(Shape a, Shape b);
Shape cut(Shape a, Shape b);
Shape moved(Shape s, Vec offset);
Shape rotated(Shape s, Vec pivot, double radians);

// Points along an elliptic arc; angles in degrees, 0 = right, 90 = down.
void add_arc(std::vector<Vec>& points, Vec centre, double rx, double ry, double from_deg,
             double to_deg, int steps = 24);

using Paint = std::function<Rgb(Vec)>;

// Colour stops along the line from a to b; positions 0..1, ascending.
struct Stop {
    double at;
    Rgb colour;
};
Paint linear(Vec a, Vec b, std::vector<Stop> stops);
Paint radial(Vec centre, double radius, std::vector<Stop> stops);

struct Pixel8 {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

class Canvas {
public:
    // Starts fully transparent, so pictures with a mask know what is empty.
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }

    void clear(Rgb colour);
    void fill(const Shape& s, const Paint& paint, double opacity = 1, double softness = 1);
    void fill(const Shape& s, Rgb colour, double opacity = 1, double softness = 1);

    Pixel8 pixel(int x, int y) const;
    double alpha(int x, int y) const;

private:
    struct Rgba {
        Rgb c;
        double a = 0;
    };
    int width_;
    int height_;
    std::vector<Rgba> px_;
};

}  // namespace pictures
