#include "artwork/raster.h"

#include <limits>
#include <utility>

namespace lumora::art {

Image Image::Crop(int x0, int y0, int w, int h) const
{
    Image out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (Contains(x0 + x, y0 + y))
                out.At(x, y) = At(x0 + x, y0 + y);
    return out;
}

Image Image::MirroredLeftRight() const
{
    Image out(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x)
            out.At(width_ - 1 - x, y) = At(x, y);
    return out;
}

void Image::Draw(const Image& src, int x0, int y0)
{
    for (int y = 0; y < src.Height(); ++y)
        for (int x = 0; x < src.Width(); ++x)
            Blend(x0 + x, y0 + y, src.At(x, y), 1);
}

Shape Circle(float cx, float cy, float radius)
{
    return [=](float x, float y) { return std::hypot(x - cx, y - cy) - radius; };
}

Shape Ellipse(float cx, float cy, float rx, float ry)
{
    // Scaled circle distance: exact enough for anti-aliasing at these sizes.
    const float k = std::min(rx, ry);
    return [=](float x, float y) { return (std::hypot((x - cx) / rx, (y - cy) / ry) - 1) * k; };
}

Shape Box(float x0, float y0, float x1, float y1, float radius)
{
    const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const float hx = (x1 - x0) / 2 - radius, hy = (y1 - y0) / 2 - radius;
    return [=](float x, float y) {
        const float qx = std::abs(x - cx) - hx, qy = std::abs(y - cy) - hy;
        const float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - radius;
    };
}

namespace {
float SegmentDistance(float px, float py, float ax, float ay, float bx, float by)
{
    const float dx = bx - ax, dy = by - ay;
    const float len2 = dx * dx + dy * dy;
    const float t = len2 > 0 ? Clamp01(((px - ax) * dx + (py - ay) * dy) / len2) : 0;
    return std::hypot(px - ax - t * dx, py - ay - t * dy);
}
}  // namespace

Shape Capsule(float x0, float y0, float x1, float y1, float radius)
{
    return [=](float x, float y) { return SegmentDistance(x, y, x0, y0, x1, y1) - radius; };
}

Shape Polygon(std::vector<float> points)
{
    return [p = std::move(points)](float x, float y) {
        const size_t n = p.size() / 2;
        float best = std::numeric_limits<float>::max();
        bool inside = false;
        for (size_t i = 0, j = n - 1; i < n; j = i++) {
            const float xi = p[2 * i], yi = p[2 * i + 1], xj = p[2 * j], yj = p[2 * j + 1];
            best = std::min(best, SegmentDistance(x, y, xi, yi, xj, yj));
            if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi)
                inside = !inside;
        }
        return inside ? -best : best;
    };
}

Shape Polyline(std::vector<float> points, float radius)
{
    return [p = std::move(points), radius](float x, float y) {
        float best = std::numeric_limits<float>::max();
        for (size_t i = 0; i + 3 < p.size(); i += 2)
            best = std::min(best, SegmentDistance(x, y, p[i], p[i + 1], p[i + 2], p[i + 3]));
        if (p.size() == 2)
            best = std::hypot(x - p[0], y - p[1]);
        return best - radius;
    };
}

Shape Union(Shape a, Shape b)
{
    return [=](float x, float y) { return std::min(a(x, y), b(x, y)); };
}
Shape Subtract(Shape a, Shape b)
{
    return [=](float x, float y) { return std::max(a(x, y), -b(x, y)); };
}
Shape Intersect(Shape a, Shape b)
{
    return [=](float x, float y) { return std::max(a(x, y), b(x, y)); };
}
Shape Grow(Shape a, float amount)
{
    return [=](float x, float y) { return a(x, y) - amount; };
}
Shape Translate(Shape a, float dx, float dy)
{
    return [=](float x, float y) { return a(x - dx, y - dy); };
}
Shape InnerBorder(Shape a, float width)
{
    return [=](float x, float y) {
        const float d = a(x, y);
        return std::max(d, -d - width);
    };
}

Paint Linear(float x0, float y0, Color c0, float x1, float y1, Color c1)
{
    const float dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
    return [=](float x, float y) { return Mix(c0, c1, Clamp01(((x - x0) * dx + (y - y0) * dy) / len2)); };
}

void Canvas::Fill(const Shape& shape, const Paint& paint, float opacity)
{
    constexpr int kSub = 4;
    for (int py = 0; py < target_.Height(); ++py)
        for (int px = 0; px < target_.Width(); ++px) {
            const float cx = (px + 0.5f) / scale_, cy = (py + 0.5f) / scale_;
            // Far from the outline the centre decides alone.
            const float d = shape(cx, cy);
            const float reach = 0.75f / scale_;
            float coverage;
            if (d > reach)
                continue;
            if (d < -reach) {
                coverage = 1;
            } else {
                int hits = 0;
                for (int sy = 0; sy < kSub; ++sy)
                    for (int sx = 0; sx < kSub; ++sx) {
                        const float x = (px + (sx + 0.5f) / kSub) / scale_;
                        const float y = (py + (sy + 0.5f) / kSub) / scale_;
                        hits += shape(x, y) < 0;
                    }
                coverage = hits / float(kSub * kSub);
            }
            if (coverage > 0)
                target_.Blend(px, py, paint(cx, cy), coverage * opacity);
        }
}

void Canvas::Shadow(const Shape& shape, float dx, float dy, float softness, Color color)
{
    for (int py = 0; py < target_.Height(); ++py)
        for (int px = 0; px < target_.Width(); ++px) {
            const float d = shape((px + 0.5f) / scale_ - dx, (py + 0.5f) / scale_ - dy);
            const float k = 1 - SmoothStep(-softness, softness, d);
            if (k > 0)
                target_.Blend(px, py, color, k);
        }
}

}  // namespace lumora::art
