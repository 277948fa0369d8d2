// The colour a screen of each depth shows for a requested colour.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/picture/app_palette.h"
#include "core/colour/nearest_color.h"

namespace lumora {
namespace {

constexpr uint32_t Ref(uint32_t r, uint32_t g, uint32_t b) { return r | (g << 8) | (b << 16); }

TEST(NearestScreenColor, EachDepthShowsTheNearestColourItHas)
{
    EXPECT_EQ(NearestScreenColor(0xFF000000u | Ref(0x12, 0x34, 0x56), 24), Ref(0x12, 0x34, 0x56));
    // 256 colours: the application palette (0x7F is nearer its grey 0x80 than 0x81).
    EXPECT_EQ(NearestScreenColor(Ref(0xFF, 0xFB, 0xF0), 8), Ref(0xFF, 0xFB, 0xF0));
    EXPECT_EQ(NearestScreenColor(Ref(0x30, 0x64, 0x98), 8), Ref(0x33, 0x66, 0x99));
    EXPECT_EQ(NearestScreenColor(Ref(0x7F, 0x7F, 0x7F), 8), Ref(0x80, 0x80, 0x80));
    // 16 colours; 0xA0 is as far from 0x80 as from 0xC0 and the first entry wins.
    EXPECT_EQ(NearestScreenColor(Ref(0xF0, 0x10, 0x10), 4), Ref(0xFF, 0x00, 0x00));
    EXPECT_EQ(NearestScreenColor(Ref(0x12, 0x34, 0x56), 4), Ref(0x00, 0x00, 0x80));
    EXPECT_EQ(NearestScreenColor(Ref(0xA0, 0xA0, 0xA0), 4), Ref(0xC0, 0xC0, 0xC0));
}

TEST(NearestScreenColor, AlwaysAnEntryOfTheScreensTable)
{
    const auto inTable = [](uint32_t color, const auto& table) {
        return std::any_of(table.begin(), table.end(),
                           [color](const ColorTriple& e) { return Ref(e.red, e.green, e.blue) == color; });
    };
    for (uint32_t r = 0; r < 256; r += 37)
        for (uint32_t g = 0; g < 256; g += 41)
            for (uint32_t b = 0; b < 256; b += 43) {
                EXPECT_TRUE(inTable(NearestScreenColor(Ref(r, g, b), 8), kAppPaletteColors));
                EXPECT_TRUE(inTable(NearestScreenColor(Ref(r, g, b), 4), kSixteenColors));
            }
}

}  // namespace
}  // namespace lumora
