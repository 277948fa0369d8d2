#include "artwork/quantize.h"

#include <algorithm>
#include <array>

namespace lumora::art {

uint8_t ToByte(float v)
{
    return static_cast<uint8_t>(std::lround(Clamp01(v) * 255));
}

namespace {

// Weighted squared distance: the eye is most sensitive to green.
bool IsNeutral(const ColorTriple& c)
{
    return std::max({c.red, c.green, c.blue}) - std::min({c.red, c.green, c.blue}) <= 16;
}

bool LooksGrey(const Color& c)
{
    const float spread = std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b});
    const float light = 0.3f * c.r + 0.59f * c.g + 0.11f * c.b;
    return spread < 0.1f || light < 0.1f;
}

int Nearest(const std::vector<ColorTriple>& colors, const std::vector<bool>& greys, bool greysOnly, float r, float g,
            float b)
{
    int best = 0;
    float bestDistance = 1e30f;
    for (size_t i = 0; i < colors.size(); ++i) {
        if (greysOnly && !greys[i])
            continue;
        const float dr = colors[i].red - r, dg = colors[i].green - g, db = colors[i].blue - b;
        const float d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
        }
    }
    return best;
}

}  // namespace

IndexedImage DiffuseOnto(const Image& image, const std::vector<ColorTriple>& colors, ColorChoice choice)
{
    std::vector<bool> greys(colors.size());
    for (size_t i = 0; i < colors.size(); ++i)
        greys[i] = IsNeutral(colors[i]);
    constexpr float kDamping = 0.8f;
    const int w = image.Width(), h = image.Height();
    IndexedImage out{w, h, std::vector<uint8_t>(static_cast<size_t>(w) * h), colors};
    // Error carried to the current and the next row, with one spare column
    // on each side so the kernel never needs a bounds check.
    std::vector<std::array<float, 3>> current(w + 2), next(w + 2);
    for (int y = 0; y < h; ++y) {
        const bool leftToRight = y % 2 == 0;
        const int step = leftToRight ? 1 : -1;
        for (int i = 0; i < w; ++i) {
            const int x = leftToRight ? i : w - 1 - i;
            const Color& c = image.At(x, y);
            const std::array<float, 3>& carried = current[x + 1];
            const float want[3] = {std::clamp(c.r * 255 + carried[0], 0.0f, 255.0f),
                                   std::clamp(c.g * 255 + carried[1], 0.0f, 255.0f),
                                   std::clamp(c.b * 255 + carried[2], 0.0f, 255.0f)};
            const bool greysOnly = choice == ColorChoice::GreysOnly ||
                                   (choice == ColorChoice::GreysWhereGrey && LooksGrey(c));
            const int index = Nearest(colors, greys, greysOnly, want[0], want[1], want[2]);
            out.indices[static_cast<size_t>(y) * w + x] = static_cast<uint8_t>(index);
            const float got[3] = {float(colors[index].red), float(colors[index].green), float(colors[index].blue)};
            for (int k = 0; k < 3; ++k) {
                const float e = (want[k] - got[k]) * kDamping;
                current[x + 1 + step][k] += e * 7 / 16;
                next[x + 1 - step][k] += e * 3 / 16;
                next[x + 1][k] += e * 5 / 16;
                next[x + 1 + step][k] += e * 1 / 16;
            }
        }
        std::swap(current, next);
        std::fill(next.begin(), next.end(), std::array<float, 3>{0, 0, 0});
    }
    return out;
}

namespace {
struct ColorBox {
    std::vector<ColorTriple> pixels;
    int Spread(int channel) const
    {
        int lo = 255, hi = 0;
        for (const ColorTriple& p : pixels) {
            const int v = channel == 0 ? p.red : channel == 1 ? p.green : p.blue;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
        }
        return hi - lo;
    }
};
}  // namespace

std::vector<ColorTriple> MedianCutColors(const Image& image, int count)
{
    std::vector<ColorBox> boxes(1);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const Color& c = image.At(x, y);
            boxes[0].pixels.push_back({ToByte(c.r), ToByte(c.g), ToByte(c.b)});
        }
    while (static_cast<int>(boxes.size()) < count) {
        // Split the box with the widest channel range, weighted by its size
        // so that large smooth areas get their share of shades.
        size_t widest = 0;
        long bestScore = -1;
        int bestChannel = 0;
        for (size_t i = 0; i < boxes.size(); ++i)
            for (int ch = 0; ch < 3; ++ch) {
                const long score = static_cast<long>(boxes[i].Spread(ch)) *
                                   static_cast<long>(std::min<size_t>(boxes[i].pixels.size(), 4000));
                if (boxes[i].pixels.size() > 1 && score > bestScore) {
                    bestScore = score;
                    widest = i;
                    bestChannel = ch;
                }
            }
        if (bestScore <= 0)
            break;
        std::vector<ColorTriple>& px = boxes[widest].pixels;
        auto key = [bestChannel](const ColorTriple& p) {
            return bestChannel == 0 ? p.red : bestChannel == 1 ? p.green : p.blue;
        };
        std::stable_sort(px.begin(), px.end(), [&](const ColorTriple& a, const ColorTriple& b) { return key(a) < key(b); });
        ColorBox upper;
        upper.pixels.assign(px.begin() + px.size() / 2, px.end());
        px.resize(px.size() / 2);
        boxes.push_back(std::move(upper));
    }
    std::vector<ColorTriple> colors;
    for (const ColorBox& box : boxes) {
        long r = 0, g = 0, b = 0;
        for (const ColorTriple& p : box.pixels) {
            r += p.red;
            g += p.green;
            b += p.blue;
        }
        const long n = std::max<long>(1, static_cast<long>(box.pixels.size()));
        colors.push_back({static_cast<uint8_t>((r + n / 2) / n), static_cast<uint8_t>((g + n / 2) / n),
                          static_cast<uint8_t>((b + n / 2) / n)});
    }
    colors.resize(count, ColorTriple{0, 0, 0});
    return colors;
}

}  // namespace lumora::art
