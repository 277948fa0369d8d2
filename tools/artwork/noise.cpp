#include "artwork/noise.h"

#include <cmath>

namespace lumora::art {

namespace {
uint32_t Mix32(uint32_t h)
{
    h ^= h >> 16;
    h *= 0x7feb352dU;
    h ^= h >> 15;
    h *= 0x846ca68bU;
    h ^= h >> 16;
    return h;
}

float Fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }
}  // namespace

float Noise::Hash(int x, int y) const
{
    const uint32_t h = Mix32(static_cast<uint32_t>(x) * 0x9E3779B1U ^ Mix32(static_cast<uint32_t>(y) + seed_));
    return (h >> 8) / 16777216.0f;
}

float Noise::Value(float x, float y) const
{
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const float tx = Fade(x - fx), ty = Fade(y - fy);
    const float a = Hash(ix, iy), b = Hash(ix + 1, iy);
    const float c = Hash(ix, iy + 1), d = Hash(ix + 1, iy + 1);
    const float top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

float Noise::Fractal(float x, float y, int octaves) const
{
    float sum = 0, weight = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        // Each octave is shifted so that lattice points do not line up.
        sum += weight * Value(x + i * 17.31f, y - i * 11.17f);
        total += weight;
        weight *= 0.5f;
        x *= 2;
        y *= 2;
    }
    return sum / total;
}

Noise::Cells Noise::Cellular(float x, float y) const
{
    const int ix = static_cast<int>(std::floor(x)), iy = static_cast<int>(std::floor(y));
    Cells cells{9, 9};
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int cx = ix + dx, cy = iy + dy;
            const float px = cx + 0.15f + 0.7f * Hash(cx, cy);
            const float py = cy + 0.15f + 0.7f * Hash(cy * 7 + 3, cx * 13 - 5);
            const float d = std::hypot(x - px, y - py);
            if (d < cells.nearest) {
                cells.second = cells.nearest;
                cells.nearest = d;
            } else if (d < cells.second) {
                cells.second = d;
            }
        }
    return cells;
}

}  // namespace lumora::art
