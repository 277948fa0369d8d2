// The view transform: book boxes land where drawing puts them and come back
// whole through the inverse at every zoom and device pixel ratio.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/layout/book_geometry.h"
#include "core/layout/book_hits.h"
#include "core/layout/tab_columns.h"
#include "core/layout/view_transform.h"

namespace lumora {
namespace {

struct NamedBox {
    const char* name;
    Rect box;
};

// Every box a click or a drawing is placed by.
const NamedBox kBoxes[] = {
    {"cover", kCoverZone},
    {"cover plate", kCoverPlateZone},
    {"cover title", kCoverTitleBox},
    {"flyleaf text", kFlyleafTextZone},
    {"flyleaf title", kFlyleafTitleBox},
    {"flyleaf description", kFlyleafDescriptionBox},
    {"close book", kCloseBookZone},
    {"previous corner", kPreviousPageZone},
    {"next corner", kNextPageZone},
    {"left title", kLeftPageTitleBox},
    {"right title", kRightPageTitleBox},
    {"left number", kLeftPageNumberBox},
    {"right number", kRightPageNumberBox},
    {"left marker", kLeftSectionMarkerBox},
    {"right marker", kRightSectionMarkerBox},
    {"first tab slot", TabSlotRect(0)},
    {"last tab slot", TabSlotRect(7)},
};

constexpr double kZooms[] = {0.5, 1.0, 2.75, 4.0};
constexpr double kRatios[] = {1.0, 1.5, 2.0};

// The device pixels whose centres lie inside the box's window rectangle:
// the first and last of them hit the box, their outer neighbours do not.
TEST(ViewTransform, EveryBoxIsHitThroughTheInverseAtEveryZoomAndRatio)
{
    const Size client{2000, 1400};
    for (const double zoom : kZooms)
        for (const double ratio : kRatios) {
            const ViewTransform view = PlaceBook(client, zoom, {0, 0}, ratio);
            for (const NamedBox& named : kBoxes) {
                SCOPED_TRACE(std::string(named.name) + " zoom " + std::to_string(zoom) + " ratio " +
                             std::to_string(ratio));
                const RectF w = view.ToWindow(named.box);
                const int firstX = static_cast<int>(std::ceil(w.left * ratio - 0.5));
                const int firstY = static_cast<int>(std::ceil(w.top * ratio - 0.5));
                const int lastX = static_cast<int>(std::ceil(w.right * ratio - 0.5)) - 1;
                const int lastY = static_cast<int>(std::ceil(w.bottom * ratio - 0.5)) - 1;
                ASSERT_LE(firstX, lastX);
                EXPECT_TRUE(named.box.Contains(view.DevicePixelToBook(firstX, firstY)));
                EXPECT_TRUE(named.box.Contains(view.DevicePixelToBook(lastX, lastY)));
                EXPECT_TRUE(named.box.Contains(view.DevicePixelToBook((firstX + lastX) / 2, (firstY + lastY) / 2)));
                EXPECT_FALSE(named.box.Contains(view.DevicePixelToBook(firstX - 1, firstY)));
                EXPECT_FALSE(named.box.Contains(view.DevicePixelToBook(lastX + 1, lastY)));
                EXPECT_FALSE(named.box.Contains(view.DevicePixelToBook(lastX, lastY + 1)));
            }
        }
}

TEST(ViewTransform, ToBookUndoesToWindowOnEveryBookPixel)
{
    for (const double zoom : kZooms) {
        const ViewTransform view = PlaceBook({900, 700}, zoom, {37, 11}, 1.5);
        for (int x = 0; x < kBookSize.width; x += 7) {
            const int y = (x * 3) % kBookSize.height;
            // The middle of the book pixel's window square.
            const PointF corner = view.ToWindow(PointF{double(x), double(y)});
            const PointF middle{corner.x + zoom / 2, corner.y + zoom / 2};
            ASSERT_EQ(view.ToBook(middle), (Point{x, y})) << "zoom " << zoom;
        }
    }
}

TEST(ViewTransform, FittedZoomFillsTheWindowWithinTheRange)
{
    struct Case {
        Size client;
        double zoom;
    };
    const Case cases[] = {
        {{580, 392}, 1.0},       // exactly the classic book
        {{1160, 1000}, 2.0},     // the width limits
        {{3000, 784}, 2.0},      // the height limits
        {{1920, 1040}, 1040.0 / 392},
        {{400, 300}, 400.0 / 580},  // a smaller window: smaller than classic
        {{100, 100}, 0.5},       // never below the smallest zoom
        {{10000, 8000}, 4.0},    // nor above the largest
        {{0, 0}, 1.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(FittedZoom(c.client), c.zoom) << c.client.width << "x" << c.client.height;
    EXPECT_DOUBLE_EQ(EffectiveZoom({true, 3.0}, {1160, 784}), 2.0);
    EXPECT_DOUBLE_EQ(EffectiveZoom({false, 3.0}, {1160, 784}), 3.0);
    EXPECT_DOUBLE_EQ(EffectiveZoom({false, 9.0}, {1160, 784}), 4.0);
}

TEST(ViewTransform, TheBookIsCentredWhenSmallerAndScrolledWhenLarger)
{
    // The classic size keeps the classic placement.
    const ViewTransform classic = PlaceBook({800, 600}, 1.0, {0, 0});
    EXPECT_EQ(classic.Origin(), (PointF{110, 104}));
    EXPECT_EQ(ZoomedBookSize(1.0), kBookSize);
    EXPECT_EQ(ZoomedBookSize(2.75), (Size{1595, 1078}));
    // Wider than the window, shorter than it: scrolled across, centred down.
    const ViewTransform wide = PlaceBook({1000, 1200}, 2.0, {30, 40});
    EXPECT_EQ(wide.Origin(), (PointF{-30, (1200 - 784) / 2}));
    EXPECT_EQ(wide.ToBook({0, double((1200 - 784) / 2)}), (Point{15, 0}));
}

TEST(ViewTransform, ZoomStepsAreAboutAQuarterApartAndStopAtTheEnds)
{
    const auto& steps = ZoomSteps();
    EXPECT_DOUBLE_EQ(steps.front(), kSmallestZoom);
    EXPECT_DOUBLE_EQ(steps.back(), kLargestZoom);
    for (size_t i = 1; i < steps.size(); ++i) {
        EXPECT_GT(steps[i] / steps[i - 1], 1.2);
        EXPECT_LT(steps[i] / steps[i - 1], 1.3);
    }
    EXPECT_DOUBLE_EQ(ZoomedIn(1.0), 1.25);
    EXPECT_DOUBLE_EQ(ZoomedOut(1.0), 0.8);
    EXPECT_DOUBLE_EQ(ZoomedIn(2.7), 3.2);   // from a fitted zoom, the next step
    EXPECT_DOUBLE_EQ(ZoomedOut(2.7), 2.5);
    EXPECT_DOUBLE_EQ(ZoomedIn(4.0), 4.0);
    EXPECT_DOUBLE_EQ(ZoomedOut(0.5), 0.5);
}

}  // namespace
}  // namespace lumora
