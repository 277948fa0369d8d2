#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>

#include "core/formats/byte_source.h"
#include "core/formats/gif_reader.h"
#include "support/modern_test_support.h"
#include "reader_test_support.h"
#include "support/test_picture_writers.h"

namespace lumora {
namespace {

using test::Bytes;
using test::GifFrame;
using test::GifPicture;

// ---------------------------------------------------------------------------
// The shared test pictures

const test::ExpectedOutcome kGifOutcomes[] = {
    {"commons-Oregon_Scientific_DS6639_-_DSC_0307_-_small.gif", 300, 225, 8},
    {"commons-no_disposal.gif", 11, 29, 4},
    {"commons-test.gif", 301, 320, 8},
    {"imagers-alpha_gif_a.gif", 256, 256, 1},
    {"imagers-interlaced.gif", 32, 32, 8},
    {"imagers-issue_1455_oversized.gif", 0, 0, 0},
    {"imagers-large-gif-anim-combine.gif", 1000, 1000, 4},
    {"imagers-mixed-disposal.gif", 32, 32, 1},
    {"imagers-zero-loop-count.gif", 0, 0, 0},
    {"juicy-1bitgiffail.gif", 1, 1, 8},
    {"juicy-Gif_pixel_cube.gif", 64, 64, 4},
    {"juicy-delta.gif", 240, 160, 8},
    {"juicy-interleaved.gif", 224, 156, 8},
    {"libtiff-doc-cat.gif", 113, 146, 8},
    {"libtiff-doc-cramps.gif", 159, 203, 4},
    {"libtiff-doc-jim.gif", 139, 170, 8},
    {"libtiff-doc-oxford.gif", 296, 120, 4},
    {"libtiff-doc-ring.gif", 124, 124, 8},
    {"libtiff-doc-strike.gif", 128, 100, 8},
    {"libtiff-palette-1c-8b.gif", 157, 151, 8},
    {"pillow-background_outside_palette.gif", 1, 1, 1},
    {"pillow-chi.gif", 320, 240, 8},
    {"pillow-comment_after_last_frame.gif", 1, 1, 8},
    {"pillow-decompression_bomb.gif", 0, 0, 0},
    {"pillow-different_transparency.gif", 100, 100, 8},
    {"pillow-dispose_bgnd.gif", 100, 100, 1},
    {"pillow-dispose_none.gif", 100, 100, 1},
    {"pillow-dispose_prev.gif", 100, 100, 1},
    {"pillow-duplicate_number_of_loops.gif", 1, 1, 8},
    {"pillow-first_frame_transparency.gif", 75, 50, 8},
    {"pillow-hopper.gif", 128, 128, 8},
    {"pillow-hopper_zero_comment_subblocks.gif", 128, 128, 8},
    {"pillow-iss634.gif", 245, 245, 8},
    {"pillow-missing_background.gif", 32, 32, 8},
    {"pillow-multiple_comments.gif", 100, 100, 1},
    {"pillow-no_palette.gif", 1, 1, 8},
    {"pillow-test.colors.gif", 807, 606, 4},
    {"pillow-text_mono.gif", 100, 30, 8},
    {"pillow-transparent.gif", 200, 150, 8},
    {"pillow-zero_width.gif", 0, 0, 0},
    {"pygif-255-codes.gif", 100, 100, 4},
    {"pygif-4095-codes-clear.gif", 100, 100, 4},
    {"pygif-4095-codes.gif", 100, 100, 4},
    {"pygif-all-blues.gif", 16, 16, 8},
    {"pygif-all-greens.gif", 16, 16, 8},
    {"pygif-all-reds.gif", 16, 16, 8},
    {"pygif-animation-multi-image-explicit-zero-delay.gif", 2, 2, 4},
    {"pygif-animation-multi-image.gif", 2, 2, 4},
    {"pygif-animation-no-delays.gif", 2, 2, 1},
    {"pygif-animation-speed.gif", 2, 2, 1},
    {"pygif-animation-zero-delays.gif", 2, 2, 1},
    {"pygif-animation.gif", 2, 2, 1},
    {"pygif-comment.gif", 1, 1, 4},
    {"pygif-depth1.gif", 1, 1, 1},
    {"pygif-depth2.gif", 1, 1, 4},
    {"pygif-depth3.gif", 1, 1, 4},
    {"pygif-depth4.gif", 1, 1, 4},
    {"pygif-depth5.gif", 1, 1, 8},
    {"pygif-depth6.gif", 1, 1, 8},
    {"pygif-depth7.gif", 1, 1, 8},
    {"pygif-depth8.gif", 1, 1, 8},
    {"pygif-disabled-transparent.gif", 2, 2, 4},
    {"pygif-dispose-keep.gif", 2, 2, 1},
    {"pygif-dispose-none.gif", 2, 2, 1},
    {"pygif-dispose-restore-background.gif", 2, 2, 1},
    {"pygif-dispose-restore-previous.gif", 2, 2, 1},
    {"pygif-double-clears.gif", 8, 8, 4},
    {"pygif-extra-data.gif", 1, 1, 4},
    {"pygif-extra-pixels.gif", 1, 1, 4},
    {"pygif-four-colors.gif", 2, 2, 4},
    {"pygif-gif87a-animation.gif", 2, 2, 1},
    {"pygif-gif87a.gif", 1, 1, 1},
    {"pygif-high-color.gif", 32, 32, 8},
    {"pygif-icc-color-profile-empty.gif", 1, 1, 4},
    {"pygif-icc-color-profile.gif", 1, 1, 4},
    {"pygif-image-inside-bg.gif", 2, 2, 4},
    {"pygif-image-outside-bg.gif", 0, 0, 0},
    {"pygif-image-overlap-bg.gif", 0, 0, 0},
    {"pygif-image-zero-height.gif", 0, 0, 0},
    {"pygif-image-zero-size.gif", 0, 0, 0},
    {"pygif-image-zero-width.gif", 0, 0, 0},
    {"pygif-images-combine.gif", 2, 2, 4},
    {"pygif-images-overlap.gif", 1, 1, 4},
    {"pygif-interlace.gif", 16, 16, 8},
    {"pygif-invalid-ascii-comment.gif", 1, 1, 4},
    {"pygif-invalid-background.gif", 1, 1, 1},
    {"pygif-invalid-code.gif", 0, 0, 0},
    {"pygif-invalid-colors.gif", 1, 1, 1},
    {"pygif-invalid-transparent.gif", 2, 2, 4},
    {"pygif-invalid-utf8-comment.gif", 1, 1, 4},
    {"pygif-large-codes.gif", 100, 100, 4},
    {"pygif-large-comment.gif", 1, 1, 4},
    {"pygif-local-color-table.gif", 1, 1, 1},
    {"pygif-loop-animexts.gif", 1, 1, 4},
    {"pygif-loop-buffer.gif", 1, 1, 4},
    {"pygif-loop-buffer_max.gif", 1, 1, 4},
    {"pygif-loop-infinite.gif", 1, 1, 4},
    {"pygif-loop-max.gif", 1, 1, 4},
    {"pygif-loop-once.gif", 1, 1, 4},
    {"pygif-many-clears.gif", 8, 8, 4},
    {"pygif-max-codes.gif", 0, 0, 0},
    {"pygif-max-height.gif", 1, 65535, 4},
    {"pygif-max-size.gif", 0, 0, 0},
    {"pygif-max-width.gif", 65535, 1, 4},
    {"pygif-missing-pixels.gif", 2, 2, 4},
    {"pygif-no-clear-and-eoi.gif", 2, 1, 4},
    {"pygif-no-clear.gif", 1, 1, 4},
    {"pygif-no-data.gif", 1, 1, 1},
    {"pygif-no-eoi.gif", 1, 1, 4},
    {"pygif-no-global-color-table.gif", 1, 1, 8},
    {"pygif-nul-application-extension.gif", 1, 1, 4},
    {"pygif-nul-comment.gif", 1, 1, 4},
    {"pygif-overflow-codes-max.gif", 0, 0, 0},
    {"pygif-overflow-codes.gif", 0, 0, 0},
    {"pygif-plain-text.gif", 40, 8, 4},
    {"pygif-transparent.gif", 2, 2, 4},
    {"pygif-unknown-application-extension.gif", 1, 1, 4},
    {"pygif-unknown-extension.gif", 1, 1, 4},
    {"pygif-unset-transparent.gif", 1, 1, 1},
    {"pygif-xmp-data-empty.gif", 1, 1, 4},
    {"pygif-xmp-data.gif", 1, 1, 4},
    {"pygif-zero-height.gif", 0, 0, 0},
    {"pygif-zero-size.gif", 0, 0, 0},
    {"pygif-zero-width.gif", 0, 0, 0},
};

TEST(GifTestPictures, DecodeAsListed)
{
    test::CheckOutcomes("gif", kGifOutcomes, [](const std::string& path) { return ReadGIFFile(path); });
}

TEST(GifTestPictures, KnownPixelColours)
{
    Picture hopper = ReadGIFFile(test::TestDataPath("gif/pillow-hopper.gif")).picture;
    ASSERT_TRUE(hopper);
    EXPECT_EQ(test::PixelFromTop(hopper, 64, 64), test::Hex(0xAB4F32));

    Picture interlaced = ReadGIFFile(test::TestDataPath("gif/imagers-interlaced.gif")).picture;
    ASSERT_TRUE(interlaced);
    EXPECT_EQ(test::PixelFromTop(interlaced, 5, 20), test::Hex(0x76FFFE));

    Picture interleaved = ReadGIFFile(test::TestDataPath("gif/juicy-interleaved.gif")).picture;
    ASSERT_TRUE(interleaved);
    EXPECT_EQ(test::PixelFromTop(interleaved, 100, 100), test::Hex(0xF9FAFB));
}

// Colour tables of 2, 3, 5, 6 and 7 bits, and a local table without a
// global one: the same pixels as ImageMagick's decode.
TEST(GifTestPictures, OddDepthsAndLocalTablesMatchAnIndependentDecode)
{
    test::TempDir dir;
    for (const char* name : {"pygif-depth2.gif", "pygif-depth3.gif", "pygif-depth5.gif", "pygif-depth6.gif",
                             "pygif-depth7.gif", "pygif-no-global-color-table.gif", "pygif-four-colors.gif"}) {
        SCOPED_TRACE(name);
        const std::string file = test::TestDataPath(std::string("gif/") + name);
        const Picture dib = ReadGIFFile(file).picture;
        ASSERT_TRUE(dib);
        test::ExpectSamePixels(dib, test::Converted(file, dir), 0);
    }
}

// ---------------------------------------------------------------------------
// Pictures written with giflib's encoder

Bytes DistinctPalette(int entries)
{
    Bytes palette;
    for (int i = 0; i < entries; ++i) {
        palette.push_back(uint8_t(i));
        palette.push_back(uint8_t(255 - i));
        palette.push_back(uint8_t(i * 7));
    }
    return palette;
}

GifFrame FullFrame(int width, int height, int colors, bool interlaced = false)
{
    GifFrame frame{0, 0, width, height, interlaced, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            frame.pixels.push_back(uint8_t((x * 3 + y * 5 + x * y) % colors));
    return frame;
}

GifPicture SingleImage(int width, int height, int colorBits, bool interlaced = false)
{
    GifPicture picture;
    picture.screenWidth = width;
    picture.screenHeight = height;
    picture.colorBits = colorBits;
    picture.palette = DistinctPalette(1 << colorBits);
    picture.frames.push_back(FullFrame(width, height, 1 << colorBits, interlaced));
    return picture;
}

Picture Decode(const Bytes& bytes)
{
    return ReadGIFResource(bytes);
}

Picture DecodeWith(const Bytes& bytes, const ReadOptions& options)
{
    MemorySource source(bytes);
    return std::move(DecodeGIF(source, options).result.picture);
}

// The decoder's error number for a file that gives no picture.
int DecodeError(const Bytes& bytes)
{
    MemorySource source(bytes);
    GifRead read = DecodeGIF(source);
    EXPECT_FALSE(read.result);
    EXPECT_NE(read.result.error, ReadError::None);
    return read.error;
}

// Every pixel of the picture against the frame's indices.
void ExpectIndices(const Picture& dib, const GifFrame& frame)
{
    const uint32_t height = dib.Height();
    for (int y = 0; y < frame.height; ++y)
        for (int x = 0; x < frame.width; ++x)
            ASSERT_EQ(test::IndexAt(dib, uint32_t(x), height - 1 - uint32_t(y)),
                      frame.pixels[size_t(y * frame.width + x)])
                << x << "," << y;
}

TEST(GifRoundTrip, EightBitPicture)
{
    const GifPicture picture = SingleImage(13, 7, 8);
    Picture dib = Decode(test::WriteGif(picture));
    ASSERT_TRUE(dib);
    ASSERT_TRUE(IsValidPicture(dib.Bytes()));
    const BitmapInfoHeader h = BitmapInfoHeader::Read(dib.Data());
    EXPECT_EQ(h.width, 13);
    EXPECT_EQ(h.height, 7);
    EXPECT_EQ(h.bitCount, 8);
    EXPECT_EQ(h.clrUsed, 256u);
    EXPECT_EQ(h.sizeImage, 16u * 7u);
    ExpectIndices(dib, picture.frames[0]);
    for (unsigned i = 0; i < 256; ++i)
        EXPECT_EQ(dib.Color(i), (ColorTriple{uint8_t(i), uint8_t(255 - i), uint8_t(i * 7)})) << i;
}

TEST(GifRoundTrip, InterlacedTwinGivesTheSamePicture)
{
    // 19 rows reach every one of the four passes more than once.
    const GifPicture plain = SingleImage(11, 19, 8, false);
    const GifPicture interlaced = SingleImage(11, 19, 8, true);
    const Bytes plainBytes = test::WriteGif(plain), interlacedBytes = test::WriteGif(interlaced);
    ASSERT_NE(plainBytes, interlacedBytes);
    Picture a = Decode(plainBytes), b = Decode(interlacedBytes);
    ASSERT_TRUE(a);
    ASSERT_TRUE(b);
    EXPECT_TRUE(std::equal(a.Bytes().begin(), a.Bytes().end(), b.Bytes().begin(), b.Bytes().end()));
    ExpectIndices(b, interlaced.frames[0]);
}

TEST(GifRoundTrip, SixteenColoursPackTwoPixelsPerByteHighNibbleFirst)
{
    const GifPicture picture = SingleImage(5, 3, 4);
    Picture dib = Decode(test::WriteGif(picture));
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.BitCount(), 4);
    EXPECT_EQ(BitmapInfoHeader::Read(dib.Data()).clrUsed, 16u);
    ExpectIndices(dib, picture.frames[0]);
    // The odd fifth pixel sits in a high nibble; the low one stays 0.
    const uint8_t* topRow = dib.Pixels() + 2 * PictureRowBytes(5, 4);
    EXPECT_EQ(topRow[2], uint8_t(picture.frames[0].pixels[4] << 4));
}

TEST(GifRoundTrip, TwoColourPicture)
{
    const GifPicture picture = SingleImage(19, 4, 1);
    Picture dib = Decode(test::WriteGif(picture));
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.BitCount(), 1);
    ExpectIndices(dib, picture.frames[0]);
    EXPECT_EQ(dib.Color(1), (ColorTriple{1, 254, 7}));
}

TEST(GifRoundTrip, FramesArePaintedInOrderOverTheBackground)
{
    GifPicture picture;
    picture.screenWidth = 6;
    picture.screenHeight = 4;
    picture.colorBits = 4;
    picture.palette = DistinctPalette(16);
    picture.background = 9;
    picture.frames.push_back({0, 0, 4, 2, false, Bytes(8, 1)});
    picture.frames.push_back({2, 1, 3, 2, true, Bytes(6, 2)});
    Picture dib = Decode(test::WriteGif(picture));
    ASSERT_TRUE(dib);
    const char* expected[] = {"111199", "112229", "992229", "999999"};
    for (uint32_t y = 0; y < 4; ++y)
        for (uint32_t x = 0; x < 6; ++x)
            EXPECT_EQ(test::IndexAt(dib, x, 3 - y), expected[y][x] - '0') << x << "," << y;
}

TEST(GifRoundTrip, ExtensionsAreSkipped)
{
    GifPicture picture = SingleImage(4, 4, 8);
    Picture plain = Decode(test::WriteGif(picture));
    picture.commentFirst = true;
    Picture commented = Decode(test::WriteGif(picture));
    ASSERT_TRUE(plain);
    ASSERT_TRUE(commented);
    EXPECT_TRUE(std::ranges::equal(plain.Bytes(), commented.Bytes()));
}

TEST(GifRoundTrip, FileAndMemoryGiveTheSamePicture)
{
    const Bytes bytes = test::WriteGif(SingleImage(9, 9, 8, true));
    test::TempDir dir;
    test::WriteBytes(dir.File("p.gif"), bytes);
    Picture fromFile = ReadGIFFile(dir.File("p.gif")).picture;
    Picture fromMemory = ReadGIFResource(bytes);
    ASSERT_TRUE(fromFile);
    ASSERT_TRUE(fromMemory);
    EXPECT_TRUE(std::ranges::equal(fromFile.Bytes(), fromMemory.Bytes()));
}

// ---------------------------------------------------------------------------
// Damaged and refused files

TEST(GifRefusals, ImageReachingBeyondTheScreenFailsTheLoad)
{
    GifPicture picture = SingleImage(4, 4, 8);
    picture.frames.push_back({2, 2, 3, 2, false, Bytes(6, 5)});
    EXPECT_EQ(DecodeError(test::WriteGif(picture)), D_GIF_ERR_DATA_TOO_BIG);
}

TEST(GifDepths, TwoAndThreeBitTablesGiveFourBitPictures)
{
    for (const int colorBits : {2, 3}) {
        Picture dib = Decode(test::WriteGif(SingleImage(4, 4, colorBits)));
        ASSERT_TRUE(dib) << colorBits;
        EXPECT_EQ(dib.BitCount(), 4);
        const Bytes palette = DistinctPalette(1 << colorBits);
        for (int i = 0; i < (1 << colorBits); ++i)
            EXPECT_EQ(dib.Color(unsigned(i)),
                      (ColorTriple{palette[i * 3], palette[i * 3 + 1], palette[i * 3 + 2]})) << i;
    }
}

TEST(GifRefusals, AbsurdScreenIsRefused)
{
    // 65535 x 65535 pixels, no table, nothing but the terminator.
    const Bytes bytes = {'G', 'I', 'F', '8', '9', 'a', 0xFF, 0xFF, 0xFF, 0xFF, 0x07, 0, 0, ';'};
    EXPECT_EQ(DecodeError(bytes), D_GIF_ERR_NOT_ENOUGH_MEM);
}

TEST(GifRefusals, NotAGifAndMissingFiles)
{
    test::CapturingReporter reporter;
    const Bytes bytes = {'P', 'N', 'G', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, ';'};
    EXPECT_EQ(DecodeError(bytes), D_GIF_ERR_NOT_GIF_FILE);
    EXPECT_FALSE(ReadGIFFile("/nonexistent/picture.gif"));
    EXPECT_EQ(DecodeGIFFile("/nonexistent/picture.gif").error, D_GIF_ERR_OPEN_FAILED);
    EXPECT_TRUE(reporter.messages.empty());
}

TEST(GifRefusals, TruncatedFilesGiveNoPicture)
{
    const Bytes bytes = test::WriteGif(SingleImage(40, 30, 8));
    for (size_t keep : {size_t{5}, size_t{13}, size_t{800}, bytes.size() / 2, bytes.size() - 1})
        EXPECT_FALSE(Decode(Bytes(bytes.begin(), bytes.begin() + long(keep)))) << keep;
}

// ---------------------------------------------------------------------------
// Header details

TEST(GifHeader, AnyVersionDigitsAreAccepted)
{
    Bytes bytes = test::WriteGif(SingleImage(3, 3, 8));
    std::memcpy(bytes.data() + 3, "00x", 3);
    EXPECT_TRUE(Decode(bytes));
}

// Neither a global nor a local table: an 8-bit picture, black throughout.
TEST(GifHeader, WithoutAnyTableTheColoursAreBlack)
{
    Bytes bytes = test::WriteGif(SingleImage(3, 3, 4));
    // Drop the table (16 entries after the 13-byte header) and its flag,
    // keeping the size bits.
    bytes.erase(bytes.begin() + 13, bytes.begin() + 13 + 48);
    bytes[10] &= 0x7F;
    Picture dib = Decode(bytes);
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib.BitCount(), 8);
    for (unsigned i = 0; i < 256; ++i)
        EXPECT_EQ(dib.Color(i), (ColorTriple{0, 0, 0})) << i;
}

// ---------------------------------------------------------------------------
// Progress gauge

TEST(GifProgress, StepsEveryRowWhenOn)
{
    test::RecordingProgress progress;
    ASSERT_TRUE(DecodeWith(test::WriteGif(SingleImage(5, 6, 8, true)), test::WithProgress(true)));
    EXPECT_EQ(progress.begun, 1);
    EXPECT_EQ(progress.ended, 1);
    ASSERT_EQ(progress.steps.size(), 6u);
    EXPECT_EQ(progress.steps.back(), (std::pair<long, long>{6, 6}));
}

TEST(GifProgress, SilentWhenOffAndEndedOnFailure)
{
    test::RecordingProgress progress;
    ASSERT_TRUE(DecodeWith(test::WriteGif(SingleImage(5, 6, 8)), test::WithProgress(false)));
    EXPECT_EQ(progress.begun + progress.ended, 0);
    EXPECT_TRUE(progress.steps.empty());
    GifPicture outside = SingleImage(4, 4, 8);
    outside.frames[0].left = 1;
    outside.screenWidth = 5;
    outside.frames.push_back({3, 0, 4, 1, false, Bytes(4, 1)});
    EXPECT_FALSE(DecodeWith(test::WriteGif(outside), test::WithProgress(true)));
    EXPECT_EQ(progress.begun, 1);
    EXPECT_EQ(progress.begun, progress.ended);
}

}  // namespace
}  // namespace lumora
