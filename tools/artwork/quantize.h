#pragma once
// Reducing true-colour artwork to a fixed colour table.
#include <cstdint>
#include <vector>

#include "artwork/raster.h"
#include "core/picture/picture.h"

namespace lumora::art {

struct IndexedImage {
    int width = 0, height = 0;
    std::vector<uint8_t> indices;  // row by row from the top
    std::vector<ColorTriple> colors;       // the colour table the indices refer to
};

// Serpentine Floyd-Steinberg error diffusion onto `colors`. The error passed
// on is damped a little so flat areas stay calm instead of crawling with
// dots. Alpha is ignored: the pictures are opaque.
// Which entries may stand for a pixel. Grey entries are those whose
// channels differ by at most 16. Steel, shadows and paper should not break
// into coloured dots, which a small table otherwise sprinkles over them.
enum class ColorChoice {
    Any,
    GreysOnly,         // every pixel
    GreysWhereGrey,    // pixels that are themselves nearly grey or very dark
};

IndexedImage DiffuseOnto(const Image& image, const std::vector<ColorTriple>& colors, ColorChoice choice = ColorChoice::Any);

// A colour table of at most `count` entries fitted to the picture by median
// cut, for pictures shown with their own palette.
std::vector<ColorTriple> MedianCutColors(const Image& image, int count);

// The 8-bit value of a 0..1 component, rounded and clamped.
uint8_t ToByte(float v);

}  // namespace lumora::art
