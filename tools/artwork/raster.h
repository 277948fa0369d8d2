#pragma once
// True-colour drawing surface for the artwork generator: floating-point
// RGBA pixels, anti-aliased shapes given as signed distance functions, and
// the small colour arithmetic the renderers share.
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace lumora::art {

struct Color {
    float r = 0, g = 0, b = 0, a = 1;
};

inline Color operator*(Color c, float k) { return {c.r * k, c.g * k, c.b * k, c.a}; }
inline Color operator+(Color x, Color y) { return {x.r + y.r, x.g + y.g, x.b + y.b, x.a}; }

inline float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
inline float Lerp(float a, float b, float t) { return a + (b - a) * t; }
inline float SmoothStep(float e0, float e1, float v)
{
    const float t = Clamp01((v - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
inline Color Mix(Color a, Color b, float t)
{
    return {Lerp(a.r, b.r, t), Lerp(a.g, b.g, t), Lerp(a.b, b.b, t), Lerp(a.a, b.a, t)};
}
// Colour from 0..255 components.
inline Color Rgb8(int r, int g, int b, float a = 1) { return {r / 255.0f, g / 255.0f, b / 255.0f, a}; }

class Image {
public:
    Image() = default;
    Image(int width, int height, Color fill = {0, 0, 0, 0})
        : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}

    int Width() const { return width_; }
    int Height() const { return height_; }
    Color& At(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    const Color& At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Source-over blend of `c` with extra coverage `k` (0..1).
    void Blend(int x, int y, Color c, float k)
    {
        if (!Contains(x, y))
            return;
        const float sa = Clamp01(c.a * k);
        Color& d = At(x, y);
        const float oa = sa + d.a * (1 - sa);
        if (oa <= 0) {
            d = {0, 0, 0, 0};
            return;
        }
        d.r = (c.r * sa + d.r * d.a * (1 - sa)) / oa;
        d.g = (c.g * sa + d.g * d.a * (1 - sa)) / oa;
        d.b = (c.b * sa + d.b * d.a * (1 - sa)) / oa;
        d.a = oa;
    }

    // The rectangle (x, y, w, h) as a new picture; pixels outside are clear.
    Image Crop(int x0, int y0, int w, int h) const;
    Image MirroredLeftRight() const;
    // Copies `src` with its top-left at (x, y), blending by its alpha.
    void Draw(const Image& src, int x, int y);

private:
    int width_ = 0, height_ = 0;
    std::vector<Color> pixels_;
};

// A shape in design units: negative inside, positive outside, the value
// approximating the distance to the outline.
using Shape = std::function<float(float, float)>;
using Paint = std::function<Color(float, float)>;

Shape Circle(float cx, float cy, float radius);
Shape Ellipse(float cx, float cy, float rx, float ry);
Shape Box(float x0, float y0, float x1, float y1, float radius = 0);
Shape Capsule(float x0, float y0, float x1, float y1, float radius);
// Closed polygon from corner points (x0, y0, x1, y1, ...).
Shape Polygon(std::vector<float> points);
// Open polyline of round-capped segments.
Shape Polyline(std::vector<float> points, float radius);
Shape Union(Shape a, Shape b);
Shape Subtract(Shape a, Shape b);
Shape Intersect(Shape a, Shape b);
Shape Grow(Shape a, float amount);
Shape Translate(Shape a, float dx, float dy);
// The outline band of `a`, `width` wide, lying inside the shape.
Shape InnerBorder(Shape a, float width);

inline Paint Solid(Color c)
{
    return [c](float, float) { return c; };
}
// Linear gradient from c0 at (x0, y0) to c1 at (x1, y1).
Paint Linear(float x0, float y0, Color c0, float x1, float y1, Color c1);

// Draws shapes given in design units onto an image, `scale` pixels per unit,
// with 4 x 4 samples per pixel for the coverage.
class Canvas {
public:
    Canvas(Image& target, float scale) : target_(target), scale_(scale) {}
    void Fill(const Shape& shape, const Paint& paint, float opacity = 1);
    void Fill(const Shape& shape, Color color, float opacity = 1) { Fill(shape, Solid(color), opacity); }
    // A soft shadow of the shape, offset and blurred by `softness` units.
    void Shadow(const Shape& shape, float dx, float dy, float softness, Color color);

private:
    Image& target_;
    float scale_;
};

}  // namespace lumora::art
