#include <gtest/gtest.h>

#include <cstring>

#include <functional>

#include <tiffio.h>

#include "core/formats/tiff_reader.h"
#include "jpeg_test_support.h"
#include "reader_test_support.h"
#include "support/modern_test_support.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::TestDataPath;

struct Expected {
    const char* file;
    int width, height, bits;  // bits 0: no picture
};

// Every shared TIFF file. Layouts beyond 1 to 8-bit grey, palette and RGB
// bytes (16-bit samples, CMYK, YCbCr, JPEG inside, LogLuv, grey with
// alpha) are composed by libtiff into 24 bits. No picture: grey samples of 6
// and 12 bits, 16-bit palettes, RGB samples below 8 bits, floating-point
// samples, and rows libtiff fails to decode (the ThunderScan file runs out
// of data, the fax file without EOL codes fails at its first row).
constexpr Expected kTiffFiles[] = {
    {"gm-butique-YA8.tif", 113, 77, 24}, {"gm-cs3n2c16.tif", 32, 32, 24},
    {"gm-flower-minisblack-02.tif", 73, 43, 8}, {"gm-flower-minisblack-04.tif", 73, 43, 8},
    {"gm-flower-minisblack-06.tif", 0, 0, 0}, {"gm-flower-minisblack-08.tif", 73, 43, 8},
    {"gm-flower-minisblack-12.tif", 0, 0, 0}, {"gm-flower-minisblack-16.tif", 73, 43, 24},
    {"gm-flower-palette-02.tif", 73, 43, 8}, {"gm-flower-palette-04.tif", 73, 43, 8},
    {"gm-flower-palette-08.tif", 73, 43, 8}, {"gm-flower-palette-16.tif", 0, 0, 0},
    {"gm-flower-rgb-contig-02.tif", 0, 0, 0}, {"gm-flower-rgb-contig-04.tif", 0, 0, 0},
    {"gm-flower-rgb-contig-08.tif", 73, 43, 24}, {"gm-flower-rgb-contig-16-packbits.tif", 73, 43, 24},
    {"gm-flower-rgb-contig-16.tif", 73, 43, 24}, {"gm-flower-rgb-planar-08.tif", 73, 43, 24},
    {"gm-flower-rgb-planar-16.tif", 73, 43, 24}, {"gm-flower-separated-contig-08.tif", 73, 43, 24},
    {"gm-flower-separated-planar-08.tif", 73, 43, 24}, {"imagers-fax4.tiff", 460, 307, 1},
    {"imagers-hpredict.tiff", 32, 32, 24}, {"imagers-hpredict_packbits.tiff", 32, 32, 24},
    {"imagers-l1.tiff", 100, 100, 1}, {"juicy-horizontal-difference-lzw.tiff", 463, 76, 24},
    {"libtiff-32bpp-None-jpeg.tiff", 162, 20, 24}, {"libtiff-32bpp-None.tiff", 162, 20, 24},
    {"libtiff-custom_dir_EXIF_GPS.tiff", 1, 1, 24}, {"libtiff-deflate-last-strip-extra-data.tiff", 500, 500, 8},
    {"libtiff-logluv-3c-16b.tiff", 1, 1, 24}, {"libtiff-lzw-single-strip.tiff", 7795, 3122, 1},
    {"libtiff-minisblack-1c-16b.tiff", 157, 151, 24}, {"libtiff-minisblack-1c-8b.tiff", 157, 151, 8},
    {"libtiff-minisblack-2c-8b-alpha.tiff", 64, 64, 24}, {"libtiff-miniswhite-1c-1b.tiff", 157, 151, 1},
    {"libtiff-ojpeg_chewey_subsamp21_multi_strip.tiff", 392, 575, 24},
    {"libtiff-ojpeg_zackthecat_subsamp22_single_strip.tiff", 234, 213, 24},
    {"libtiff-palette-1c-1b.tiff", 157, 151, 1}, {"libtiff-palette-1c-4b.tiff", 157, 151, 8},
    {"libtiff-palette-1c-8b.tiff", 157, 151, 8}, {"libtiff-quad-lzw-compat.tiff", 512, 384, 24},
    {"libtiff-quad-tile.jpg.tiff", 512, 384, 24}, {"libtiff-rgb-3c-16b.tiff", 157, 151, 24},
    {"libtiff-rgb-3c-8b.tiff", 157, 151, 24}, {"libtiff-test_ifd_loop_to_self.tif", 20, 20, 8},
    {"libtiff-test_two_ifds.tif", 1, 1, 8}, {"libtiff-testfax3_bug54_1dnoEOL.tif", 0, 0, 0},
    {"libtiff-testfax4.tiff", 2453, 3369, 1}, {"libtiffpics-caspian.tif", 0, 0, 0},
    {"libtiffpics-cramps-tile.tif", 800, 607, 24}, {"libtiffpics-cramps.tif", 800, 607, 8},
    {"libtiffpics-dscf0013.tif", 640, 480, 24}, {"libtiffpics-fax2d.tif", 1728, 1082, 1},
    {"libtiffpics-g3test.tif", 1728, 1103, 1}, {"libtiffpics-jello.tif", 256, 192, 8},
    {"libtiffpics-jim___ah.tif", 664, 813, 1}, {"libtiffpics-jim___cg.tif", 277, 339, 8},
    {"libtiffpics-jim___dg.tif", 277, 339, 8}, {"libtiffpics-jim___gg.tif", 277, 339, 8},
    {"libtiffpics-ladoga.tif", 158, 118, 24}, {"libtiffpics-off_l16.tif", 333, 225, 24},
    {"libtiffpics-oxford.tif", 601, 81, 24}, {"libtiffpics-pc260001.tif", 640, 480, 24},
    {"libtiffpics-quad-jpeg.tif", 512, 384, 24}, {"libtiffpics-quad-tile.tif", 512, 384, 24},
    {"libtiffpics-smallliz.tif", 160, 160, 24}, {"libtiffpics-strike.tif", 256, 200, 24},
    {"libtiffpics-text.tif", 0, 0, 0}, {"libtiffpics-ycbcr-cat.tif", 250, 325, 24},
    {"pillow-16bit.cropped.tif", 64, 64, 24}, {"pillow-copyleft.tiff", 220, 220, 24},
    {"pillow-g4-fillorder-test.tif", 218, 84, 1}, {"pillow-hopper.tif", 128, 128, 24},
    {"pillow-hopper2.tif", 128, 128, 8}, {"pillow-hopper2I.tif", 128, 128, 8},
    {"pillow-hopper2IR.tif", 128, 128, 8}, {"pillow-hopper2R.tif", 128, 128, 8},
    {"pillow-hopper4.tif", 128, 128, 8}, {"pillow-hopper4I.tif", 128, 128, 8},
    {"pillow-hopper4IR.tif", 128, 128, 8}, {"pillow-hopper4R.tif", 128, 128, 8},
    {"pillow-hopper_bigtiff.tif", 128, 128, 24}, {"pillow-hopper_g4.tif", 128, 128, 1},
    {"pillow-hopper_gray_4bpp.tif", 128, 128, 8}, {"pillow-hopper_jpg.tif", 128, 128, 24},
    {"pillow-hopper_lzw.tif", 128, 128, 24}, {"pillow-multipage.tiff", 10, 10, 1},
    {"pillow-pil136.tiff", 55, 43, 24}, {"pillow-pil168.tif", 256, 256, 24},
    {"pillow-tiff_adobe_deflate.tif", 278, 374, 24}, {"pillow-tiff_strip_cmyk_jpeg.tif", 100, 100, 24},
    {"pillow-tiff_strip_ycbcr_jpeg_2x2_sampling.tif", 480, 360, 24},
    {"pillow-tiff_tiled_planar_lzw.tiff", 278, 374, 24}, {"pillow-tiff_wrong_bits_per_sample.tiff", 52, 53, 24},
    {"zigimg-be-sample-pal8-raw.tiff", 128, 128, 24}, {"zigimg-be-sample-rgb24-single-strip.tiff", 128, 128, 24},
    {"zigimg-ccitt_rle.tiff", 400, 300, 1}, {"zigimg-sample-grayscale8-deflate.tiff", 128, 128, 8},
    {"zigimg-sample-grayscale8-lzw.tiff", 128, 128, 8}, {"zigimg-sample-grayscale8-packbits.tiff", 128, 128, 8},
    {"zigimg-sample-grayscale8-raw.tiff", 128, 128, 8}, {"zigimg-sample-monob-deflate.tiff", 640, 426, 1},
    {"zigimg-sample-monob-lzw.tiff", 640, 426, 1}, {"zigimg-sample-monob-packbits.tiff", 640, 426, 1},
    {"zigimg-sample-monob-raw.tiff", 640, 426, 1}, {"zigimg-sample-pal8-deflate.tiff", 128, 128, 8},
    {"zigimg-sample-pal8-lzw.tiff", 128, 128, 8}, {"zigimg-sample-pal8-packbits.tiff", 128, 128, 8},
    {"zigimg-sample-pal8-raw.tiff", 128, 128, 8}, {"zigimg-sample-rgb24-deflate.tiff", 664, 248, 24},
    {"zigimg-sample-rgb24-lzw.tiff", 664, 248, 24}, {"zigimg-sample-rgba-deflate.tiff", 32, 32, 24},
    {"zigimg-sample-rgba-lzw.tiff", 32, 32, 24}, {"zigimg-sample-rgba-packbits.tiff", 32, 32, 24},
    {"zigimg-sample-rgba-raw.tiff", 32, 32, 24},
};

TEST(ReadTIFFFile, SharedFilesGiveTheExpectedPictures)
{
    test::CapturingReporter reporter;
    for (const Expected& e : kTiffFiles) {
        SCOPED_TRACE(e.file);
        const size_t boxesBefore = reporter.messages.size();
        Picture dib = ReadTIFFFile(TestDataPath(std::string("tiff/") + e.file)).picture;
        EXPECT_LE(reporter.messages.size(), boxesBefore + 1);  // one box at most per file
        if (e.bits == 0) {
            EXPECT_FALSE(dib);
            continue;
        }
        ASSERT_TRUE(dib);
        ASSERT_TRUE(IsValidPicture(dib.Bytes()));
        EXPECT_EQ(dib.Width(), static_cast<uint32_t>(e.width));
        EXPECT_EQ(dib.Height(), static_cast<uint32_t>(e.height));
        EXPECT_EQ(dib.BitCount(), e.bits);
    }
}

// The layouts composed by libtiff, where lossless, against ImageMagick:
// 16-bit samples reduced to 8, CMYK turned into RGB.
TEST(ReadTIFFFile, SixteenBitAndCmykMatchAnIndependentDecode)
{
    test::TempDir dir;
    for (const char* name : {"gm-flower-minisblack-16.tif", "gm-flower-rgb-contig-16.tif",
                             "gm-flower-rgb-planar-16.tif", "libtiff-rgb-3c-16b.tiff", "pillow-16bit.cropped.tif",
                             "gm-flower-separated-contig-08.tif", "gm-flower-separated-planar-08.tif"}) {
        SCOPED_TRACE(name);
        const std::string file = TestDataPath(std::string("tiff/") + name);
        const Picture dib = ReadTIFFFile(file).picture;
        ASSERT_TRUE(dib);
        test::ExpectSamePixels(dib, test::Converted(file, dir), 1);
    }
}

// Writes a one-strip TIFF with libtiff: `tags` sets the fields, rows are
// `rowBytes` each, top first.
void WriteTiff(const std::string& path, uint32_t width, uint32_t height,
               const std::function<void(TIFF*)>& tags, const std::vector<uint8_t>& pixels,
               size_t rowBytes)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tiff, nullptr);
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, height);
    tags(tiff);
    for (uint32_t r = 0; r < height; ++r)
        ASSERT_EQ(TIFFWriteScanline(tiff, const_cast<uint8_t*>(pixels.data() + r * rowBytes), r, 0), 1);
    TIFFClose(tiff);
}

std::function<void(TIFF*)> Grey(uint16_t bits, uint16_t photometric)
{
    return [=](TIFF* t) {
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, bits);
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, photometric);
    };
}

TEST(ReadTIFFFile, BilevelTablesFollowTheInterpretation)
{
    test::TempDir dir;
    const std::vector<uint8_t> rows = {0xA0, 0x00, 0x5F, 0x80};  // 9 x 2
    for (const uint16_t photometric : {PHOTOMETRIC_MINISBLACK, PHOTOMETRIC_MINISWHITE}) {
        const std::string path = dir.File("bw" + std::to_string(photometric) + ".tif");
        WriteTiff(path, 9, 2, Grey(1, photometric), rows, 2);
        Picture dib = ReadTIFFFile(path).picture;
        ASSERT_TRUE(dib);
        ASSERT_EQ(dib.BitCount(), 1);
        // Always black then white: a white-is-zero file has its bits
        // inverted instead, so that previews that ignore the table agree.
        const unsigned set = photometric == PHOTOMETRIC_MINISWHITE ? 0 : 1;
        EXPECT_EQ(dib.Color(0), (ColorTriple{0, 0, 0}));
        EXPECT_EQ(dib.Color(1), (ColorTriple{255, 255, 255}));
        // Top row 1010 0000 0 lands in the last memory row.
        EXPECT_EQ(test::IndexAt(dib, 0, 1), set);
        EXPECT_EQ(test::IndexAt(dib, 1, 1), 1 - set);
        EXPECT_EQ(test::IndexAt(dib, 2, 1), set);
        EXPECT_EQ(test::IndexAt(dib, 8, 0), set);
        EXPECT_EQ(test::IndexAt(dib, 0, 0), 1 - set);
        // Padding bits past the ninth pixel stay clear.
        EXPECT_EQ(dib.Pixels()[1] & 0x7F, 0);
    }
}

TEST(ReadTIFFFile, SharedWhiteIsZeroFileMatchesAnIndependentDecode)
{
    test::TempDir dir;
    const std::string file = test::TestDataPath("tiff/libtiff-miniswhite-1c-1b.tiff");
    const Picture dib = ReadTIFFFile(file).picture;
    ASSERT_TRUE(dib);
    test::ExpectSamePixels(dib, test::Converted(file, dir), 0);
}

TEST(ReadTIFFFile, GreyTablesAndExpandedSamples)
{
    test::TempDir dir;
    const std::string grey8 = dir.File("g8.tif"), white8 = dir.File("w8.tif");
    WriteTiff(grey8, 2, 1, Grey(8, PHOTOMETRIC_MINISBLACK), {7, 255}, 2);
    WriteTiff(white8, 2, 1, Grey(8, PHOTOMETRIC_MINISWHITE), {7, 255}, 2);
    Picture black = ReadTIFFFile(grey8).picture, white = ReadTIFFFile(white8).picture;
    ASSERT_TRUE(black && white);
    EXPECT_EQ(black.Color(255), (ColorTriple{254, 254, 254}));  // 255 x 255 / 256
    EXPECT_EQ(black.Color(0), (ColorTriple{0, 0, 0}));
    EXPECT_EQ(white.Color(0), (ColorTriple{255, 255, 255}));
    EXPECT_EQ(white.Color(255), (ColorTriple{1, 1, 1}));
    EXPECT_EQ(test::IndexAt(black, 0, 0), 7);
    EXPECT_EQ(test::IndexAt(black, 1, 0), 255);

    // Two-bit samples, width not a multiple of four: 00 01 10 11 | 11 10.
    const std::string grey2 = dir.File("g2.tif");
    WriteTiff(grey2, 6, 1, Grey(2, PHOTOMETRIC_MINISBLACK), {0x1B, 0xE0}, 2);
    Picture two = ReadTIFFFile(grey2).picture;
    ASSERT_TRUE(two);
    ASSERT_EQ(two.BitCount(), 8);
    const uint8_t expected[6] = {0, 1, 2, 3, 3, 2};
    for (uint32_t x = 0; x < 6; ++x)
        EXPECT_EQ(test::IndexAt(two, x, 0), expected[x]) << x;
    EXPECT_EQ(two.Color(3), (ColorTriple{191, 191, 191}));  // 3 x 255 / 4
}

std::function<void(TIFF*)> Palette(uint16_t bits, std::vector<uint16_t>& map)
{
    return [&map, bits](TIFF* t) {
        const size_t n = size_t{1} << bits;
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, bits);
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_PALETTE);
        TIFFSetField(t, TIFFTAG_COLORMAP, map.data(), map.data() + n, map.data() + 2 * n);
    };
}

TEST(ReadTIFFFile, PaletteNibblesAndColourMapScale)
{
    test::TempDir dir;
    // Sixteen-bit map: red i x 4369 (i x 17 in 8 bits), green 65535, blue 0.
    std::vector<uint16_t> map16(48);
    for (int i = 0; i < 16; ++i)
        map16[i] = static_cast<uint16_t>(i * 4369), map16[16 + i] = 65535;
    const std::string nibbles = dir.File("p4.tif");
    WriteTiff(nibbles, 5, 1, Palette(4, map16), {0x12, 0xEF, 0x90}, 3);  // odd width
    Picture dib = ReadTIFFFile(nibbles).picture;
    ASSERT_TRUE(dib);
    ASSERT_EQ(dib.BitCount(), 8);
    const uint8_t expected[5] = {1, 2, 14, 15, 9};
    for (uint32_t x = 0; x < 5; ++x)
        EXPECT_EQ(test::IndexAt(dib, x, 0), expected[x]) << x;
    EXPECT_EQ(dib.Color(15), (ColorTriple{255, 255, 0}));
    EXPECT_EQ(dib.Color(3), (ColorTriple{51, 255, 0}));

    // Every value below 256: taken as 8-bit colours.
    std::vector<uint16_t> map8(768);
    for (int i = 0; i < 256; ++i)
        map8[i] = static_cast<uint16_t>(i), map8[256 + i] = static_cast<uint16_t>(255 - i), map8[512 + i] = 9;
    const std::string small = dir.File("p8.tif");
    WriteTiff(small, 1, 1, Palette(8, map8), {200}, 1);
    Picture eight = ReadTIFFFile(small).picture;
    ASSERT_TRUE(eight);
    EXPECT_EQ(eight.Color(200), (ColorTriple{200, 55, 9}));
}

std::function<void(TIFF*)> Rgbs(uint16_t samples, uint16_t planar = PLANARCONFIG_CONTIG)
{
    return [=](TIFF* t) {
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, samples);
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
        TIFFSetField(t, TIFFTAG_PLANARCONFIG, planar);
        if (samples == 4) {
            const uint16_t extra = EXTRASAMPLE_UNASSALPHA;
            TIFFSetField(t, TIFFTAG_EXTRASAMPLES, 1, &extra);
        }
    };
}

TEST(ReadTIFFFile, RgbPixelsInEveryLayout)
{
    test::TempDir dir;
    // 2 x 2, top row red then green, bottom row blue then white.
    const std::string rgb = dir.File("rgb.tif"), rgba = dir.File("rgba.tif");
    WriteTiff(rgb, 2, 2, Rgbs(3), {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}, 6);
    WriteTiff(rgba, 2, 2, Rgbs(4),
              {255, 0, 0, 9, 0, 255, 0, 9, 0, 0, 255, 9, 255, 255, 255, 9}, 8);
    // Separate planes: all reds, then all greens, then all blues.
    const std::string planar = dir.File("planar.tif");
    {
        TIFF* t = TIFFOpen(planar.c_str(), "w");
        TIFFSetField(t, TIFFTAG_IMAGEWIDTH, 2);
        TIFFSetField(t, TIFFTAG_IMAGELENGTH, 2);
        TIFFSetField(t, TIFFTAG_ROWSPERSTRIP, 2);
        Rgbs(3, PLANARCONFIG_SEPARATE)(t);
        const uint8_t planes[3][4] = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}};
        for (uint16_t s = 0; s < 3; ++s)
            for (uint32_t r = 0; r < 2; ++r)
                TIFFWriteScanline(t, const_cast<uint8_t*>(planes[s] + 2 * r), r, s);
        TIFFClose(t);
    }
    for (const std::string& path : {rgb, rgba, planar}) {
        SCOPED_TRACE(path);
        Picture dib = ReadTIFFFile(path).picture;
        ASSERT_TRUE(dib);
        ASSERT_EQ(dib.BitCount(), 24);
        EXPECT_EQ(test::ColorAt(dib, 0, 1), (ColorTriple{255, 0, 0}));
        EXPECT_EQ(test::ColorAt(dib, 1, 1), (ColorTriple{0, 255, 0}));
        EXPECT_EQ(test::ColorAt(dib, 0, 0), (ColorTriple{0, 0, 255}));
        EXPECT_EQ(test::ColorAt(dib, 1, 0), (ColorTriple{255, 255, 255}));
    }
}

// libtiff composes 8-bit CMYK only; 16-bit inks are read row by row, each
// at its high byte, in the file's byte order whatever the host's.
TEST(ReadTIFFFile, SixteenBitCmykInksComposeAsEightBitOnes)
{
    test::TempDir dir;
    test::CapturingReporter reporter;
    // Three pixels: cyan, half black, white (samples C, M, Y, K).
    const std::vector<uint16_t> inks = {0xFFFF, 0, 0, 0, 0, 0, 0, 0x8000, 0, 0, 0, 0};
    std::vector<uint8_t> row(inks.size() * 2);
    std::memcpy(row.data(), inks.data(), row.size());
    for (const char* order : {"wl", "wb"}) {
        const std::string path = dir.File(std::string("cmyk16-") + order + ".tif");
        TIFF* tiff = TIFFOpen(path.c_str(), order);
        ASSERT_NE(tiff, nullptr);
        TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, 3);
        TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, 1);
        TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, 1);
        TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 16);
        TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 4);
        TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_SEPARATED);
        TIFFSetField(tiff, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        ASSERT_EQ(TIFFWriteScanline(tiff, row.data(), 0, 0), 1);
        TIFFClose(tiff);
        const Picture dib = ReadTIFFFile(path).picture;
        ASSERT_TRUE(dib) << order;
        EXPECT_EQ(test::ColorAt(dib, 0, 0), (ColorTriple{0, 255, 255})) << order;
        EXPECT_EQ(test::ColorAt(dib, 1, 0), (ColorTriple{127, 127, 127})) << order;
        EXPECT_EQ(test::ColorAt(dib, 2, 0), (ColorTriple{255, 255, 255})) << order;
    }
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(ReadTIFFFile, RefusalsAndDamage)
{
    test::TempDir dir;
    test::CapturingReporter reporter;
    const std::string sixteen = dir.File("g16.tif");
    WriteTiff(sixteen, 2, 1, Grey(16, PHOTOMETRIC_MINISBLACK), {0xFF, 0xFF, 0, 0}, 4);
    const Picture grey = ReadTIFFFile(sixteen).picture;
    ASSERT_TRUE(grey);  // 16-bit samples reduced to 8
    EXPECT_EQ(test::ColorAt(grey, 0, 0), (ColorTriple{255, 255, 255}));
    EXPECT_EQ(test::ColorAt(grey, 1, 0), (ColorTriple{0, 0, 0}));
    EXPECT_TRUE(reporter.messages.empty());

    // An uncompressed file declaring more pixels than it holds is refused
    // before the picture's memory is taken.
    const std::string tall = dir.File("tall.tif");
    WriteTiff(tall, 4, 2, Grey(8, PHOTOMETRIC_MINISBLACK), std::vector<uint8_t>(8, 9), 4);
    {
        TIFF* t = TIFFOpen(tall.c_str(), "r+");
        ASSERT_TRUE(t);
        TIFFSetField(t, TIFFTAG_IMAGELENGTH, 12000u);
        TIFFSetField(t, TIFFTAG_IMAGEWIDTH, 12000u);
        TIFFRewriteDirectory(t);
        TIFFClose(t);
    }
    EXPECT_FALSE(ReadTIFFFile(tall));
    EXPECT_TRUE(reporter.messages.empty());  // refused from the header, before libtiff reads a row

    // RGB needs three samples a pixel: one sample would be read as three.
    const std::string thinRgb = dir.File("rgb1.tif");
    WriteTiff(thinRgb, 4, 2, [](TIFF* t) {
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 1);
        TIFFSetField(t, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
    }, std::vector<uint8_t>(8, 200), 4);
    EXPECT_FALSE(ReadTIFFFile(thinRgb));

    // A file cut inside its pixel data: libtiff's error, once, and no picture.
    std::vector<uint8_t> big(64 * 64, 77);
    const std::string whole = dir.File("whole.tif"), cut = dir.File("cut.tif");
    WriteTiff(whole, 64, 64, Grey(8, PHOTOMETRIC_MINISBLACK), big, 64);
    std::vector<uint8_t> bytes = test::ReadBytes(whole);
    ASSERT_TRUE(ReadTIFFFromMemory(bytes));
    // The strip comes right after the 8-byte header in libtiff's layout.
    bytes.resize(8 + 64 * 20);
    const ReadResult cutInMemory = ReadTIFFFromMemory(bytes);
    EXPECT_FALSE(cutInMemory);
    test::WriteBytes(cut, bytes);
    const ReadResult cutOnDisk = ReadTIFFFile(cut);
    EXPECT_FALSE(cutOnDisk);
    EXPECT_FALSE(ReadTIFFFromMemory({}));
    for (const ReadResult* damaged : {&cutInMemory, &cutOnDisk}) {
        EXPECT_EQ(damaged->error, ReadError::Damaged);
        const std::vector<HeldMessage> messages = ReadMessages(*damaged);
        ASSERT_EQ(messages.size(), 1u);  // libtiff's first error only
        EXPECT_FALSE(messages[0].text.empty());
        EXPECT_EQ(messages[0].icon, MessageIcon::Stop);
    }
    EXPECT_TRUE(reporter.messages.empty());  // the reader itself never shows
}

TEST(ReadTIFFFile, MissingInterpretationMeansBlackIsZeroOrRgb)
{
    test::TempDir dir;
    const std::string path = dir.File("nophoto.tif");
    WriteTiff(path, 1, 1, [](TIFF* t) { TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8); }, {255}, 1);
    Picture dib = ReadTIFFFile(path).picture;
    ASSERT_TRUE(dib);
    EXPECT_EQ(test::ColorAt(dib, 0, 0), (ColorTriple{254, 254, 254}));

    // Three samples without the tag are RGB.
    const std::string rgb = dir.File("nophoto3.tif");
    WriteTiff(rgb, 1, 1, [](TIFF* t) {
        TIFFSetField(t, TIFFTAG_BITSPERSAMPLE, 8);
        TIFFSetField(t, TIFFTAG_SAMPLESPERPIXEL, 3);
        TIFFSetField(t, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    }, {10, 20, 30}, 3);
    Picture colour = ReadTIFFFile(rgb).picture;
    ASSERT_TRUE(colour);
    EXPECT_EQ(test::ColorAt(colour, 0, 0), (ColorTriple{10, 20, 30}));
}

TEST(ReadTIFFFile, DrivesTheGaugeOncePerRow)
{
    test::CountingProgress progress;
    ASSERT_TRUE(ReadTIFFFile(TestDataPath("tiff/libtiff-rgb-3c-8b.tiff"), test::WithProgress(true)));
    EXPECT_EQ(progress.begins, 1);
    EXPECT_EQ(progress.ends, 1);
    EXPECT_EQ(progress.steps, 151);
    EXPECT_EQ(progress.lastTotal, 151);
}

}  // namespace
}  // namespace lumora
