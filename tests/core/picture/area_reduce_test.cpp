#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "core/picture/area_reduce.h"
#include "core/picture/picture.h"

namespace lumora {
namespace {

uint64_t OffsetOf(const Picture& dib, uint32_t x, uint32_t y)
{
    return y * PictureRowBytes(dib.Width(), 24) + x * 3;
}
const uint8_t* PixelAt(const Picture& dib, uint32_t x, uint32_t y) { return dib.Pixels() + OffsetOf(dib, x, y); }
uint8_t* PixelAt(Picture& dib, uint32_t x, uint32_t y) { return dib.Pixels() + OffsetOf(dib, x, y); }

Picture NoisyPicture(int width, int height, unsigned seed)
{
    Picture dib = Picture::Make(width, height, 24);
    std::mt19937 rng(seed);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c)
                PixelAt(dib, x, y)[c] = static_cast<uint8_t>(rng());
    return dib;
}

// How much of source pixel `p` (of `from`) lies under new pixel `i` (of
// `to`), as a share of the new pixel.
double Share(int i, int to, int p, int from)
{
    const double start = static_cast<double>(i) * from / to, end = static_cast<double>(i + 1) * from / to;
    const double overlap = std::min(end, p + 1.0) - std::max(start, static_cast<double>(p));
    return overlap > 0 ? overlap / (end - start) : 0;
}

// The exact area mean, in floating point, of one channel of one new pixel.
double AreaMean(const Picture& source, int x, int y, int c, int newWidth, int newHeight)
{
    const int width = static_cast<int>(source.Width());
    const int height = static_cast<int>(source.Height());
    double total = 0;
    for (int sy = 0; sy < height; ++sy) {
        const double rowShare = Share(y, newHeight, sy, height);
        if (rowShare > 0)
            for (int sx = 0; sx < width; ++sx)
                total += rowShare * Share(x, newWidth, sx, width) * PixelAt(source, sx, sy)[c];
    }
    return total;
}

// Ratios of the web sizes (3000 to 2560, 4000 to 2560), halving and odd
// ones, cells of one to several source pixels, the right-hand edge where
// a cell's taps run up to the last column, enlarging, single pixels.
TEST(ReduceToTrueColor, EveryPixelIsTheMeanOfTheAreaItCovers)
{
    struct Case {
        int width, height, newWidth, newHeight;
    };
    const Case cases[] = {{75, 56, 64, 48}, {100, 75, 64, 48}, {64, 48, 32, 24}, {31, 17, 7, 5},
                          {9, 9, 2, 2},     {5, 1, 1, 1},      {3, 2, 7, 5},    {1, 1, 3, 2}};
    for (const Case& c : cases) {
        const Picture source = NoisyPicture(c.width, c.height, static_cast<unsigned>(c.width * 31 + c.newWidth));
        const Picture reduced = ReduceToTrueColor(source, c.newWidth, c.newHeight);
        ASSERT_TRUE(reduced);
        ASSERT_EQ(reduced.Width(), static_cast<uint32_t>(c.newWidth));
        ASSERT_EQ(reduced.Height(), static_cast<uint32_t>(c.newHeight));
        int worst = 0;
        for (int y = 0; y < c.newHeight; ++y)
            for (int x = 0; x < c.newWidth; ++x)
                for (int channel = 0; channel < 3; ++channel) {
                    const double mean = AreaMean(source, x, y, channel, c.newWidth, c.newHeight);
                    worst = std::max(worst, std::abs(PixelAt(reduced, x, y)[channel] - static_cast<int>(mean + 0.5)));
                }
        EXPECT_LE(worst, 1) << c.width << "x" << c.height << " to " << c.newWidth << "x" << c.newHeight;
    }
}

// An 8-bit picture is averaged through its colour table exactly as the
// same colours stored in 24 bits.
TEST(ReduceToTrueColor, IndexedPicturesGiveTheBytesOfTheirTrueColourSelf)
{
    constexpr int kWidth = 23, kHeight = 13;
    Picture indexed = Picture::Make(kWidth, kHeight, 8);
    Picture trueColour = Picture::Make(kWidth, kHeight, 24);
    uint8_t* table = indexed.Data() + kInfoHeaderSize;
    for (int i = 0; i < 256; ++i) {
        table[i * 4] = static_cast<uint8_t>(i);
        table[i * 4 + 1] = static_cast<uint8_t>(255 - i);
        table[i * 4 + 2] = static_cast<uint8_t>(i * 7);
    }
    const uint64_t stride = PictureRowBytes(kWidth, 8);
    for (uint32_t y = 0; y < kHeight; ++y)
        for (uint32_t x = 0; x < kWidth; ++x) {
            const auto index = static_cast<uint8_t>(x * 11 + y * 5);
            indexed.Pixels()[y * stride + x] = index;
            for (int c = 0; c < 3; ++c)
                PixelAt(trueColour, x, y)[c] = table[index * 4 + c];
        }
    const Picture fromIndexed = ReduceToTrueColor(indexed, 10, 6);
    const Picture fromTrueColour = ReduceToTrueColor(trueColour, 10, 6);
    ASSERT_TRUE(fromIndexed && fromTrueColour);
    for (uint32_t y = 0; y < 6; ++y)
        for (uint32_t x = 0; x < 10; ++x)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(PixelAt(fromIndexed, x, y)[c], PixelAt(fromTrueColour, x, y)[c]) << x << "," << y;
}

}  // namespace
}  // namespace lumora
