#include <gtest/gtest.h>

#include "core/formats/tga_reader.h"
#include "reader_test_support.h"
#include "support/test_picture_writers.h"

namespace lumora {
namespace {

using test::Bytes;
using test::TgaPicture;

// ---------------------------------------------------------------------------
// The shared test pictures

const test::ExpectedOutcome kTgaOutcomes[] = {
    {"commons-Oregon_Scientific_DS6639_-_DSC_0307_-_small.tga", 300, 225, 24},
    {"gotga-monochrome16_top_left.tga", 0, 0, 0},
    {"gotga-monochrome16_top_left_rle.tga", 0, 0, 0},
    {"gotga-monochrome8_bottom_left.tga", 64, 64, 8},
    {"gotga-monochrome8_bottom_left_rle.tga", 64, 64, 8},
    {"gotga-rgb24_bottom_left_rle.tga", 64, 64, 24},
    {"gotga-rgb24_top_left.tga", 64, 64, 24},
    {"gotga-rgb24_top_left_colormap.tga", 64, 64, 8},
    {"gotga-rgb32_bottom_left.tga", 64, 64, 24},
    {"gotga-rgb32_top_left_rle.tga", 64, 64, 24},
    {"gotga-rgb32_top_left_rle_colormap.tga", 64, 64, 8},
    {"imagers-b5-attrib.tga", 4, 4, 24},
    {"imagers-b5-cmap.tga", 4, 4, 8},
    {"imagers-b5-noattrib.tga", 4, 4, 24},
    {"imagers-b5-unused-cmap.tga", 4, 4, 24},
    {"imagers-bottom_left.tga", 75, 70, 24},
    {"imagers-cmap_offset.tga", 12, 6, 8},
    {"imagers-regression-bad-color-map.tga", 0, 0, 0},
    {"imagers-regression-flip-zero-height.tga", 0, 0, 0},
    {"imagers-regression-flip-zero-height2.tga", 0, 0, 0},
    {"imagers-regression-orientation-zero-width.tga", 0, 0, 0},
    {"imagers-regression-overfull-image.tga", 0, 0, 0},
    {"imagers-regression-sixteen-bit-gray-colormap.tga", 0, 0, 0},
    {"imagers-regression-sixteen-bit-gray-colormap2.tga", 0, 0, 0},
    {"imagers-regression-slice-copy-length.tga", 0, 0, 0},
    {"imagers-top_right.tga", 75, 70, 24},
    {"kde-bottom_right.tga", 480, 160, 24},
    {"kde-bw.tga", 32, 32, 8},
    {"kde-bwa.tga", 0, 0, 0},
    {"kde-colormapped.tga", 48, 48, 8},
    {"kde-devarea.tga", 131, 131, 24},
    {"kde-extarea.tga", 131, 131, 24},
    {"kde-rgb-gimp-2.8.10-rle-top-left.tga", 32, 32, 24},
    {"kde-rgb.tga", 32, 32, 24},
    {"kde-rgb16.tga", 96, 96, 24},
    {"kde-rgba.tga", 32, 32, 24},
    {"kde-top_left.tga", 480, 160, 24},
    {"pillow-1x1_l_bl_raw.tga", 1, 1, 8},
    {"pillow-1x1_l_bl_rle.tga", 1, 1, 8},
    {"pillow-1x1_l_tl_raw.tga", 1, 1, 8},
    {"pillow-1x1_l_tl_rle.tga", 1, 1, 8},
    {"pillow-200x32_l_bl_raw.tga", 200, 32, 8},
    {"pillow-200x32_l_bl_rle.tga", 200, 32, 8},
    {"pillow-200x32_l_tl_raw.tga", 200, 32, 8},
    {"pillow-200x32_l_tl_rle.tga", 200, 32, 8},
    {"pillow-200x32_la_bl_raw.tga", 0, 0, 0},
    {"pillow-200x32_la_bl_rle.tga", 0, 0, 0},
    {"pillow-200x32_la_tl_raw.tga", 0, 0, 0},
    {"pillow-200x32_la_tl_rle.tga", 0, 0, 0},
    {"pillow-200x32_p_bl_raw.tga", 200, 32, 8},
    {"pillow-200x32_p_bl_raw_origin.tga", 200, 32, 8},
    {"pillow-200x32_p_bl_rle.tga", 200, 32, 8},
    {"pillow-200x32_p_tl_raw.tga", 200, 32, 8},
    {"pillow-200x32_p_tl_rle.tga", 200, 32, 8},
    {"pillow-200x32_rgb_bl_raw.tga", 200, 32, 24},
    {"pillow-200x32_rgb_bl_rle.tga", 200, 32, 24},
    {"pillow-200x32_rgb_tl_raw.tga", 200, 32, 24},
    {"pillow-200x32_rgba_bl_raw.tga", 200, 32, 24},
    {"pillow-200x32_rgba_bl_rle.tga", 200, 32, 24},
    {"pillow-200x32_rgba_tl_raw.tga", 200, 32, 24},
    {"pillow-200x32_rgba_tl_rle.tga", 200, 32, 24},
    {"pillow-cross_scan_line.tga", 2, 2, 8},
    {"pillow-cross_scan_line_truncated.tga", 0, 0, 0},
    {"pillow-la.tga", 0, 0, 0},
    {"pillow-p_16.tga", 128, 128, 8},
    {"pillow-p_8.tga", 0, 0, 0},
    {"pillow-rgb32rle.tga", 199, 199, 24},
    {"pillow-rgb32rle_bottom_right.tga", 199, 199, 24},
    {"pillow-rgb32rle_top_right.tga", 199, 199, 24},
    {"pillow-rgba16.tga", 2, 1, 24},
    {"pillow-tga_id_field.tga", 100, 100, 24},
    {"truevision-FLAG_B16.tga", 124, 124, 24},
    {"truevision-FLAG_B24.tga", 124, 124, 24},
    {"truevision-FLAG_B32.tga", 124, 124, 24},
    {"truevision-FLAG_T16.tga", 124, 124, 24},
    {"truevision-FLAG_T32.tga", 124, 124, 24},
    {"truevision-XING_B16.tga", 240, 164, 24},
    {"truevision-XING_B24.tga", 240, 164, 24},
    {"truevision-XING_B32.tga", 240, 164, 24},
    {"truevision-XING_T16.tga", 240, 164, 24},
    {"truevision-XING_T24.tga", 240, 164, 24},
    {"truevision-XING_T32.tga", 240, 164, 24},
    {"truevision-cbw8.tga", 128, 128, 8},
    {"truevision-ccm8.tga", 128, 128, 8},
    {"truevision-ctc16.tga", 128, 128, 24},
    {"truevision-ctc24.tga", 128, 128, 24},
    {"truevision-ctc32.tga", 128, 128, 24},
    {"truevision-ubw8.tga", 128, 128, 8},
    {"truevision-ucm8.tga", 128, 128, 8},
    {"truevision-utc16.tga", 128, 128, 24},
    {"truevision-utc24.tga", 128, 128, 24},
    {"truevision-utc32.tga", 128, 128, 24},
    {"zigimg-font.tga", 192, 256, 24},
    {"zigimg-stopsignsmall.tga", 216, 480, 24},
    {"zigimg-stopsignsmallcompressed.tga", 216, 480, 24},
};

TEST(TgaTestPictures, DecodeAsListed)
{
    test::CheckOutcomes("tga", kTgaOutcomes, [](const std::string& path) { return ReadTGAFile(path); });
}

Picture ReadShared(const std::string& name)
{
    return ReadTGAFile(test::TestDataPath("tga/" + name)).picture;
}

TEST(TgaTestPictures, KnownPixelColours)
{
    struct Probe {
        const char* file;
        uint32_t x, y, rgb;
    };
    const Probe probes[] = {
        {"truevision-utc24.tga", 0, 0, 0xFF0000},
        {"truevision-ucm8.tga", 50, 50, 0x0000FF},          // 16-bit colour map
        {"truevision-utc16.tga", 60, 60, 0xFFFFFF},         // plain 16-bit white
        {"truevision-ctc16.tga", 60, 60, 0xF8F8F8},         // run-length 16-bit white
        {"truevision-cbw8.tga", 70, 30, 0x4C4C4C},          // grey
        {"pillow-200x32_p_tl_rle.tga", 10, 5, 0x003C04},    // top origin, colour-mapped
        {"kde-rgb16.tga", 40, 40, 0x414141},
        {"zigimg-stopsignsmall.tga", 100, 200, 0xE4E4C6},   // top origin, 24-bit
    };
    for (const Probe& p : probes) {
        Picture dib = ReadShared(p.file);
        ASSERT_TRUE(dib) << p.file;
        EXPECT_EQ(test::PixelFromTop(dib, p.x, p.y), test::Hex(p.rgb)) << p.file;
    }
}

TEST(TgaTestPictures, TopAndBottomOriginTwinsDecodeAlike)
{
    const std::pair<const char*, const char*> twins[] = {
        {"truevision-XING_B24.tga", "truevision-XING_T24.tga"},
        {"truevision-XING_B16.tga", "truevision-XING_T16.tga"},
        {"pillow-200x32_p_bl_raw.tga", "pillow-200x32_p_tl_raw.tga"},
        {"pillow-200x32_l_bl_rle.tga", "pillow-200x32_l_tl_rle.tga"},
    };
    for (auto [bottom, top] : twins) {
        Picture a = ReadShared(bottom), b = ReadShared(top);
        ASSERT_TRUE(a && b) << bottom;
        EXPECT_TRUE(std::ranges::equal(a.Bytes(), b.Bytes())) << bottom << " / " << top;
    }
}

// ---------------------------------------------------------------------------
// Pictures written by the test writer

Picture Decode(const Bytes& bytes, const ReadOptions& options = {})
{
    MemorySource source(bytes);
    return ReadTGAFromSource(source, options).picture;
}

ColorTriple ColorOf(unsigned x, unsigned y)
{
    return {uint8_t(x * 40), uint8_t(y * 50 + 1), uint8_t(x < 2 ? 7 : x + y)};
}

// 24-bit true colour, rows stored bottom first; a few repeats for runs.
TgaPicture TrueColor(uint8_t imageType, uint16_t width, uint16_t height, uint8_t depth = 24)
{
    TgaPicture p;
    p.imageType = imageType;
    p.pixelDepth = depth;
    p.width = width;
    p.height = height;
    for (unsigned fileRow = 0; fileRow < height; ++fileRow)
        for (unsigned x = 0; x < width; ++x) {
            const ColorTriple c = ColorOf(x, fileRow);
            p.pixels.insert(p.pixels.end(), {c.blue, c.green, c.red});
            if (depth == 32)
                p.pixels.push_back(0x80);
        }
    return p;
}

void ExpectTrueColor(const Picture& dib, unsigned width, unsigned height)
{
    ASSERT_TRUE(dib);
    ASSERT_TRUE(IsValidPicture(dib.Bytes()));
    ASSERT_EQ(dib.BitCount(), 24);
    for (unsigned row = 0; row < height; ++row)
        for (unsigned x = 0; x < width; ++x)
            ASSERT_EQ(test::ColorAt(dib, x, row), ColorOf(x, row)) << x << "," << row;
}

TEST(TgaRoundTrip, PlainAndRunLengthTrueColour)
{
    ExpectTrueColor(Decode(test::WriteTga(TrueColor(2, 6, 4))), 6, 4);
    ExpectTrueColor(Decode(test::WriteTga(TrueColor(10, 6, 4))), 6, 4);
    ExpectTrueColor(Decode(test::WriteTga(TrueColor(2, 5, 3, 32))), 5, 3);
    ExpectTrueColor(Decode(test::WriteTga(TrueColor(10, 5, 3, 32))), 5, 3);
}

TEST(TgaRoundTrip, TopOriginFilesAreStoredUpright)
{
    TgaPicture bottomFirst = TrueColor(2, 4, 5);
    TgaPicture topFirst = bottomFirst;
    topFirst.descriptor = 0x20;
    topFirst.pixels.clear();
    for (int fileRow = 4; fileRow >= 0; --fileRow)
        topFirst.pixels.insert(topFirst.pixels.end(), bottomFirst.pixels.begin() + fileRow * 12,
                               bottomFirst.pixels.begin() + (fileRow + 1) * 12);
    Picture a = Decode(test::WriteTga(bottomFirst));
    Picture b = Decode(test::WriteTga(topFirst));
    ExpectTrueColor(b, 4, 5);
    EXPECT_TRUE(std::ranges::equal(a.Bytes(), b.Bytes()));
    topFirst.imageType = 10;
    ExpectTrueColor(Decode(test::WriteTga(topFirst)), 4, 5);
}

TEST(TgaRoundTrip, SixteenBitWhiteDependsOnTheCoding)
{
    TgaPicture p;
    p.imageType = 2;
    p.pixelDepth = 16;
    p.width = 3;
    p.height = 1;
    // White, then red 16 / green 8 / blue 1, then 15-bit depth's white with
    // the attribute bit set.
    p.pixels = {0xFF, 0x7F, 0x01, 0x41, 0xFF, 0xFF};
    Picture plain = Decode(test::WriteTga(p));
    ASSERT_TRUE(plain);
    EXPECT_EQ(test::ColorAt(plain, 0, 0), (ColorTriple{255, 255, 255}));
    EXPECT_EQ(test::ColorAt(plain, 1, 0), (ColorTriple{131, 65, 8}));
    EXPECT_EQ(test::ColorAt(plain, 2, 0), (ColorTriple{255, 255, 255}));

    p.imageType = 10;
    p.pixelDepth = 15;
    Picture coded = Decode(test::WriteTga(p));
    ASSERT_TRUE(coded);
    EXPECT_EQ(test::ColorAt(coded, 0, 0), (ColorTriple{248, 248, 248}));
    EXPECT_EQ(test::ColorAt(coded, 1, 0), (ColorTriple{128, 64, 8}));
    EXPECT_EQ(test::ColorAt(coded, 2, 0), (ColorTriple{248, 248, 248}));
}

TEST(TgaRoundTrip, RunPacketSpansTwoRows)
{
    // Grey, 3 x 2: a run of five 0x40 fills the first row and two pixels of
    // the second; a literal packet gives the last pixel.
    TgaPicture p;
    p.imageType = 11;
    p.pixelDepth = 8;
    p.width = 3;
    p.height = 2;
    Bytes bytes = test::WriteTga(p);
    bytes.insert(bytes.end(), {0x84, 0x40, 0x00, 0x41});
    Picture dib = Decode(bytes);
    ASSERT_TRUE(dib);
    const uint8_t expected[2][3] = {{0x40, 0x40, 0x40}, {0x40, 0x40, 0x41}};
    for (uint32_t row = 0; row < 2; ++row)
        for (uint32_t x = 0; x < 3; ++x)
            EXPECT_EQ(test::IndexAt(dib, x, row), expected[row][x]) << x << "," << row;

    // A literal packet crossing the row end, true colour.
    TgaPicture literal = TrueColor(10, 3, 2);
    TgaPicture headerOnly = literal;
    headerOnly.pixels.clear();
    Bytes literalBytes = test::WriteTga(headerOnly);
    literalBytes.push_back(0x05);
    literalBytes.insert(literalBytes.end(), literal.pixels.begin(), literal.pixels.end());
    ExpectTrueColor(Decode(literalBytes), 3, 2);
}

TgaPicture ColorMapped(uint8_t imageType, uint8_t entryBits, unsigned entries)
{
    TgaPicture p;
    p.imageType = imageType;
    p.pixelDepth = 8;
    p.width = 4;
    p.height = 2;
    p.mapType = 1;
    p.mapEntryBits = entryBits;
    for (unsigned i = 0; i < entries; ++i) {
        if (entryBits <= 16) {
            const unsigned v = (i % 32) << 10 | (31 - i % 32) << 5 | (i / 32) % 32;
            p.colorMap.insert(p.colorMap.end(), {uint8_t(v), uint8_t(v >> 8)});
        } else {
            p.colorMap.insert(p.colorMap.end(), {uint8_t(i / 2), uint8_t(i), uint8_t(255 - i)});
            if (entryBits == 32)
                p.colorMap.push_back(0xAA);
        }
    }
    p.pixels = {0, 1, 2, 3, 254, 255, 100, 100};
    return p;
}

TEST(TgaColourMaps, EntriesOfTwoThreeAndFourBytes)
{
    for (uint8_t type : {uint8_t{1}, uint8_t{9}}) {
        Picture fiveBit = Decode(test::WriteTga(ColorMapped(type, 15, 256)));
        ASSERT_TRUE(fiveBit);
        EXPECT_EQ(fiveBit.BitCount(), 8);
        // Entry 2: red 2, green 29, blue 0 through the expansion table.
        EXPECT_EQ(test::ColorAt(fiveBit, 2, 0), (ColorTriple{16, 238, 0}));
        // Entry 255: red 31, green 0, blue 7.
        EXPECT_EQ(test::ColorAt(fiveBit, 1, 1), (ColorTriple{255, 0, 57}));

        for (uint8_t bits : {uint8_t{24}, uint8_t{32}}) {
            Picture dib = Decode(test::WriteTga(ColorMapped(type, bits, 256)));
            ASSERT_TRUE(dib);
            EXPECT_EQ(test::ColorAt(dib, 3, 0), (ColorTriple{252, 3, 1})) << int(bits);
            EXPECT_EQ(test::IndexAt(dib, 2, 1), 100) << int(bits);
        }
    }
}

TEST(TgaColourMaps, SixteenBitIndicesUseTheLowByte)
{
    TgaPicture p = ColorMapped(1, 24, 256);
    p.pixelDepth = 16;
    p.pixels = {7, 1, 8, 0, 9, 2, 10, 0, 11, 0, 12, 0, 13, 0, 14, 0xFF};
    Picture dib = Decode(test::WriteTga(p));
    ASSERT_TRUE(dib);
    for (uint32_t x = 0; x < 4; ++x) {
        EXPECT_EQ(test::IndexAt(dib, x, 0), 7 + x);
        EXPECT_EQ(test::IndexAt(dib, x, 1), 11 + x);
    }
    p.imageType = 9;
    Picture coded = Decode(test::WriteTga(p));
    ASSERT_TRUE(coded);
    EXPECT_TRUE(std::ranges::equal(dib.Bytes(), coded.Bytes()));
}

TEST(TgaColourMaps, LongMapsAreCutAndShortOnesLeaveBlack)
{
    Picture full = Decode(test::WriteTga(ColorMapped(1, 24, 300)));
    ASSERT_TRUE(full);
    EXPECT_EQ(full.Color(255), (ColorTriple{0, 255, 127}));
    // A later file with a shorter map does not inherit the earlier colours.
    Picture partial = Decode(test::WriteTga(ColorMapped(1, 24, 4)));
    ASSERT_TRUE(partial);
    EXPECT_EQ(partial.Color(3), (ColorTriple{252, 3, 1}));
    EXPECT_EQ(partial.Color(4), (ColorTriple{0, 0, 0}));
    EXPECT_EQ(partial.Color(255), (ColorTriple{0, 0, 0}));
}

TEST(TgaColourMaps, GreyPicturesGetARampWhateverCameBefore)
{
    ASSERT_TRUE(Decode(test::WriteTga(ColorMapped(1, 24, 256))));
    for (uint8_t type : {uint8_t{3}, uint8_t{11}}) {
        TgaPicture grey;
        grey.imageType = type;
        grey.pixelDepth = 8;
        grey.width = 2;
        grey.height = 1;
        grey.pixels = {0x10, 0xF0};
        Picture dib = Decode(test::WriteTga(grey));
        ASSERT_TRUE(dib);
        for (unsigned i = 0; i < 256; ++i)
            ASSERT_EQ(dib.Color(i), (ColorTriple{uint8_t(i), uint8_t(i), uint8_t(i)})) << i;
        EXPECT_EQ(test::IndexAt(dib, 1, 0), 0xF0);
    }
}

TEST(TgaColourMaps, MapOnATrueColourFileIsSkipped)
{
    TgaPicture p = TrueColor(2, 3, 2);
    p.mapType = 1;
    p.mapEntryBits = 24;
    p.colorMap = Bytes(3 * 5, 0x99);
    p.id = "an image ID";
    ExpectTrueColor(Decode(test::WriteTga(p)), 3, 2);
}

// ---------------------------------------------------------------------------
// Damaged and refused files

TEST(TgaDamage, ShortFilesGiveNoPicture)
{
    for (uint8_t type : {uint8_t{2}, uint8_t{10}}) {
        const Bytes whole = test::WriteTga(TrueColor(type, 7, 5));
        ASSERT_TRUE(Decode(whole));
        for (size_t keep : {size_t{0}, size_t{17}, size_t{18}, size_t{40}, whole.size() - 1})
            EXPECT_FALSE(Decode(Bytes(whole.begin(), whole.begin() + long(keep)))) << int(type) << " " << keep;
    }
    const Bytes mapped = test::WriteTga(ColorMapped(1, 24, 256));
    EXPECT_FALSE(Decode(Bytes(mapped.begin(), mapped.begin() + 18 + 300))) << "colour map cut short";
}

TEST(TgaDamage, UnsupportedFormatsGiveNoPicture)
{
    const std::pair<uint8_t, uint8_t> refused[] = {
        {3, 16}, {11, 16}, {2, 8}, {10, 8}, {1, 24}, {9, 32}, {0, 8}, {32, 8}, {33, 8}, {2, 48}};
    for (auto [type, depth] : refused) {
        TgaPicture p;
        p.imageType = type;
        p.pixelDepth = depth;
        p.width = 2;
        p.height = 2;
        p.pixels = Bytes(2 * 2 * 6, 0);
        EXPECT_FALSE(Decode(test::WriteTga(p))) << int(type) << "/" << int(depth);
    }
    TgaPicture eightBitMap = ColorMapped(1, 8, 256);
    eightBitMap.colorMap = Bytes(256, 1);
    EXPECT_FALSE(Decode(test::WriteTga(eightBitMap))) << "one-byte map entries";
}

TEST(TgaDamage, AbsurdSizesAreRefused)
{
    TgaPicture p = TrueColor(2, 2, 2);
    p.width = 65535;
    p.height = 65535;
    EXPECT_FALSE(Decode(test::WriteTga(p)));
    p.imageType = 11;
    p.pixelDepth = 8;
    EXPECT_FALSE(Decode(test::WriteTga(p)));
    EXPECT_FALSE(ReadTGAFile("/nonexistent/picture.tga"));
}

// ---------------------------------------------------------------------------
// Progress gauge

TEST(TgaProgress, StepsEveryRowWhenOnOnly)
{
    test::RecordingProgress progress;
    const Bytes bytes = test::WriteTga(TrueColor(10, 3, 4));
    ASSERT_TRUE(Decode(bytes, test::WithProgress(false)));
    EXPECT_EQ(progress.begun, 0);
    ASSERT_TRUE(Decode(bytes, test::WithProgress(true)));
    EXPECT_EQ(progress.begun, 1);
    EXPECT_EQ(progress.ended, 1);
    ASSERT_EQ(progress.steps.size(), 4u);
    EXPECT_EQ(progress.steps.back(), (std::pair<long, long>{4, 4}));
    EXPECT_FALSE(Decode(Bytes(bytes.begin(), bytes.end() - 2), test::WithProgress(true)));
    EXPECT_EQ(progress.begun, 2);
    EXPECT_EQ(progress.ended, progress.begun);
}

}  // namespace
}  // namespace lumora
