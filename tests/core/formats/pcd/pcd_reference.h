#pragma once
// Straightforward computations to check the decoder against: doubling a
// plane into a fresh buffer, and the colour formulas written out in full.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/picture/picture.h"

namespace lumora::test::pcd {

struct SamplePlane {
    uint32_t width = 0, height = 0;
    std::vector<uint8_t> samples;
    uint8_t At(uint32_t x, uint32_t y) const { return samples[y * width + x]; }
};

inline SamplePlane ReferenceUpsample(const SamplePlane& in)
{
    const uint32_t w = in.width, h = in.height;
    SamplePlane out{2 * w, 2 * h, std::vector<uint8_t>(size_t{4} * w * h)};
    auto set = [&](uint32_t x, uint32_t y, unsigned v) {
        out.samples[y * out.width + x] = static_cast<uint8_t>(v);
    };
    auto get = [&](uint32_t x, uint32_t y) -> unsigned { return out.samples[y * out.width + x]; };
    for (uint32_t y = 0; y < h; ++y) {
        for (uint32_t x = 0; x < w; ++x) {
            set(2 * x, 2 * y, in.At(x, y));
            const unsigned right = x + 1 < w ? in.At(x + 1, y) : in.At(x, y);
            set(2 * x + 1, 2 * y, x + 1 < w ? (in.At(x, y) + right + 1) / 2 : in.At(x, y));
        }
    }
    for (uint32_t y = 0; y + 1 < h; ++y) {
        const uint32_t a = 2 * y, b = 2 * y + 2;
        for (uint32_t x = 0; x < 2 * w; ++x) {
            unsigned v;
            if (x % 2 == 0 || x == 2 * w - 1)
                v = (get(x, a) + get(x, b) + 1) / 2;
            else
                v = (get(x - 1, a) + get(x + 1, a) + get(x - 1, b) + get(x + 1, b) + 2) / 4;
            set(x, 2 * y + 1, v);
        }
    }
    for (uint32_t x = 0; x < 2 * w; ++x)
        set(x, 2 * h - 1, get(x, 2 * h - 2));
    return out;
}

inline uint8_t ScaleFixed(int32_t sum)
{
    return static_cast<uint8_t>(std::clamp(sum >> 8, 0, 1023) / 4);
}

inline ColorTriple ReferenceRgb(int y, int c1, int c2)
{
    return {ScaleFixed(1391 * y + 1865 * c2 - 255023),
            ScaleFixed(1391 * y - 441 * c1 - 949 * c2 + 199313),
            ScaleFixed(1391 * y + 2271 * c1 - 353784)};
}

}  // namespace lumora::test::pcd
