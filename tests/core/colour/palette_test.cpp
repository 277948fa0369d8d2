#include <gtest/gtest.h>

#include <set>

#include "core/picture/app_palette.h"
#include "core/picture/byte_order.h"
#include "core/colour/palette.h"

namespace lumora {
namespace {

TEST(AppPaletteTable, HasTheFixedColoursAtTheirSlots)
{
    const Palette& p = AppPalette();
    ASSERT_EQ(p.size(), 256u);
    EXPECT_EQ(p[0], (PaletteEntry{0, 0, 0, 0}));
    EXPECT_EQ(p[9], (PaletteEntry{0xA4, 0xC8, 0xF0, 0}));
    EXPECT_EQ(p[127], (PaletteEntry{0xFF, 0x00, 0xCC, 0}));
    EXPECT_EQ(p[233], (PaletteEntry{0xC1, 0xC1, 0xC1, 0}));
    EXPECT_EQ(p[246], (PaletteEntry{0xFF, 0xFB, 0xF0, 0}));
    EXPECT_EQ(p[250], (PaletteEntry{0x00, 0xFF, 0x00, 0}));
    EXPECT_EQ(p[252], (PaletteEntry{0x00, 0x00, 0xFF, 0}));
    EXPECT_EQ(p[255], (PaletteEntry{0xFF, 0xFF, 0xFF, 0}));
    for (const PaletteEntry& e : p)
        EXPECT_EQ(e.flags, 0);
}

TEST(CubeSlots, EachCubeColourFindsItsExactColour)
{
    for (int b = 0; b < 6; ++b)
        for (int g = 0; g < 6; ++g)
            for (int r = 0; r < 6; ++r) {
                const uint8_t slot = kCubeSlot[CubeIndex(r, g, b)];
                const ColorTriple wanted{static_cast<uint8_t>(r * 51), static_cast<uint8_t>(g * 51),
                                 static_cast<uint8_t>(b * 51)};
                const bool shared = (r == 1 && g == 5 && b == 0) || (r == 0 && g == 5 && b == 1) ||
                                    (r == 1 && g == 0 && b == 5) || (r == 0 && g == 1 && b == 5);
                if (shared)
                    continue;
                EXPECT_EQ(kAppPaletteColors[slot], wanted) << r << "," << g << "," << b;
            }
}

TEST(CubeSlots, FourColoursShareTheGreenAndBlueSlots)
{
    EXPECT_EQ(kCubeSlot[CubeIndex(1, 5, 0)], 250);
    EXPECT_EQ(kCubeSlot[CubeIndex(0, 5, 1)], 250);
    EXPECT_EQ(kCubeSlot[CubeIndex(1, 0, 5)], 252);
    EXPECT_EQ(kCubeSlot[CubeIndex(0, 1, 5)], 252);
    EXPECT_EQ(kCubeSlot[CubeIndex(0, 0, 0)], 0);
    EXPECT_EQ(kCubeSlot[CubeIndex(5, 5, 5)], 255);
    // Every other cube colour has a slot of its own; pure green and pure
    // blue each take in two neighbours.
    std::set<uint8_t> distinct(kCubeSlot.begin(), kCubeSlot.end());
    EXPECT_EQ(distinct.size(), 216u - 4u);
}

TEST(DitherMatrices, ThresholdsStayInTheirRanges)
{
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 8; ++y) {
            EXPECT_LE(kDitherMatrixA[x][y], 50);
            EXPECT_LE(kDitherMatrixB[x][y], 252);
            EXPECT_EQ(kDitherMatrixB[x][y] % 4, 0);
        }
    std::set<int> bValues;
    for (auto& row : kDitherMatrixB)
        bValues.insert(std::begin(row), std::end(row));
    EXPECT_EQ(bValues.size(), 64u);  // a full Bayer-like order
}

TEST(PaletteFromPicture, OneEntryPerTableEntry)
{
    Picture dib = Picture::Make(2, 2, 4);
    const Palette p = MakeDIBPalette(dib);
    ASSERT_EQ(p.size(), 16u);
    EXPECT_EQ(p[9], (PaletteEntry{0xFF, 0, 0, 0}));
    EXPECT_EQ(CopyPalette(p), p);
    EXPECT_TRUE(MakeDIBPalette(Picture{}).empty());
}

TEST(FillColorTable, CopiesPaletteOrWritesIndices)
{
    Picture dib = Picture::Make(2, 2, 8);
    FillColorTableFromPalette(dib.Data(), &AppPalette(), ColorTableMode::Rgb);
    for (unsigned i = 0; i < 256; ++i)
        ASSERT_EQ(dib.Color(i), kAppPaletteColors[i]) << i;

    FillColorTableFromPalette(dib.Data(), nullptr, ColorTableMode::Rgb);
    EXPECT_EQ(dib.Color(10), (ColorTriple{0xFF, 0xFB, 0xF0}));  // default palette
    EXPECT_EQ(dib.Color(20), kAppPaletteColors[20]);  // beyond it: untouched

    FillColorTableFromPalette(dib.Data(), nullptr, ColorTableMode::PaletteIndices);
    EXPECT_EQ(ReadLE16(dib.Data() + 40 + 2 * 7), 7);
    EXPECT_EQ(ReadLE16(dib.Data() + 40 + 2 * 255), 255);
}

TEST(FillColorTable, NeverWritesPastASmallTable)
{
    Picture dib = Picture::Make(2, 2, 4);  // 16 entries, then pixels
    dib.Data()[40 + 64] = 0x5A;
    FillColorTableFromPalette(dib.Data(), &AppPalette(), ColorTableMode::Rgb);
    EXPECT_EQ(dib.Data()[40 + 64], 0x5A);
    EXPECT_EQ(dib.Color(15), kAppPaletteColors[15]);
}

}  // namespace
}  // namespace lumora
