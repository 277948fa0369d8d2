#pragma once
// The pieces the album painter cuts the book from: leather, spine with the
// binder rings, paper page with the right-hand ring ends beside it, the
// board edges and the gilded title plate. All sizes and column positions
// are the ones the painter's cutting table expects (in classic pixels; a
// piece drawn at a scale is that many times larger).
#include "artwork/raster.h"

namespace lumora::art {

constexpr int kBookHeight = 372;
constexpr int kLeatherWidth = 250;
constexpr int kSpineWidth = 54;
constexpr int kPageWidth = 257, kPageHeight = 356;
constexpr int kPageSheetWidth = 282;  // page, two spare columns, ring ends
constexpr int kRingEndsColumn = 259, kRingEndsWidth = 23;
constexpr int kEdgeWidth = 24;
constexpr int kPlateWidth = 166, kPlateHeight = 122;

// Where the pieces sit in the open book (origin at the book picture's
// top-left): the painter puts the spine at column 253, the left page at
// (16, 8) and the right page, mirrored, at (287, 8).
constexpr int kSpineLeft = 253;
constexpr int kLeftPageLeft = 16, kRightPageLeft = 287, kPageTop = 8;
// The plate lands on the cover at (55, 55), i.e. on the leather at (43, 55).
constexpr int kPlateOnLeatherX = 43, kPlateOnLeatherY = 55;

// `subdued` lowers texture contrast for the 16-colour set, where every
// shade becomes a dither pattern. `scale` draws the pieces that many
// pixels per pixel of the classic size, for zoomed books and dense
// screens: the same surfaces evaluated finer, so that at scale 1 they are
// exactly the classic pictures.
struct BookStyle {
    bool subdued = false;
    int scale = 1;
};

Image RenderLeather(const BookStyle& style);
Image RenderSpine(const BookStyle& style);
Image RenderPageSheet(const BookStyle& style);
Image RenderEdge(const BookStyle& style);
Image RenderTitlePlate(const BookStyle& style);

}  // namespace lumora::art
