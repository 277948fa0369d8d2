#pragma once
// The largest picture the readers accept, checked from the declared size
// before any pixel memory is taken. A file of a few hundred bytes may declare
// a canvas of two thousand million pixels; such a picture is refused
// (ReadError::TooLarge) instead of being allocated and decoded for minutes.
#include <cstdint>

namespace lumora {

// 200 million pixels, or LUMORA_MAX_MEGAPIXELS (a positive whole number of
// millions) from the environment for whoever needs larger panoramas.
uint64_t MaxPicturePixels();

// True when a width x height picture of at most `limitPixels` may be read.
bool PictureSizeAllowed(uint64_t width, uint64_t height, uint64_t limitPixels);
bool PictureSizeAllowed(uint64_t width, uint64_t height);  // within MaxPicturePixels()

}  // namespace lumora
