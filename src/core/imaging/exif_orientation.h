#pragma once
// The orientation a camera records with a photo (1 to 8, as in the EXIF and
// TIFF Orientation tag): how the stored rows must be turned or mirrored to
// stand upright. A small reader of that one tag, checking every offset
// against the bytes it has.
#include <cstdint>
#include <span>

#include "core/imaging/dib.h"

namespace lumora {

constexpr int kOrientationNormal = 1;

// From a JPEG APP1 segment's payload ("Exif\0\0" then a TIFF structure);
// 1 when there is no valid tag.
int ExifOrientation(std::span<const uint8_t> app1);

// From a TIFF structure (byte-order mark, first directory); 1 when absent.
int TiffStructureOrientation(std::span<const uint8_t> tiff);

// The picture turned upright for orientation 2 to 8 (a new block, the size
// of the picture); the picture unchanged for 1 or an invalid value. Empty
// only when memory fails.
HDIB ApplyOrientation(HDIB dib, int orientation);

}  // namespace lumora
