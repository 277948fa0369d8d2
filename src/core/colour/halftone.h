#pragma once
// Mapping pictures onto the application palette with an ordered dither over
// the 6x6x6 colour cube, and reducing them to another size on the way.
#include <cstdint>

#include "core/picture/picture.h"
#include "core/colour/palette.h"

namespace lumora {

// 8-bit picture of the same size whose colour table is `palette` (always
// AppPalette in this program). Sources of 1, 4, 8 or 24 bits; others give
// an empty handle.
Picture ConvertToAppPalette(const Picture& source, const Palette& palette);

// The same mapping at a new size, sampling the nearest source pixel.
Picture ResizeToAppPalette(const Picture& source, int32_t newWidth, int32_t newHeight,
                        const Palette& palette);

// Windows MulDiv: a x b / c in 64 bits, rounded to the nearest integer
// (halves away from zero); -1 when c is 0.
int32_t MulDiv(int32_t a, int32_t b, int32_t c);

}  // namespace lumora
