#pragma once
// How a scan was turned, and writing the converted planes out as a 24-bit
// picture the right way up.
#include <cstdint>

#include "core/picture/picture.h"
#include "core/formats/pcd/pcd_plane.h"

namespace lumora::pcd {

enum class Orientation {
    Upright = 0,
    QuarterAnticlockwise = 1,
    UpsideDown = 2,
    QuarterClockwise = 3,
};

// From the attribute byte: only its two low bits count.
constexpr Orientation OrientationFromByte(uint8_t attribute)
{
    return static_cast<Orientation>(attribute & 3);
}

// A 24-bit picture from planes holding red, green and blue (all the same
// size), turned as `orientation` says; quarter turns swap width and height.
// Steps the progress gauge per output row when `progress` is set. Empty
// when the picture cannot be allocated.
Picture WriteTurnedDIB(const PcdPlane& red, const PcdPlane& green, const PcdPlane& blue,
                    Orientation orientation, bool progress);

}  // namespace lumora::pcd
