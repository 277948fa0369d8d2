#pragma once
// Where an album page lands on a printed sheet. Pages are laid out on a
// 238 x 338 page model (the part of the book's page area that one page
// covers); the model is fitted, proportions kept, onto the printer's
// printable area and every box of the page is scaled with it. Pure integer
// and floating-point geometry: the drawing is the GUI's.
#include "core/layout/geometry.h"
#include "core/layout/layout_table.h"

namespace lumora {

inline constexpr Size kPageModelSize{238, 338};

// The printable area of a sheet in device pixels and the device's
// resolution.
struct PrintSheet {
    int width = 0;
    int height = 0;
    int dpiX = 0;
    int dpiY = 0;
};

// The page model fitted on a sheet: `area` in device pixels (from the
// printable area's top-left corner), `sx` and `sy` device pixels per model
// unit.
struct FittedPage {
    Rect area;
    double sx = 0;
    double sy = 0;
};

// The model as large as the sheet allows, centred across the narrow way.
FittedPage FitPageModel(const PrintSheet& sheet);

// A model rectangle in device pixels: each coordinate scaled (truncated)
// and moved to the fitted area's origin.
Rect ModelToDevice(const FittedPage& page, const Rect& model);

// The album's fonts on the sheet: the height scaled by sy and by 52/72,
// truncated toward zero.
int PrintedFontHeight(int height, double sy);
// A text item's font when printed: its height scaled by `scale` and 65/72.
int PrintedTextItemHeight(int height, double scale);

// The half-inch bands across the whole sheet: the page title at the top,
// the page number at the bottom.
Rect PageTitleBand(const PrintSheet& sheet);
Rect PageNumberBand(const PrintSheet& sheet);

// Slot `slot` of `page` in device pixels: the slot origin of the page's
// side, moved into the page model (right-hand pages by (-288, -8),
// left-hand ones by (0, -8)), a picture box narrowed by 4 x 3, then
// scaled. Both sides of a sheet therefore put a slot at the same place.
// Empty for a slot beyond the layout's slot count.
Rect PrintSlotRect(const PageLayout& layout, int page, int slot, const FittedPage& fitted);

// Under a printed photo, its description: half an inch below the slot,
// as wide as the slot.
Rect DescriptionBand(const Rect& slot, int dpiY);

// A picture of `width` x `height` printed in `box`: as large as the box
// allows, proportions kept, centred (up or down).
Rect FitPictureInBox(const Rect& box, int width, int height);

// How many pixels of a `width` x `height` picture are worth sending for
// `printed`, its size in device pixels: the printed size when the picture
// is larger, the picture's own size otherwise. A 12-megapixel photo in a
// 6 cm slot goes to the printer at the slot's resolution, not at 12 MP.
Size PrintResolution(int width, int height, Size printed);

// Paper shows no more than this many photo pixels per inch: a photo for a
// 600- or 1200-dpi device (or a PDF printed to file at the printer's
// resolution) is read no larger than at 300 dpi and enlarged when drawn.
inline constexpr int kPhotoPixelsPerInch = 300;
// The box a photo printed in `printed` device pixels at `dpi` is read for.
Size PhotoReadingBox(Size printed, int dpi);

// The cover sheets. The title on the front cover's plate.
Rect FrontCoverTitleBox(const FittedPage& fitted);
// The flyleaf's title and description boxes: left and top from the fitted
// area's origin, right (and the description's top and bottom) measured
// back from its right and bottom edges.
Rect FlyleafTitleBox(const FittedPage& fitted);
Rect FlyleafDescriptionBox(const FittedPage& fitted);

// The three cover sheets.
inline constexpr int kCoverSheetCount = 3;
enum CoverSheet { kFrontCoverSheet = 0, kFlyleafSheet = 1, kBackCoverSheet = 2 };

// Sheets printed: one per album page, or the three cover sheets.
int PrintedSheetCount(int albumPageCount, bool covers);

// The sheet (from 1) a print preview opens on for a view at `position`:
// the view's page, a cover or flyleaf position counting as the first page.
int PreviewStartSheet(int position, int albumPageCount);

}  // namespace lumora
