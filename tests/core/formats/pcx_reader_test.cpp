#include <gtest/gtest.h>

#include "core/formats/pcx_reader.h"
#include "support/modern_test_support.h"
#include "reader_test_support.h"
#include "support/test_picture_writers.h"

namespace lumora {
namespace {

using test::Bytes;
using test::PcxPicture;

// ---------------------------------------------------------------------------
// The shared test pictures

const test::ExpectedOutcome kPcxOutcomes[] = {
    {"commons-1plane1bppCompressed.pcx", 0, 0, 0},
    {"commons-1plane1bppUncompressed.pcx", 0, 0, 0},
    {"commons-1plane24bppCompressed.pcx", 10, 10, 24},
    {"commons-1plane2bppCompressed.pcx", 0, 0, 0},
    {"commons-1plane4bppCompressed.pcx", 10, 10, 4},
    {"commons-1plane8bppCompressed.pcx", 10, 10, 8},
    {"commons-1plane8bppUncompressed.pcx", 10, 10, 8},
    {"commons-2plane1bppCompressed.pcx", 0, 0, 0},
    {"commons-3plane1bppCompressed.pcx", 0, 0, 0},
    {"commons-3plane8bppCompressed.pcx", 10, 10, 24},
    {"commons-3plane8bppUncompressed.pcx", 10, 10, 24},
    {"commons-4plane1bppCompressed.pcx", 10, 10, 4},
    {"commons-Oregon_Scientific_DS6639_-_DSC_0307_-_small.pcx", 300, 225, 24},
    {"exiftool-PCX.pcx", 8, 8, 24},
    {"kde-16color.pcx", 200, 168, 4},
    {"kde-CGA_FSD.pcx", 0, 0, 0},
    {"kde-ICONDOC.pcx", 0, 0, 0},
    {"kde-bw.pcx", 32, 32, 24},
    {"kde-ccbug_463951.pcx", 581, 400, 8},
    {"kde-dice_rgba.pcx", 0, 0, 0},
    {"kde-indexed4.pcx", 32, 32, 4},
    {"kde-indexed8.pcx", 32, 32, 8},
    {"kde-mono.pcx", 581, 400, 1},
    {"kde-rgb-gimp-2.8.10.pcx", 32, 32, 24},
    {"kde-write-Format_Grayscale8.pcx", 96, 96, 8},
    {"kde-write-Format_Indexed8.pcx", 96, 96, 8},
    {"kde-write-Format_Mono.pcx", 96, 96, 1},
    {"kde-write-Format_RGB888.pcx", 96, 96, 24},
    {"pillow-01r_00.pcx", 0, 0, 0},
    {"pillow-odd_stride.pcx", 371, 150, 8},
    {"pillow-ossfuzz-4836216264589312.pcx", 0, 0, 0},
    {"pillow-p_4_planes.pcx", 1, 1, 4},
    {"pillow-pil184.pcx", 447, 144, 1},
    {"zigimg-test-bpp1.pcx", 27, 27, 1},
    {"zigimg-test-bpp24.pcx", 27, 27, 24},
    {"zigimg-test-bpp4.pcx", 27, 27, 4},
    {"zigimg-test-bpp8.pcx", 27, 27, 8},
};

TEST(PcxTestPictures, DecodeAsListed)
{
    test::CheckOutcomes("pcx", kPcxOutcomes, [](const std::string& path) { return ReadPCXFile(path); });
}

TEST(PcxTestPictures, KnownPixelColours)
{
    struct Probe {
        const char* file;
        uint32_t x, y, rgb;
    };
    const Probe probes[] = {
        {"kde-16color.pcx", 100, 80, 0x808080},       // four 1-bit planes
        {"kde-16color.pcx", 60, 120, 0xC0C0C0},
        {"commons-4plane1bppCompressed.pcx", 3, 3, 0xFF0000},
        {"kde-indexed8.pcx", 5, 7, 0xF7FBFE},         // palette at the end
        {"pillow-odd_stride.pcx", 200, 100, 0x0000FF}, // odd bytes per line
        {"kde-bw.pcx", 20, 3, 0xE8E8E8},              // three 8-bit planes
        {"zigimg-test-bpp24.pcx", 13, 13, 0x477378},
    };
    for (const Probe& p : probes) {
        Picture dib = ReadPCXFile(test::TestDataPath(std::string("pcx/") + p.file)).picture;
        ASSERT_TRUE(dib) << p.file;
        EXPECT_EQ(test::PixelFromTop(dib, p.x, p.y), test::Hex(p.rgb)) << p.file;
    }
}

// ---------------------------------------------------------------------------
// Pictures written by the test writer

PcxPicture EightBitPicture(uint16_t width, uint16_t height)
{
    PcxPicture p;
    p.width = width;
    p.height = height;
    p.bytesPerLine = uint16_t((width + 1) & ~1);
    for (unsigned y = 0; y < height; ++y) {
        Bytes line(p.bytesPerLine, 0);
        for (unsigned x = 0; x < width; ++x)
            line[x] = uint8_t(x < 3 ? 0xC7 : (x * 37 + y * 11) % 256);   // a run of a high value first
        p.lines.push_back(line);
    }
    for (unsigned i = 0; i < 256; ++i) {
        p.vgaPalette.push_back(uint8_t(i));
        p.vgaPalette.push_back(uint8_t(i / 2));
        p.vgaPalette.push_back(uint8_t(255 - i));
    }
    return p;
}

// 1-bit files whose header palette is empty (both entries black) are black
// on white; a real two-colour palette is kept. ImageMagick reads set bits
// as black whatever the palette says (pil184's palette is black, then
// white): its decode, negated, must match ours pixel for pixel.
TEST(PcxTestPictures, OneBitFilesWithAnEmptyPaletteAreBlackOnWhite)
{
    test::TempDir dir;
    for (const char* name : {"kde-mono.pcx", "kde-write-Format_Mono.pcx", "pillow-pil184.pcx"}) {
        SCOPED_TRACE(name);
        const std::string file = test::TestDataPath(std::string("pcx/") + name);
        const Picture dib = ReadPCXFile(file).picture;
        ASSERT_TRUE(dib);
        EXPECT_EQ(dib.Color(0), (ColorTriple{0, 0, 0}));
        EXPECT_EQ(dib.Color(1), (ColorTriple{255, 255, 255}));
        test::ExpectSamePixels(dib, test::Converted(file, dir, "-negate"), 0);
    }
    const Picture coloured = ReadPCXFile(test::TestDataPath("pcx/zigimg-test-bpp1.pcx")).picture;
    ASSERT_TRUE(coloured);
    EXPECT_EQ(coloured.Color(0), (ColorTriple{102, 90, 155}));
    EXPECT_NE(coloured.Color(1), (ColorTriple{255, 255, 255}));
}

TEST(PcxRoundTrip, EightBitPictureTakesTheClosingPalette)
{
    const PcxPicture p = EightBitPicture(7, 3);
    const Bytes bytes = test::WritePcx(p);
    MemorySource source(bytes);
    Picture dib = ReadPCXFromSource(source).picture;
    ASSERT_TRUE(dib);
    ASSERT_TRUE(IsValidPicture(dib.Bytes()));
    const BitmapInfoHeader h = BitmapInfoHeader::Read(dib.Data());
    EXPECT_EQ(h.bitCount, 8);
    EXPECT_EQ(h.clrUsed, 256u);
    EXPECT_EQ(h.sizeImage, 8u * 3u);
    for (uint32_t y = 0; y < 3; ++y)
        for (uint32_t x = 0; x < 7; ++x)
            EXPECT_EQ(test::IndexAt(dib, x, 2 - y), p.lines[y][x]) << x << "," << y;
    EXPECT_EQ(dib.Color(200), (ColorTriple{200, 100, 55}));
}

TEST(PcxRoundTrip, ThreeColourPlanesBecomeBlueGreenRedPixels)
{
    PcxPicture p;
    p.planes = 3;
    p.width = 5;
    p.height = 2;
    p.bytesPerLine = 6;
    auto colorAt = [](unsigned x, unsigned y) { return ColorTriple{uint8_t(10 * x + y), uint8_t(100 + x), uint8_t(200 + y)}; };
    for (unsigned y = 0; y < 2; ++y) {
        Bytes line(18, 0);
        for (unsigned x = 0; x < 5; ++x) {
            line[x] = colorAt(x, y).red;
            line[6 + x] = colorAt(x, y).green;
            line[12 + x] = colorAt(x, y).blue;
        }
        p.lines.push_back(line);
    }
    const Bytes bytes = test::WritePcx(p);
    MemorySource source(bytes);
    Picture dib = ReadPCXFromSource(source).picture;
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.BitCount(), 24);
    for (uint32_t y = 0; y < 2; ++y)
        for (uint32_t x = 0; x < 5; ++x)
            EXPECT_EQ(test::PixelFromTop(dib, x, y), colorAt(x, y)) << x << "," << y;
}

TEST(PcxRoundTrip, FourPlanesGiveSixteenColours)
{
    // Eleven pixels: plane k holds bit k of every pixel, leftmost pixel in
    // each byte's top bit.
    const uint8_t values[2][11] = {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 15}, {15, 14, 13, 12, 11, 10, 0, 5, 10, 3, 12}};
    PcxPicture p;
    p.bitsPerPlane = 1;
    p.planes = 4;
    p.width = 11;
    p.height = 2;
    p.bytesPerLine = 2;
    for (unsigned i = 0; i < 16; ++i) {
        p.headerPalette[i * 3] = uint8_t(i * 16);
        p.headerPalette[i * 3 + 1] = uint8_t(i);
        p.headerPalette[i * 3 + 2] = uint8_t(255 - i);
    }
    for (const auto& row : values) {
        Bytes line(8, 0);
        for (unsigned x = 0; x < 11; ++x)
            for (unsigned plane = 0; plane < 4; ++plane)
                if (row[x] >> plane & 1)
                    line[plane * 2 + x / 8] |= uint8_t(0x80 >> (x % 8));
        p.lines.push_back(line);
    }
    const Bytes bytes = test::WritePcx(p);
    MemorySource source(bytes);
    Picture dib = ReadPCXFromSource(source).picture;
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.BitCount(), 4);
    EXPECT_EQ(BitmapInfoHeader::Read(dib.Data()).clrUsed, 16u);
    for (uint32_t y = 0; y < 2; ++y)
        for (uint32_t x = 0; x < 11; ++x)
            EXPECT_EQ(test::IndexAt(dib, x, 1 - y), values[y][x]) << x << "," << y;
    EXPECT_EQ(dib.Color(9), (ColorTriple{144, 9, 246}));
}

TEST(PcxRoundTrip, OneBitPictureWithHeaderColours)
{
    PcxPicture p;
    p.bitsPerPlane = 1;
    p.width = 20;
    p.height = 3;
    p.bytesPerLine = 4;
    p.headerPalette[0] = 0x12;
    p.headerPalette[3] = 0xFF, p.headerPalette[4] = 0xEE, p.headerPalette[5] = 0xDD;
    p.lines = {{0xF0, 0x0F, 0xA0, 0}, {0x00, 0xFF, 0x50, 0}, {0x81, 0x81, 0xF0, 0}};
    const Bytes bytes = test::WritePcx(p);
    MemorySource source(bytes);
    Picture dib = ReadPCXFromSource(source).picture;
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.BitCount(), 1);
    EXPECT_EQ(dib.Color(0), (ColorTriple{0x12, 0, 0}));
    EXPECT_EQ(dib.Color(1), (ColorTriple{0xFF, 0xEE, 0xDD}));
    for (uint32_t y = 0; y < 3; ++y)
        for (uint32_t x = 0; x < 20; ++x)
            EXPECT_EQ(test::IndexAt(dib, x, 2 - y), (p.lines[y][x / 8] >> (7 - x % 8)) & 1) << x << "," << y;
}

TEST(PcxRoundTrip, FileAndMemoryGiveTheSamePicture)
{
    const Bytes bytes = test::WritePcx(EightBitPicture(33, 9));
    test::TempDir dir;
    test::WriteBytes(dir.File("p.pcx"), bytes);
    MemorySource source(bytes);
    Picture fromMemory = ReadPCXFromSource(source).picture;
    Picture fromFile = ReadPCXFile(dir.File("p.pcx")).picture;
    ASSERT_TRUE(fromMemory);
    ASSERT_TRUE(fromFile);
    EXPECT_TRUE(std::ranges::equal(fromMemory.Bytes(), fromFile.Bytes()));
}

// ---------------------------------------------------------------------------
// Damaged and refused files

Picture Decode(const Bytes& bytes, const ReadOptions& options = {})
{
    MemorySource source(bytes);
    return ReadPCXFromSource(source, options).picture;
}

TEST(PcxDamage, RunsAreCutAtTheLineBuffer)
{
    // Four 8-bit pixels a line. The first line ends with a run of 63 that
    // only has room for one byte; the second line starts afresh.
    PcxPicture p;
    p.width = 4;
    p.height = 2;
    p.bytesPerLine = 4;
    Bytes bytes = test::WritePcx(p);
    const Bytes coded = {0xC3, 0x11, 0xFF, 0x22, 0xC4, 0x33};
    bytes.insert(bytes.end(), coded.begin(), coded.end());
    bytes.push_back(0x0C);
    bytes.resize(bytes.size() + 768, 0x40);
    Picture dib = Decode(bytes);
    ASSERT_TRUE(dib);
    const uint8_t expected[2][4] = {{0x11, 0x11, 0x11, 0x22}, {0x33, 0x33, 0x33, 0x33}};
    for (uint32_t y = 0; y < 2; ++y)
        for (uint32_t x = 0; x < 4; ++x)
            EXPECT_EQ(test::IndexAt(dib, x, 1 - y), expected[y][x]) << x << "," << y;
}

TEST(PcxDamage, ShortFilesGiveNoPicture)
{
    PcxPicture p;
    p.planes = 3;
    p.width = 40;
    p.height = 20;
    p.bytesPerLine = 40;
    for (unsigned y = 0; y < 20; ++y) {
        Bytes line(120);
        for (unsigned i = 0; i < 120; ++i)
            line[i] = uint8_t(i * 7 + y);
        p.lines.push_back(line);
    }
    const Bytes whole = test::WritePcx(p);
    ASSERT_TRUE(Decode(whole));
    for (size_t keep : {size_t{0}, size_t{100}, size_t{200}, whole.size() - 1})
        EXPECT_FALSE(Decode(Bytes(whole.begin(), whole.begin() + long(keep)))) << keep;
}

TEST(PcxDamage, PaletteBeyondTheStartOfTheFileGivesNoPicture)
{
    // An 8-bit picture whose file is too short to end with 768 palette bytes.
    PcxPicture p = EightBitPicture(4, 2);
    p.vgaPalette.clear();
    EXPECT_FALSE(Decode(test::WritePcx(p)));
}

TEST(PcxDamage, UnsupportedHeadersGiveNoPicture)
{
    PcxPicture p = EightBitPicture(4, 2);
    p.version = 3;
    EXPECT_FALSE(Decode(test::WritePcx(p))) << "version 3";

    PcxPicture twoPlanes;
    twoPlanes.bitsPerPlane = 1;
    twoPlanes.planes = 2;
    twoPlanes.width = 8;
    twoPlanes.height = 1;
    twoPlanes.bytesPerLine = 2;
    twoPlanes.lines = {Bytes(4, 0x55)};
    EXPECT_FALSE(Decode(test::WritePcx(twoPlanes))) << "2 bits";

    PcxPicture fourPlanesOf8 = twoPlanes;
    fourPlanesOf8.bitsPerPlane = 8;
    fourPlanesOf8.planes = 4;
    fourPlanesOf8.bytesPerLine = 8;
    fourPlanesOf8.lines = {Bytes(32, 1)};
    EXPECT_FALSE(Decode(test::WritePcx(fourPlanesOf8))) << "32 bits";
}

TEST(PcxDamage, AbsurdSizesAreRefused)
{
    // 65535 x 65535 pixels announced by a file of a few hundred bytes.
    PcxPicture huge = EightBitPicture(4, 2);
    huge.width = 65535;
    huge.height = 65535;
    huge.bytesPerLine = 65535;
    EXPECT_FALSE(Decode(test::WritePcx(huge)));

    // Lines too short for the pixels they should hold.
    PcxPicture narrow = EightBitPicture(16, 2);
    narrow.bytesPerLine = 2;
    for (Bytes& line : narrow.lines)
        line.resize(2);
    EXPECT_FALSE(Decode(test::WritePcx(narrow)));
}

// ---------------------------------------------------------------------------
// Progress gauge

TEST(PcxProgress, StepsEveryLineWhenOnOnly)
{
    test::RecordingProgress progress;
    const Bytes bytes = test::WritePcx(EightBitPicture(6, 5));
    ASSERT_TRUE(Decode(bytes, test::WithProgress(false)));
    EXPECT_EQ(progress.begun, 0);
    ASSERT_TRUE(Decode(bytes, test::WithProgress(true)));
    EXPECT_EQ(progress.begun, 1);
    EXPECT_EQ(progress.ended, 1);
    ASSERT_EQ(progress.steps.size(), 5u);
    EXPECT_EQ(progress.steps.front(), (std::pair<long, long>{1, 5}));
    EXPECT_EQ(progress.steps.back(), (std::pair<long, long>{5, 5}));
}

}  // namespace
}  // namespace lumora
