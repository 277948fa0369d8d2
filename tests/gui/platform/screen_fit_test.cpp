// Saved window placements brought back onto the screen they open on.
#include <gtest/gtest.h>

#include "gui/platform/screen_fit.h"

namespace lumora {
namespace {

TEST(ScreenFit, PlacementsAreMovedAndShrunkOntoTheAvailableArea)
{
    const QRect fullHd(0, 0, 1920, 1080);
    const QRect belowPanel(0, 32, 1280, 688);         // a 32-pixel panel at the top
    const QRect rightScreen(1920, 0, 1280, 1024);     // a second screen on the right
    const struct {
        const char* what;
        QRect window, available, fitted;
    } cases[] = {
        {"inside stays", {100, 100, 800, 600}, fullHd, {100, 100, 800, 600}},
        {"saved at another scale", {1021, 464, 1800, 1300}, fullHd, {120, 0, 1800, 1080}},
        {"properties off the right edge", {1880, 720, 150, 240}, fullHd, {1770, 720, 150, 240}},
        {"above and left of the screen", {-300, -50, 400, 300}, fullHd, {0, 0, 400, 300}},
        {"under the panel", {10, 0, 400, 300}, belowPanel, {10, 32, 400, 300}},
        {"taller than the area", {10, 100, 400, 900}, belowPanel, {10, 32, 400, 688}},
        {"second screen, beyond it", {3100, 900, 300, 300}, rightScreen, {2900, 724, 300, 300}},
        {"second screen, wider than it", {1900, 10, 1600, 400}, rightScreen, {1920, 10, 1280, 400}},
        {"no screen: unchanged", {5000, 5000, 10, 10}, QRect(), {5000, 5000, 10, 10}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitInside(c.window, c.available), c.fitted) << c.what;
}

}  // namespace
}  // namespace lumora
