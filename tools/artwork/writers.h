#pragma once
// File writers of the artwork generator: GIF87a through giflib's encoder
// and RGBA PNG through zlib.
#include <string>

#include "artwork/quantize.h"
#include "artwork/raster.h"

namespace lumora::art {

// `bitsPerPixel` is 4 or 8; the colour table is padded or cut to that size.
bool WriteGif87a(const std::string& path, const IndexedImage& image, int bitsPerPixel);

// 8-bit RGBA PNG, straight alpha.
bool WritePng(const std::string& path, const Image& image);

// An opaque picture as a baseline JPEG file at `quality` (alpha ignored).
bool WriteJpeg(const std::string& path, const Image& image, int quality);

}  // namespace lumora::art
