#pragma once
// Photo YCC to RGB in fixed point (8 fraction bits). Photo YCC leaves room
// above reference white, so sums run to 1023 before the final scale to
// 0..255.
#include <cstdint>

#include "core/formats/pcd/pcd_errors.h"
#include "core/formats/pcd/pcd_plane.h"

namespace lumora::pcd {

struct RgbSample {
    uint8_t red, green, blue;
};

RgbSample YccToRgb(uint8_t luma, uint8_t chroma1, uint8_t chroma2);

// Converts three planes of one size in place: the luma plane receives red,
// the first chroma plane green and the second blue. Planes of different
// sizes raise error 3 and are left alone.
bool ConvertPlanesToRgb(PcdPlane& luma, PcdPlane& chroma1, PcdPlane& chroma2,
                        PcdErrorLog& errors);

}  // namespace lumora::pcd
