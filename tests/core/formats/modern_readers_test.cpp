// PNG, WebP and HEIF pictures checked pixel by pixel against an independent
// decode (ImageMagick's convert, which the test command installs), and the
// dispatch that reaches them.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <libheif/heif.h>

#include "core/picture/picture.h"
#include "core/formats/image_format.h"
#include "core/formats/png_reader.h"
#include "core/formats/webp_reader.h"
#include "support/modern_test_support.h"
#include "support/test_support.h"

// The HEVC encoder that writes the turned HEIF files below keeps a few
// blocks for the life of the process: not ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libx265.so\n";
}

namespace lumora {
namespace {

using test::Converted;
using test::ExpectSamePixels;
using test::Shell;

struct Case {
    const char* name;
    const char* makeArgs;  // convert arguments producing the file from the source picture
    int bits;              // what the reader gives
    int tolerance;         // 0 for the lossless kinds
};

// A source with gradients, flat areas and a soft-edged transparent disc.
std::string MakeSource(const test::TempDir& dir)
{
    const std::string source = dir.File("source.png");
    Shell("convert -size 61x37 gradient:'#ff2000'-'#0040ff' \\( -size 61x37 xc:none -fill 'rgba(10,200,30,0.6)' "
          "-draw 'circle 30,18 30,4' \\) -composite -fill black -draw 'rectangle 0,0 9,5' PNG32:" +
          source);
    return source;
}

TEST(ModernReaders, EveryKindMatchesAnIndependentDecode)
{
    test::TempDir dir;
    const std::string source = MakeSource(dir);
    const Case cases[] = {
        {"rgba.png", "PNG32:", 24, 0},
        {"rgb.png", "-background white -alpha remove -alpha off PNG24:", 24, 0},
        {"rgba16-interlaced.png", "-depth 16 -interlace PNG PNG64:", 24, 1},
        {"grey.png", "-colorspace Gray -alpha off -depth 8 PNG:", 24, 0},
        {"grey2.png", "-colorspace Gray -alpha off -depth 2 PNG:", 24, 0},
        {"palette.png", "-alpha off -colors 40 PNG8:", 8, 0},
        {"palette-trns.png", "-colors 40 PNG8:", 8, 0},
        {"palette4-interlaced.png", "-alpha off -colors 12 -interlace PNG PNG8:", 8, 0},
        {"palette1.png", "-alpha off -monochrome -interlace PNG PNG8:", 8, 0},
        {"lossless.webp", "-define webp:lossless=true ", 24, 0},
        {"lossy.webp", "-alpha off -quality 85 ", 24, 3},
        {"lossy-alpha.webp", "-quality 85 ", 24, 3},
        // ImageMagick turns the decoded planes into RGB its own way: a few
        // pixels on sharp edges differ slightly.
        {"photo.heic", "-alpha off -quality 80 ", 24, 12},
        {"photo.avif", "-alpha off -quality 80 ", 24, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = dir.File(c.name);
        std::string args = c.makeArgs;
        // The output name goes right after the prefix ("PNG32:") or the options.
        Shell("convert " + source + " " + args + file);
        const Picture dib = ReadImageFile(file, ReadOptions{}).picture;
        ASSERT_TRUE(dib);
        ASSERT_TRUE(IsValidPicture(dib.Bytes()));
        EXPECT_EQ(dib.BitCount(), c.bits);
        ExpectSamePixels(dib, Converted(file, dir), c.tolerance);
    }
}

// A HEIF as phones write it: the stored picture plus the boxes saying how to
// turn it. Written with libheif itself: 64 x 32, the left half red, the
// right half green.
std::string WriteTurnedHeif(const test::TempDir& dir, heif_orientation orientation)
{
    const std::string path = dir.File("turned" + std::to_string(orientation) + ".heic");
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_image* image = nullptr;
    heif_encoding_options* options = heif_encoding_options_alloc();
    EXPECT_EQ(heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code, heif_error_Ok);
    heif_encoder_set_lossy_quality(encoder, 90);
    heif_image_create(64, 32, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, 64, 32, 8);
    int stride = 0;
    uint8_t* pixels = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) {
            uint8_t* p = pixels + y * stride + x * 3;
            p[0] = x < 32 ? 220 : 20;
            p[1] = x < 32 ? 20 : 220;
            p[2] = 20;
        }
    options->image_orientation = orientation;
    EXPECT_EQ(heif_context_encode_image(context, image, encoder, options, nullptr).code, heif_error_Ok);
    EXPECT_EQ(heif_context_write_to_file(context, path.c_str()).code, heif_error_Ok);
    heif_encoding_options_free(options);
    heif_image_release(image);
    heif_encoder_release(encoder);
    heif_context_free(context);
    return path;
}

bool IsRed(ColorTriple c) { return c.red > 150 && c.green < 100; }
bool IsGreen(ColorTriple c) { return c.green > 150 && c.red < 100; }

TEST(ModernReaders, HeifStandsAsItsRotationBoxesSay)
{
    test::TempDir dir;
    struct Turn {
        heif_orientation orientation;
        uint32_t width;
        bool redOnTop, redOnLeft;
    };
    for (const Turn& t : {Turn{heif_orientation_normal, 64, false, true},
                          Turn{heif_orientation_rotate_180, 64, false, false},
                          Turn{heif_orientation_rotate_90_cw, 32, true, false},
                          Turn{heif_orientation_rotate_270_cw, 32, false, false}}) {
        SCOPED_TRACE(static_cast<int>(t.orientation));
        const Picture dib = ReadImageFile(WriteTurnedHeif(dir, t.orientation), ReadOptions{}).picture;
        ASSERT_TRUE(dib);
        const uint32_t width = dib.Width(), height = dib.Height();
        ASSERT_EQ(width, t.width);
        // Rows are stored bottom-up: the top row is the last in memory.
        const ColorTriple topLeft = test::ColorAt(dib, 2, height - 3);
        const ColorTriple bottomRight = test::ColorAt(dib, width - 3, 2);
        if (width == 64) {
            EXPECT_EQ(IsRed(topLeft), t.redOnLeft);
            EXPECT_EQ(IsGreen(bottomRight), t.redOnLeft);
        } else {
            EXPECT_EQ(IsRed(topLeft), t.redOnTop);
            EXPECT_EQ(IsGreen(bottomRight), t.redOnTop);
            EXPECT_TRUE(IsRed(topLeft) != IsRed(bottomRight));
        }
    }
}

TEST(ModernReaders, AnimatedWebPShowsItsFirstFrame)
{
    test::TempDir dir;
    const std::string first = dir.File("first.png"), second = dir.File("second.png");
    Shell("convert -size 20x10 xc:'#c03010' " + first);
    Shell("convert -size 20x10 xc:'#1030c0' " + second);
    const std::string animated = dir.File("anim.webp");
    Shell("convert -delay 20 " + first + " " + second + " -loop 0 -define webp:lossless=true " + animated);
    const Picture dib = ReadImageFile(animated, ReadOptions{}).picture;
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.Width(), 20u);
    EXPECT_EQ(test::ColorAt(dib, 5, 5), (ColorTriple{0xc0, 0x30, 0x10}));
}

TEST(ModernReaders, DamagedFilesGiveNoPicture)
{
    test::TempDir dir;
    const std::string source = MakeSource(dir);
    for (const char* name : {"cut.png", "cut.webp", "cut.heic"}) {
        SCOPED_TRACE(name);
        const std::string file = dir.File(name);
        Shell("convert " + source + " -alpha off " + file);
        std::vector<uint8_t> bytes = test::ReadBytes(file);
        bytes.resize(bytes.size() * 2 / 3);
        test::WriteBytes(file, bytes);
        EXPECT_FALSE(ReadImageFile(file, ReadOptions{}));
        test::WriteBytes(file, {});
        EXPECT_FALSE(ReadImageFile(file, ReadOptions{}));
    }
    EXPECT_FALSE(ReadPNGFromMemory({}));
    EXPECT_FALSE(ReadWebPFromMemory({}));
}

}  // namespace
}  // namespace lumora
