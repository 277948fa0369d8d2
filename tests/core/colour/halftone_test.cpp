#include <gtest/gtest.h>

#include <random>

#include "core/picture/app_palette.h"
#include "core/colour/dither16.h"
#include "core/colour/halftone.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::ColorAt;
using test::IndexAt;

// The mapping written out the slow, obvious way: per component, the level
// v / 51, one more when the matrix threshold is below v % 51.
uint8_t ReferenceSlot(ColorTriple c, int x, int y)
{
    auto level = [&](int v) { return v / 51 + (kDitherMatrixA[x % 8][y % 8] < v % 51 ? 1 : 0); };
    return kCubeSlot[level(c.blue) * 36 + level(c.green) * 6 + level(c.red)];
}

// Colour of a source pixel as the halftone sees it (1-bit: black or white
// whatever the table says).
ColorTriple SourceColor(const Picture& dib, uint32_t x, uint32_t y)
{
    if (dib.BitCount() == 1) {
        const uint8_t v = IndexAt(dib, x, y) ? 255 : 0;
        return {v, v, v};
    }
    return ColorAt(dib, x, y);
}

Picture RandomPicture(int width, int height, int bits, std::mt19937& rng)
{
    Picture dib = Picture::Make(width, height, bits);
    std::uniform_int_distribution<int> byte(0, 255);
    uint8_t* table = dib.Data() + 40;
    for (unsigned i = 0; i < dib.ColorCount() * 4u; ++i)
        table[i] = static_cast<uint8_t>(byte(rng));
    uint8_t* pixels = dib.Pixels();
    const size_t count = dib.Size() - static_cast<size_t>(pixels - dib.Data());
    for (size_t i = 0; i < count; ++i)
        pixels[i] = static_cast<uint8_t>(byte(rng));
    return dib;
}

class HalftoneAgainstReference : public ::testing::TestWithParam<int> {};

TEST_P(HalftoneAgainstReference, ConvertMatchesPerPixelComputation)
{
    std::mt19937 rng(1234 + GetParam());
    const Picture source = RandomPicture(37, 19, GetParam(), rng);
    const Picture result = ConvertToAppPalette(source, AppPalette());
    ASSERT_TRUE(result);
    EXPECT_EQ(result.BitCount(), 8);
    EXPECT_EQ(result.Width(), 37u);
    EXPECT_EQ(result.Height(), 19u);
    for (uint32_t y = 0; y < 19; ++y)
        for (uint32_t x = 0; x < 37; ++x)
            ASSERT_EQ(IndexAt(result, x, y), ReferenceSlot(SourceColor(source, x, y), x, y))
                << "at " << x << "," << y;
    for (unsigned i = 0; i < 256; ++i)
        ASSERT_EQ(result.Color(i), kAppPaletteColors[i]);
}

TEST_P(HalftoneAgainstReference, ResizeSamplesNearestPixelRoundedToNearest)
{
    std::mt19937 rng(99 + GetParam());
    const Picture source = RandomPicture(50, 31, GetParam(), rng);
    for (auto [w, h] : {std::pair{17, 9}, std::pair{120, 70}, std::pair{1, 1}}) {
        const Picture result = ResizeToAppPalette(source, w, h, AppPalette());
        ASSERT_TRUE(result);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                // round(x * 50 / w), clamped to the last column
                const uint32_t sx = std::min<uint32_t>((2u * x * 50 + w) / (2u * w), 49);
                const uint32_t sy = std::min<uint32_t>((2u * y * 31 + h) / (2u * h), 30);
                ASSERT_EQ(IndexAt(result, x, y), ReferenceSlot(SourceColor(source, sx, sy), x, y))
                    << w << "x" << h << " at " << x << "," << y;
            }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryDepth, HalftoneAgainstReference, ::testing::Values(1, 4, 8, 24));

TEST(Halftone, PureWhiteAndBlackAtEveryMatrixPosition)
{
    const Picture white = test::MakeRgbPicture(16, 16, [](int, int) { return ColorTriple{255, 255, 255}; });
    const Picture black = test::MakeRgbPicture(16, 16, [](int, int) { return ColorTriple{0, 0, 0}; });
    const Picture w = ConvertToAppPalette(white, AppPalette());
    const Picture b = ConvertToAppPalette(black, AppPalette());
    for (uint32_t y = 0; y < 16; ++y)
        for (uint32_t x = 0; x < 16; ++x) {
            EXPECT_EQ(IndexAt(w, x, y), 255);
            EXPECT_EQ(IndexAt(b, x, y), 0);
        }
}

TEST(Halftone, KnownPixelsLandOnExpectedSlots)
{
    // (100, 200, 30) at (0,0): threshold 0; levels 1+1, 3+1, 0+1 -> cube (2,4,1)
    const Picture src = test::MakeRgbPicture(2, 1, [](int x, int) {
        return x == 0 ? ColorTriple{100, 200, 30} : ColorTriple{51, 255, 0};
    });
    const Picture out = ConvertToAppPalette(src, AppPalette());
    EXPECT_EQ(kAppPaletteColors[IndexAt(out, 0, 0)], (ColorTriple{102, 204, 51}));
    EXPECT_EQ(IndexAt(out, 1, 0), 250);  // one of the four shared cube colours
}

TEST(Halftone, RefusesOtherDepthsAndBadSizes)
{
    EXPECT_FALSE(ConvertToAppPalette(Picture{}, AppPalette()));
    Picture rgb = Picture::Make(4, 4, 24);
    EXPECT_FALSE(ResizeToAppPalette(rgb, 0, 5, AppPalette()));
    EXPECT_FALSE(ResizeToAppPalette(rgb, 5, -1, AppPalette()));
    rgb.Data()[14] = 16;  // claims 16 bits per pixel
    EXPECT_FALSE(ConvertToAppPalette(rgb, AppPalette()));
}

TEST(MulDivRounding, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(1, 1, 2), 1);
    EXPECT_EQ(MulDiv(1, 1, 3), 0);
    EXPECT_EQ(MulDiv(2, 1, 3), 1);
    EXPECT_EQ(MulDiv(-1, 1, 2), -1);
    EXPECT_EQ(MulDiv(100000, 100000, 100000), 100000);  // no 32-bit overflow
    EXPECT_EQ(MulDiv(5, 7, 0), -1);
}

TEST(Dither16, ThresholdsPickTheEightBrightColours)
{
    // At (0,0) the threshold is 0: any non-zero component is "on".
    const Picture src = test::MakeRgbPicture(8, 8, [](int x, int y) {
        if (x == 0 && y == 0) return ColorTriple{1, 0, 0};
        if (x == 1 && y == 0) return ColorTriple{255, 255, 255};  // threshold 128
        if (x == 2 && y == 0) return ColorTriple{0, 33, 40};       // threshold 32: cyan
        return ColorTriple{0, 0, 0};
    });
    const Picture out = DitherTo16(src);
    ASSERT_TRUE(out);
    EXPECT_EQ(out.BitCount(), 4);
    EXPECT_EQ(IndexAt(out, 0, 0), 9);   // bright red
    EXPECT_EQ(IndexAt(out, 1, 0), 15);  // white
    EXPECT_EQ(IndexAt(out, 2, 0), 14);  // cyan
    EXPECT_EQ(IndexAt(out, 3, 0), 0);
    EXPECT_EQ(out.Color(9), (ColorTriple{255, 0, 0}));
}

TEST(Dither16, PalettedSourceIsLookedUpFirst)
{
    std::mt19937 rng(7);
    const Picture src8 = RandomPicture(21, 13, 8, rng);
    const Picture out = DitherPalettedTo16(src8);
    ASSERT_TRUE(out);
    static constexpr uint8_t kSlots[8] = {0, 9, 10, 11, 12, 13, 14, 15};
    for (uint32_t y = 0; y < 13; ++y)
        for (uint32_t x = 0; x < 21; ++x) {
            const ColorTriple c = ColorAt(src8, x, y);
            const int t = kDitherMatrixB[x % 8][y % 8];
            const int index = 4 * (c.blue > t) + 2 * (c.green > t) + (c.red > t);
            ASSERT_EQ(IndexAt(out, x, y), kSlots[index]) << x << "," << y;
        }
}

TEST(Dither16, RefusesTheWrongDepth)
{
    EXPECT_FALSE(DitherTo16(Picture::Make(4, 4, 8)));
    EXPECT_FALSE(DitherPalettedTo16(Picture::Make(4, 4, 24)));
    EXPECT_FALSE(DitherTo16(Picture{}));
}

}  // namespace
}  // namespace lumora
