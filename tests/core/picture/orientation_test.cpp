// Photos stand upright whatever way the camera was held: the EXIF and TIFF
// Orientation tag, all eight values, against ImageMagick's own turning.
#include <gtest/gtest.h>

#include <string>

#include "core/picture/exif_orientation.h"
#include "core/formats/image_format.h"
#include "core/formats/jpeg_reader.h"
#include "support/modern_test_support.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::Shell;

const char* const kOrientationNames[] = {"", "TopLeft", "TopRight", "BottomRight", "BottomLeft",
                                         "LeftTop", "RightTop", "RightBottom", "LeftBottom"};

// An EXIF segment written by hand: a Make entry, then the Orientation tag.
std::vector<uint8_t> Exif(bool bigEndian, uint16_t type, uint16_t value, uint32_t directory = 8, uint16_t count = 2)
{
    std::vector<uint8_t> b = {'E', 'x', 'i', 'f', 0, 0};
    auto u16 = [&](uint16_t v) {
        if (bigEndian) { b.push_back(uint8_t(v >> 8)); b.push_back(uint8_t(v)); }
        else { b.push_back(uint8_t(v)); b.push_back(uint8_t(v >> 8)); }
    };
    auto u32 = [&](uint32_t v) {
        if (bigEndian) { u16(uint16_t(v >> 16)); u16(uint16_t(v)); }
        else { u16(uint16_t(v)); u16(uint16_t(v >> 16)); }
    };
    b.push_back(bigEndian ? 'M' : 'I');
    b.push_back(bigEndian ? 'M' : 'I');
    u16(42);
    u32(directory);
    u16(count);
    u16(0x010F); u16(2); u32(4); u32(0);       // Make, skipped
    u16(0x0112); u16(type); u32(1); u16(value); u16(0);
    return b;
}

// The segment spliced in right after the start-of-image marker.
void InsertExif(const std::string& jpeg, int orientation)
{
    std::vector<uint8_t> bytes = test::ReadBytes(jpeg);
    const std::vector<uint8_t> payload = Exif(true, 3, uint16_t(orientation));
    std::vector<uint8_t> segment = {0xFF, 0xE1, uint8_t((payload.size() + 2) >> 8), uint8_t(payload.size() + 2)};
    segment.insert(segment.end(), payload.begin(), payload.end());
    bytes.insert(bytes.begin() + 2, segment.begin(), segment.end());
    test::WriteBytes(jpeg, bytes);
}

// Blocks of 16 x 8 and 32 x 8 in a 48 x 16 picture (aligned on JPEG
// blocks, so a lossy copy keeps its colours) and a black corner mark.
std::string MakeAsymmetric(const test::TempDir& dir)
{
    const std::string source = dir.File("asym.png");
    Shell("convert -size 48x16 xc:white -fill '#e01010' -draw 'rectangle 0,0 15,7' -fill '#10c010' "
          "-draw 'rectangle 16,0 47,7' -fill '#1010e0' -draw 'rectangle 0,8 15,15' -fill black "
          "-draw 'rectangle 40,8 47,15' PNG24:" + source);
    return source;
}

TEST(Orientation, JpegAndTiffTurnedUprightForAllEightValues)
{
    test::TempDir dir;
    const std::string source = MakeAsymmetric(dir);
    struct Kind {
        const char* extension;
        const char* options;
        int tolerance;
    };
    const Kind kinds[] = {{"jpg", "-quality 95 -sampling-factor 1x1", 24},
                          {"tif", "-compress none", 0},
                          {"tiff", "-type Palette -compress lzw", 0},
                          {"tif", "-threshold 50% -type Bilevel -depth 1 -compress none", 0}};
    for (const Kind& kind : kinds)
        for (int orientation = 1; orientation <= 8; ++orientation) {
            SCOPED_TRACE(std::string(kind.options) + " orientation " + std::to_string(orientation));
            const std::string file = dir.File("o" + std::to_string(orientation) + "." + kind.extension);
            Shell("convert " + source + " " + kind.options + " -orient " + kOrientationNames[orientation] + " " +
                  file);
            if (std::string(kind.extension) == "jpg")  // ImageMagick writes no EXIF of its own
                InsertExif(file, orientation);
            const Picture dib = ReadImageFile(file, ReadOptions{}).picture;
            ASSERT_TRUE(dib);
            ASSERT_TRUE(IsValidPicture(dib.Bytes()));
            EXPECT_EQ(dib.Width(), orientation >= 5 ? 16u : 48u);
            test::ExpectSamePixels(dib, test::Converted(file, dir, "-auto-orient"), kind.tolerance);
            if (std::string(kind.extension) != "jpg")
                continue;
            // Previews and the slideshow read through the reduced path: upright
            // too, with upright sizes asked and given.
            const JpegBoxRead whole = ReadJPEGForBox(file, [](uint32_t w, uint32_t h) { return NeededSize{w, h}; });
            ASSERT_TRUE(whole.picture);
            EXPECT_EQ(whole.fullWidth, dib.Width());
            test::ExpectSamePixels(whole.picture, test::Converted(file, dir, "-auto-orient"), kind.tolerance);
            const JpegBoxRead half = ReadJPEGForBox(file, [](uint32_t w, uint32_t h) { return NeededSize{w / 2, h / 2}; });
            ASSERT_TRUE(half.picture);
            EXPECT_EQ(half.picture.Width(), dib.Width() / 2);
            EXPECT_EQ(half.picture.Height(), dib.Height() / 2);
        }
}

// Photos from cameras and phones in the shared suite.
TEST(Orientation, SharedPhotosStandAsImageMagickTurnsThem)
{
    test::TempDir dir;
    for (const char* name : {"pillow-hopper_orientation_3.jpg", "pillow-hopper_orientation_6.jpg",
                             "pillow-hopper_orientation_8.jpg", "juicy-10x8-samsung-s8.jpg"}) {
        SCOPED_TRACE(name);
        const std::string file = test::TestDataPath(std::string("jpeg/") + name);
        const Picture dib = ReadImageFile(file, ReadOptions{}).picture;
        ASSERT_TRUE(dib);
        // ImageMagick upsamples the colour planes its own way: compare on
        // average (a wrong turn differs by tens).
        EXPECT_LT(test::MeanDifference(dib, test::Converted(file, dir, "-auto-orient")), 6.0);
        EXPECT_GT(test::MeanDifference(dib, test::Converted(file, dir, "-auto-orient -flop")), 12.0);
    }
}

// EXIF segments and TIFF headers written by hand: the tag is found in
// either byte order, and anything malformed or out of range counts as 1.
TEST(Orientation, TagReaderIsBoundsCheckedAndTolerant)
{
    EXPECT_EQ(ExifOrientation(Exif(false, 3, 6)), 6);
    EXPECT_EQ(ExifOrientation(Exif(true, 3, 8)), 8);
    EXPECT_EQ(ExifOrientation(Exif(false, 3, 9)), 1);       // out of range
    EXPECT_EQ(ExifOrientation(Exif(false, 4, 6)), 1);       // not a SHORT
    EXPECT_EQ(ExifOrientation(Exif(false, 3, 6, 4000)), 1);  // directory past the end
    EXPECT_EQ(ExifOrientation(Exif(false, 3, 6, 8, 60000)), 6);  // count too large: reading stops at the end
    EXPECT_EQ(ExifOrientation(Exif(false, 3, 6, 8, 1)), 1);      // the tag lies beyond the count
    std::vector<uint8_t> cut = Exif(false, 3, 6);
    cut.resize(cut.size() - 4);  // value field cut off
    EXPECT_EQ(ExifOrientation(cut), 1);
    std::vector<uint8_t> notExif = Exif(false, 3, 6);
    notExif[0] = 'X';
    EXPECT_EQ(ExifOrientation(notExif), 1);
}

}  // namespace
}  // namespace lumora
