#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "core/picture/app_palette.h"
#include "core/picture/block_pool.h"
#include "core/picture/byte_order.h"
#include "core/picture/picture.h"
#include "core/colour/palette.h"

namespace lumora {
namespace {

TEST(NewPicture, NormalisesBitCounts)
{
    const std::pair<int, int> cases[] = {{0, 1}, {1, 1}, {2, 4}, {4, 4}, {5, 8}, {8, 8},
                                         {9, 24}, {16, 24}, {24, 24}, {25, 4}, {32, 4}};
    for (auto [asked, expected] : cases) {
        Picture dib = Picture::Make(3, 2, asked);
        ASSERT_TRUE(dib) << asked;
        EXPECT_EQ(dib.BitCount(), expected) << "asked " << asked;
    }
}

TEST(NewPicture, WritesHeaderTableAndZeroedPixels)
{
    Picture dib = Picture::Make(5, 3, 8);
    ASSERT_TRUE(dib);
    const BitmapInfoHeader h = BitmapInfoHeader::Read(dib.Data());
    EXPECT_EQ(h.size, 40u);
    EXPECT_EQ(h.width, 5);
    EXPECT_EQ(h.height, 3);
    EXPECT_EQ(h.planes, 1);
    EXPECT_EQ(h.compression, 0u);
    EXPECT_EQ(h.sizeImage, 0u);
    EXPECT_EQ(h.clrUsed, 256u);
    // 40 + 256 x 4 + 8 bytes per row x 3 rows
    EXPECT_EQ(dib.Size(), 40u + 1024u + 24u);
    // The sixteen-colour table, repeated.
    for (unsigned i = 0; i < 256; ++i)
        EXPECT_EQ(dib.Color(i), kSixteenColors[i % 16]) << i;
    for (size_t i = 40 + 1024; i < dib.Size(); ++i)
        EXPECT_EQ(dib.Data()[i], 0) << i;
}

TEST(NewPicture, OneBitTableStartsBlack)
{
    Picture dib = Picture::Make(9, 1, 1);
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.ColorCount(), 2);
    EXPECT_EQ(dib.Color(0), (ColorTriple{0, 0, 0}));
    EXPECT_EQ(dib.Color(1), (ColorTriple{0, 0, 0}));
    EXPECT_EQ(dib.Size(), 40u + 8u + 4u);
}

TEST(NewPicture, ReaderPicturesStartBlackAndRecordTheirImageSize)
{
    const NewPicture forReader{ColourTable::Black, false, true};
    Picture dib = Picture::Make(5, 3, 4, forReader);
    ASSERT_TRUE(dib);
    for (unsigned i = 0; i < 16; ++i)
        EXPECT_EQ(dib.Color(i), (ColorTriple{0, 0, 0})) << i;
    EXPECT_EQ(BitmapInfoHeader::Read(dib.Data()).sizeImage, 4u * 3u);
}

TEST(PictureAccessors, AnEmptyPictureReadsAsNothingAndASpanReadsAsThePicture)
{
    const Picture none;
    EXPECT_EQ(none.Width(), 0u);
    EXPECT_EQ(none.Height(), 0u);
    EXPECT_EQ(none.BitCount(), 0);
    EXPECT_EQ(none.ColorCount(), 0);
    EXPECT_EQ(none.Pixels(), nullptr);
    EXPECT_EQ(none.Color(3), (ColorTriple{}));

    Picture dib = Picture::Make(7, 4, 8);
    ASSERT_TRUE(dib);
    dib.Row(2)[6] = 5;
    const PictureSpan span(dib.Bytes());
    EXPECT_EQ(span.Width(), 7u);
    EXPECT_EQ(span.Height(), 4u);
    EXPECT_EQ(span.RowBytes(), 8u);
    EXPECT_EQ(span.PixelOffset(), 40u + 1024u);
    EXPECT_EQ(span.Row(2), dib.Pixels() + 16);
    EXPECT_EQ(span.Row(2)[6], 5);
    EXPECT_EQ(span.Color(12), kSixteenColors[12]);
}

TEST(NewPicture, RefusesEmptyAndHugePictures)
{
    EXPECT_FALSE(Picture::Make(0, 10, 8));
    EXPECT_FALSE(Picture::Make(10, -1, 8));
    EXPECT_FALSE(Picture::Make(100000, 100000, 24));
}

TEST(DIBMeasures, RowBytesArePaddedToFourBytes)
{
    EXPECT_EQ(PictureRowBytes(1, 1), 4u);
    EXPECT_EQ(PictureRowBytes(32, 1), 4u);
    EXPECT_EQ(PictureRowBytes(33, 1), 8u);
    EXPECT_EQ(PictureRowBytes(7, 4), 4u);
    EXPECT_EQ(PictureRowBytes(9, 4), 8u);
    EXPECT_EQ(PictureRowBytes(5, 8), 8u);
    EXPECT_EQ(PictureRowBytes(1, 24), 4u);
    EXPECT_EQ(PictureRowBytes(5, 24), 16u);
    EXPECT_EQ(PictureRowBytes(4, 24), 12u);
}

TEST(DIBMeasures, ColorCountFollowsUsedFieldThenBitCount)
{
    Picture dib = Picture::Make(2, 2, 8);
    WriteLE32(dib.Data() + 32, 0);
    EXPECT_EQ(dib.ColorCount(), 256);
    WriteLE32(dib.Data() + 32, 17);
    EXPECT_EQ(dib.ColorCount(), 17);
    EXPECT_EQ(dib.ColorTableSize(), 68u);
    EXPECT_EQ(dib.Pixels(), dib.Data() + 40 + 68);

    Picture rgb = Picture::Make(2, 2, 24);
    EXPECT_EQ(rgb.ColorCount(), 0);
    EXPECT_EQ(rgb.Pixels(), rgb.Data() + 40);
    EXPECT_EQ((Picture{}).ColorCount(), 0);
    EXPECT_TRUE(MakeDIBPalette(rgb).empty());
}

TEST(DIBMeasures, CoreHeaderBlocksAreMeasuredToo)
{
    // 12-byte header: size, 16-bit width and height, planes, bit count;
    // 3-byte colour entries.
    std::vector<uint8_t> block(12 + 16 * 3 + 4 * 2);
    WriteLE32(&block[0], 12);
    WriteLE16(&block[4], 7);
    WriteLE16(&block[6], 2);
    WriteLE16(&block[8], 1);
    WriteLE16(&block[10], 4);
    block[12 + 3 * 5 + 2] = 0xAB;  // red of entry 5
    Picture dib = Picture::FromBytes(block);
    EXPECT_TRUE(IsValidPicture(dib.Bytes()));
    EXPECT_EQ(dib.Width(), 7u);
    EXPECT_EQ(dib.Height(), 2u);
    EXPECT_EQ(dib.ColorCount(), 16);
    EXPECT_EQ(dib.ColorTableSize(), 48u);
    EXPECT_EQ(dib.Color(5), (ColorTriple{0xAB, 0, 0}));
    block.pop_back();
    EXPECT_FALSE(IsValidPicture(block));
}

TEST(DIBValidity, RefusesBlocksThatDoNotHoldTheirPixels)
{
    Picture dib = Picture::Make(10, 10, 24);
    EXPECT_TRUE(IsValidPicture(dib.Bytes()));
    EXPECT_FALSE(IsValidPicture(dib.Bytes().first(dib.Size() - 1)));
    WriteLE16(dib.Data() + 14, 16);
    EXPECT_FALSE(IsValidPicture(dib.Bytes()));
    WriteLE16(dib.Data() + 14, 24);
    WriteLE32(dib.Data() + 8, static_cast<uint32_t>(-10));
    EXPECT_FALSE(IsValidPicture(dib.Bytes()));
    EXPECT_FALSE(IsValidPicture({}));
}

TEST(PictureOwnership, MovesCopiesAndDestroys)
{
    Picture a = Picture::Make(4, 4, 8);
    a.Data()[40] = 9;
    Picture copy = a.Clone();
    ASSERT_TRUE(copy);
    EXPECT_NE(copy.Data(), a.Data());
    EXPECT_EQ(copy.Size(), a.Size());
    EXPECT_EQ(copy.Data()[40], 9);
    Picture moved = std::move(a);
    EXPECT_FALSE(a);
    EXPECT_TRUE(moved);
    moved.Reset();
    EXPECT_FALSE(moved);
    ASSERT_TRUE(copy.Resize(copy.Size() + 10));
    EXPECT_EQ(copy.Data()[40], 9);
    EXPECT_EQ(copy.Data()[copy.Size() - 1], 0);
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

TEST(PictureMemory, LargeBlocksAreReusedAndZeroedWhenAsked)
{
    ReleaseKeptPictureBlocks();
    const size_t big = 8u << 20;
    const uint8_t* first = nullptr;
    {
        Picture a = Picture::Block(big, false);
        ASSERT_TRUE(a);
        first = a.Data();
        std::memset(a.Data(), 0xAB, big);
    }
    Picture b = Picture::Block(big - 100, true);  // close enough in size to reuse
    ASSERT_TRUE(b);
    EXPECT_EQ(b.Data(), first);
    EXPECT_EQ(b.Size(), big - 100);
    EXPECT_TRUE(std::all_of(b.Data(), b.Data() + b.Size(), [](uint8_t v) { return v == 0; }));
    // A much smaller request does not take a big kept block.
    b.Reset();
    Picture small = Picture::Block(2u << 20, false);
    EXPECT_NE(small.Data(), first);
    ReleaseKeptPictureBlocks();
}

}  // namespace
}  // namespace lumora

#include "core/picture/dib_rgb.h"

namespace lumora {
namespace {

TEST(RgbExpansion, EveryDepthTopDown)
{
    // 1-bit, 3 x 2: the bottom row (first in memory) has its middle bit set.
    Picture mono = Picture::Make(3, 2, 1);
    uint8_t* table = mono.Data() + 40;
    table[4] = 0x30, table[5] = 0x20, table[6] = 0x10;  // entry 1 = (0x10, 0x20, 0x30)
    mono.Pixels()[0] = 0x40;
    auto pixels = DIBToRGB32TopDown(mono);
    ASSERT_EQ(pixels.size(), 6u);
    EXPECT_EQ(pixels[3 + 1], 0xFF102030u);  // bottom row, middle pixel
    EXPECT_EQ(pixels[1], 0xFF000000u);

    Picture four = Picture::Make(3, 1, 4);
    four.Pixels()[0] = 0x9C;  // bright red, blue
    four.Pixels()[1] = 0xF0;  // white
    pixels = DIBToRGB32TopDown(four);
    EXPECT_EQ(pixels, (std::vector<uint32_t>{0xFFFF0000u, 0xFF0000FFu, 0xFFFFFFFFu}));

    Picture eight = Picture::Make(2, 1, 8);
    eight.Pixels()[1] = 14;  // cyan
    pixels = DIBToRGB32TopDown(eight);
    EXPECT_EQ(pixels[1], 0xFF00FFFFu);

    Picture rgb = Picture::Make(2, 2, 24);
    uint8_t* top = rgb.Pixels() + PictureRowBytes(2, 24);  // last row in memory
    top[3] = 1, top[4] = 2, top[5] = 3;                           // blue, green, red
    pixels = DIBToRGB32TopDown(rgb);
    EXPECT_EQ(pixels[1], 0xFF030201u);
    std::vector<uint32_t> row(2);
    DIBRowToRGB32(rgb, 1, row.data());
    EXPECT_EQ(row[1], 0xFF030201u);

    EXPECT_TRUE(DIBToRGB32TopDown(Picture{}).empty());
}

}  // namespace
}  // namespace lumora
