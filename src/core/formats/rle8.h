#pragma once
// Run-length encoded 8-bit bitmaps: pairs (count, value), escapes for end of
// line (0,0), end of picture (0,1), delta moves (0,2,dx,dy) and absolute runs
// (0,n, n bytes, padded to an even count).
#include <cstdint>
#include <span>

namespace lumora {

// Decodes `encoded` into `pixels` (rows bottom-up, `stride` bytes apart).
// Stops at the end of picture, at the end of the input, or where a write
// would leave the pixel area; what was not written keeps its value.
void ExpandRLE8(std::span<const uint8_t> encoded, std::span<uint8_t> pixels, uint32_t stride);

}  // namespace lumora
