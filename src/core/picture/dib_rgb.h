#pragma once
// Expanding packed DIB rows to 32-bit pixels (0xFFRRGGBB), the form the
// GUI hands to its painter.
#include <cstdint>
#include <vector>

#include "core/picture/picture.h"

namespace lumora {

// Row `memoryRow` (0 = the first row in memory, the bottom of the picture)
// of a valid 1-, 4-, 8- or 24-bit block into `out` (width entries).
void DIBRowToRGB32(PictureSpan dib, uint32_t memoryRow, uint32_t* out);

// The whole picture top-down, width x height entries; empty for an invalid
// block.
std::vector<uint32_t> DIBToRGB32TopDown(const Picture& dib);

}  // namespace lumora
