#pragma once
// Reducing true-colour artwork to a fixed colour table.
#include <cstdint>
#include <vector>

#include "artwork/raster.h"
#include "imaging/dib.h"

namespace lumora::art {

struct IndexedImage {
    int width = 0, height = 0;
    std::vector<uint8_t> indices;  // row by row from the top
    std::vector<Rgb> colors;       // the colour table the indices refer to
};

// Serpentine Floyd-Steinberg error diffusion onto `colors`. The error passed
// on is damped a little so flat areas stay calm instead of crawling with
// dots. Alpha is ignored: the pictures are opaque.
// With `neutralOnly`, entries whose channels differ by more than 16 are not
// used: white paper should not break into coloured dots.
IndexedImage DiffuseOnto(const Image& image, const std::vector<Rgb>& colors, bool neutralOnly = false);

// A colour table of at most `count` entries fitted to the picture by median
// cut, for pictures shown with their own palette.
std::vector<Rgb> MedianCutColors(const Image& image, int count);

// The 8-bit value of a 0..1 component, rounded and clamped.
uint8_t ToByte(float v);

}  // namespace lumora::art
