#include <gtest/gtest.h>

#include "core/print/poster_tiling.h"
#include "core/print/print_page_geometry.h"

namespace lumora {
namespace {

// A4 at 300 dpi, about 8 x 11 inches printable.
constexpr PrintSheet kTall{2400, 3300, 300, 300};

TEST(PrintPageGeometryTest, PageModelFitsTallWideAndNarrowSheets)
{
    struct Case {
        PrintSheet sheet;
        Rect area;
    };
    for (const Case& c : std::initializer_list<Case>{
             {kTall, {38, 0, 2361, 3300}},                // height-bound: centred across
             {{3300, 2400, 300, 300}, {805, 0, 2494, 2400}},  // landscape
             {{2000, 3300, 300, 300}, {0, 230, 2000, 3070}},  // width-bound: centred down
             {{0, 3300, 300, 300}, {}},
         }) {
        const FittedPage fitted = FitPageModel(c.sheet);
        EXPECT_EQ(fitted.area, c.area) << c.sheet.width << "x" << c.sheet.height;
        if (c.area.Width() > 0) {
            EXPECT_DOUBLE_EQ(fitted.sx, c.area.Width() / 238.0);
            EXPECT_DOUBLE_EQ(fitted.sy, c.area.Height() / 338.0);
        }
    }
}

TEST(PrintPageGeometryTest, FontsBandsAndCoverBoxes)
{
    const FittedPage fitted = FitPageModel(kTall);
    EXPECT_EQ(PrintedFontHeight(-13, fitted.sy), -91);  // 10 points, truncated toward zero
    EXPECT_EQ(PrintedFontHeight(-7, fitted.sy), -49);
    EXPECT_EQ(PrintedTextItemHeight(-16, fitted.sy), -141);
    EXPECT_EQ(PageTitleBand(kTall), (Rect{0, 0, 2400, 150}));
    EXPECT_EQ(PageNumberBand(kTall), (Rect{0, 3150, 2400, 3300}));
    EXPECT_EQ(FrontCoverTitleBox(fitted), (Rect{721, 683, 1785, 1220}));
    EXPECT_EQ(FlyleafTitleBox(fitted), (Rect{526, 585, 1873, 2147}));
    EXPECT_EQ(FlyleafDescriptionBox(fitted), (Rect{526, 2715, 1873, 3105}));
}

TEST(PrintPageGeometryTest, SlotsOfBothSidesAndDescriptionBands)
{
    const FittedPage fitted = FitPageModel(kTall);
    const PageLayout& maxi = LayoutAt(1);
    // Left page 1, slot 0: origin (26,27) -> model (26,19)-(207,156).
    const Rect left = PrintSlotRect(maxi, 1, 0, fitted);
    EXPECT_EQ(left, (Rect{291, 185, 2058, 1523}));
    // Right page 0, slot 0: (316,27) -> model (28,19): the layout itself
    // puts Maxi's right slots two units further in.
    EXPECT_EQ(PrintSlotRect(maxi, 0, 0, fitted), (Rect{311, 185, 2077, 1523}));
    EXPECT_EQ(PrintSlotRect(maxi, 0, 2, fitted), Rect{});  // beyond the slot count
    EXPECT_EQ(DescriptionBand(left, 300), (Rect{291, 1523, 2058, 1673}));

    // Where both sides share their slot origins the sheets match exactly.
    for (int layout : {2, 3, 4})
        for (int slot = 0; slot < LayoutAt(layout).slotCount; ++slot)
            EXPECT_EQ(PrintSlotRect(LayoutAt(layout), 2, slot, fitted),
                      PrintSlotRect(LayoutAt(layout), 3, slot, fitted))
                << "layout " << layout << " slot " << slot;
    EXPECT_EQ(PrintSlotRect(LayoutAt(2), 3, 2, fitted), (Rect{994, 2196, 2165, 3075}));
}

TEST(PrintPageGeometryTest, PicturesFitTheirSlotAtPrintResolution)
{
    EXPECT_EQ(FitPictureInBox({0, 0, 200, 100}, 400, 100), (Rect{0, 25, 200, 75}));
    EXPECT_EQ(FitPictureInBox({10, 10, 110, 110}, 50, 100), (Rect{35, 10, 85, 110}));  // enlarged
    EXPECT_EQ(FitPictureInBox({0, 0, 100, 100}, 0, 10), Rect{});
    // A 12-megapixel photo is resampled to its printed size; a small one
    // is sent as it is.
    EXPECT_EQ(PrintResolution(4000, 3000, {1767, 1325}), (Size{1767, 1325}));
    EXPECT_EQ(PrintResolution(640, 480, {1767, 1325}), (Size{640, 480}));
    // Finer devices get photos read at 300 pixels per inch of paper.
    EXPECT_EQ(PhotoReadingBox({1767, 1325}, 300), (Size{1767, 1325}));
    EXPECT_EQ(PhotoReadingBox({7068, 5300}, 1200), (Size{1767, 1325}));
    EXPECT_EQ(PhotoReadingBox({883, 662}, 150), (Size{883, 662}));
}

TEST(PrintPageGeometryTest, SheetCountsAndPreviewStart)
{
    EXPECT_EQ(PrintedSheetCount(40, false), 40);
    EXPECT_EQ(PrintedSheetCount(40, true), 3);
    struct Case {
        int position, pageCount, sheet;
    };
    for (const Case& c : std::initializer_list<Case>{
             {-2, 6, 1}, {-1, 6, 1}, {0, 6, 1}, {4, 6, 5}, {6, 6, 6}})
        EXPECT_EQ(PreviewStartSheet(c.position, c.pageCount), c.sheet) << c.position;
}

TEST(PosterTilingTest, SixtyFourCentimetresOfVgaMakeEightSheets)
{
    const PosterTiling t = TilePoster(640, 480, 64, kTall);
    EXPECT_NEAR(t.sx, 11.811, 0.001);
    EXPECT_NEAR(t.sy, 11.811, 0.001);
    EXPECT_EQ(t.tileWidth, 203);
    EXPECT_EQ(t.tileHeight, 279);
    EXPECT_EQ(t.columns, 4);
    EXPECT_EQ(t.rows, 2);
    EXPECT_EQ(t.Sheets(), 8);

    struct Case {
        int n;
        Rect source, dest;
    };
    for (const Case& c : std::initializer_list<Case>{
             {1, {0, 0, 203, 279}, {0, 0, 2397, 3295}},
             {4, {609, 0, 640, 279}, {0, 0, 366, 3295}},  // last column: the rest
             {5, {0, 279, 203, 480}, {0, 0, 2397, 2374}},
             {8, {609, 279, 640, 480}, {0, 0, 366, 2374}},
             {9, {}, {}},  // beyond the last sheet
             {0, {}, {}},
         }) {
        const PosterTile tile = PosterSheet(t, 640, 480, c.n);
        EXPECT_EQ(tile.source, c.source) << "sheet " << c.n;
        EXPECT_EQ(tile.dest, c.dest) << "sheet " << c.n;
    }
    // Neighbouring tiles meet exactly: every picture pixel on one sheet.
    int covered = 0;
    for (int n = 1; n <= t.Sheets(); ++n) {
        const Rect s = PosterSheet(t, 640, 480, n).source;
        covered += s.Width() * s.Height();
    }
    EXPECT_EQ(covered, 640 * 480);
}

TEST(PosterTilingTest, SmallPostersHugePixelsAndTheDialogsProportions)
{
    // Narrower than a sheet: one sheet at the chosen size (10 cm = 1181 px).
    const PosterTiling small = TilePoster(640, 480, 10, kTall);
    EXPECT_EQ(small.Sheets(), 1);
    EXPECT_EQ(PosterSheet(small, 640, 480, 1).dest, (Rect{0, 0, 1181, 885}));
    // A picture pixel wider than a sheet: one pixel per sheet, not none.
    const PosterTiling huge = TilePoster(10, 10, 1000, kTall);
    EXPECT_EQ(huge.tileWidth, 1);
    EXPECT_EQ(huge.Sheets(), 100);
    EXPECT_EQ(TilePoster(0, 480, 64, kTall).Sheets(), 0);
    EXPECT_EQ(TilePoster(640, 480, 64, {2400, 3300, 0, 300}).Sheets(), 0);

    EXPECT_EQ(PosterHeightFor(100, 64, 48), 75);
    EXPECT_EQ(PosterWidthFor(30, 64, 48), 40);
    EXPECT_EQ(PosterHeightFor(64, 640, 427), 42);  // truncated
    EXPECT_EQ(PosterHeightFor(64, 0, 48), 0);
}

}  // namespace
}  // namespace lumora
