#include "core/formats/pcd/orientation.h"

#include "core/platform/services.h"

namespace lumora::pcd {
namespace {

// Where output pixel (x, y) of a w x h output (y = 0 at the top) comes from
// in the planes: a starting sample and the steps along an output row and
// down to the next one.
struct SourceWalk {
    ptrdiff_t origin;
    ptrdiff_t alongRow;
    ptrdiff_t nextRow;
};

SourceWalk WalkFor(Orientation orientation, const PcdPlane& plane)
{
    const ptrdiff_t stride = plane.stride;
    const ptrdiff_t lastX = ptrdiff_t{plane.width} - 1;
    const ptrdiff_t lastY = ptrdiff_t{plane.height} - 1;
    switch (orientation) {
    case Orientation::QuarterAnticlockwise:
        // Output rows run down the source's columns from the right.
        return {lastX, stride, -1};
    case Orientation::UpsideDown:
        return {lastY * stride + lastX, -1, -stride};
    case Orientation::QuarterClockwise:
        // Output rows run up the source's columns from the left.
        return {lastY * stride, -stride, 1};
    case Orientation::Upright:
        break;
    }
    return {0, 1, stride};
}

bool IsQuarterTurn(Orientation orientation)
{
    return orientation == Orientation::QuarterAnticlockwise ||
           orientation == Orientation::QuarterClockwise;
}

}  // namespace

Picture WriteTurnedDIB(const PcdPlane& red, const PcdPlane& green, const PcdPlane& blue,
                    Orientation orientation, bool progress)
{
    const bool quarter = IsQuarterTurn(orientation);
    const uint32_t outWidth = quarter ? red.height : red.width;
    const uint32_t outHeight = quarter ? red.width : red.height;
    Picture dib = Picture::Make(static_cast<int32_t>(outWidth), static_cast<int32_t>(outHeight), 24);
    if (!dib)
        return {};
    const SourceWalk walk = WalkFor(orientation, red);
    const uint64_t outStride = PictureRowBytes(outWidth, 24);
    uint8_t* pixels = dib.Pixels();
    const uint8_t* r = red.Row(0);
    const uint8_t* g = green.Row(0);
    const uint8_t* b = blue.Row(0);
    for (uint32_t y = 0; y < outHeight; ++y) {
        // Output row 0 is the top: the last row of a bottom-up picture.
        uint8_t* out = pixels + (outHeight - 1 - y) * outStride;
        ptrdiff_t at = walk.origin + ptrdiff_t{y} * walk.nextRow;
        for (uint32_t x = 0; x < outWidth; ++x, at += walk.alongRow, out += 3) {
            out[0] = b[at];
            out[1] = g[at];
            out[2] = r[at];
        }
        if (progress)
            CurrentProgressSink().SetProgress(y + 1, outHeight);
    }
    return dib;
}

}  // namespace lumora::pcd
