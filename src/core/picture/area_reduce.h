#pragma once
// Smooth reduction of a picture to 24 bits: every new pixel is the mean of
// the source pixels it covers.
#include <cstdint>

#include "core/picture/picture.h"

namespace lumora {

// A 24-bit picture of the new size from a source of 1, 4, 8 or 24 bits.
// Each new pixel averages the source area under it, partly covered pixels
// weighted by how much of them it covers (enlarging blends neighbours). Empty for other sources or sizes.
Picture ReduceToTrueColor(const Picture& source, int32_t newWidth, int32_t newHeight);

}  // namespace lumora
