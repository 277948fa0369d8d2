#include "core/formats/pcd/pcd_plane.h"

#include <cstring>
#include <new>

namespace lumora::pcd {
namespace {

// Row `source` (w samples) becomes row `target` (2w samples). Works right to
// left so a row can widen over itself.
void WidenRow(const uint8_t* source, uint8_t* target, uint32_t w)
{
    target[2 * w - 1] = source[w - 1];
    target[2 * w - 2] = source[w - 1];
    for (uint32_t x = w - 1; x-- > 0;) {
        const unsigned left = source[x], right = source[x + 1];
        target[2 * x + 1] = static_cast<uint8_t>((left + right + 1) / 2);
        target[2 * x] = static_cast<uint8_t>(left);
    }
}

// The row between `above` and `below`, both already 2w samples wide.
void BlendRows(const uint8_t* above, const uint8_t* below, uint8_t* out, uint32_t w)
{
    for (uint32_t x = 0; x + 1 < w; ++x) {
        const unsigned a0 = above[2 * x], a2 = above[2 * x + 2];
        const unsigned b0 = below[2 * x], b2 = below[2 * x + 2];
        out[2 * x] = static_cast<uint8_t>((a0 + b0 + 1) / 2);
        out[2 * x + 1] = static_cast<uint8_t>((a0 + a2 + b0 + b2 + 2) / 4);
    }
    out[2 * w - 2] = static_cast<uint8_t>((above[2 * w - 2] + below[2 * w - 2] + 1u) / 2);
    out[2 * w - 1] = static_cast<uint8_t>((above[2 * w - 1] + below[2 * w - 1] + 1u) / 2);
}

}  // namespace

PcdPlane AllocatePlane(uint32_t allocWidth, uint32_t allocHeight, uint32_t width,
                       uint32_t height, uint8_t fill, PcdErrorLog& errors)
{
    PcdPlane plane;
    if (width > allocWidth || height > allocHeight) {
        errors.Raise(kPcdErrConsistency);
        return {};
    }
    plane.pixels.reset(new (std::nothrow) uint8_t[size_t{allocWidth} * allocHeight]);
    if (!plane.pixels) {
        errors.Raise(kPcdErrMemory);
        return {};
    }
    plane.stride = allocWidth;
    plane.allocWidth = allocWidth;
    plane.allocHeight = allocHeight;
    plane.width = width;
    plane.height = height;
    // Only the current part is ever read before being written: doubling
    // writes every sample of the part it grows into.
    for (uint32_t y = 0; y < height; ++y)
        std::memset(plane.Row(y), fill, width);
    return plane;
}

bool UpsamplePlane(PcdPlane& plane, PcdErrorLog& errors)
{
    const uint32_t w = plane.width, h = plane.height;
    if (!plane || w == 0 || h == 0 || uint64_t{w} * 2 > plane.allocWidth ||
        uint64_t{h} * 2 > plane.allocHeight || plane.stride < plane.allocWidth) {
        errors.Raise(kPcdErrConsistency);
        return false;
    }
    // Last row first: row y moves down to 2y, never over a row still to move.
    for (uint32_t y = h; y-- > 0;)
        WidenRow(plane.Row(y), plane.Row(2 * y), w);
    for (uint32_t y = 0; y + 1 < h; ++y)
        BlendRows(plane.Row(2 * y), plane.Row(2 * y + 2), plane.Row(2 * y + 1), w);
    std::memcpy(plane.Row(2 * h - 1), plane.Row(2 * h - 2), 2 * size_t{w});
    plane.width = 2 * w;
    plane.height = 2 * h;
    return true;
}

}  // namespace lumora::pcd
