#pragma once
// A picture printed as a poster of a chosen physical width, cut into as
// many sheets as the printer's printable area needs. Sheets carry no
// margins, overlap or marks: neighbouring sheets meet exactly at the tile
// borders.
#include "core/layout/geometry.h"
#include "core/print/print_page_geometry.h"

namespace lumora {

inline constexpr int kPosterWidthAtStart = 64;  // centimetres
inline constexpr int kPosterSmallestCm = 1;
inline constexpr int kPosterLargestCm = 1000;

struct PosterTiling {
    double sx = 0;  // device pixels per picture pixel, across
    double sy = 0;  // and down (the height follows the picture's proportions)
    int tileWidth = 0;   // picture pixels per sheet
    int tileHeight = 0;
    int columns = 0;
    int rows = 0;
    int Sheets() const { return columns * rows; }
};

// The tiling of a `width` x `height` picture `widthCm` centimetres wide on
// `sheet`. No sheet at all for an empty picture, a width below 1 cm or a
// sheet without size or resolution.
PosterTiling TilePoster(int width, int height, int widthCm, const PrintSheet& sheet);

// Sheet `n` (from 1, row by row): the part of the picture it carries
// (top-down picture pixels) and where it goes (from the printable area's
// top-left corner). Both empty beyond the last sheet.
struct PosterTile {
    Rect source;
    Rect dest;
};
PosterTile PosterSheet(const PosterTiling& tiling, int width, int height, int n);

// The poster dialog's proportions: the height that goes with a width for a
// picture first proposed at w0 x h0, and the width that goes with a height.
int PosterHeightFor(int width, int w0, int h0);
int PosterWidthFor(int height, int w0, int h0);

}  // namespace lumora
