// Previews decoded for the picture box: the JPEG reduction chosen for a
// box, the pool that runs the work in order, and how close a preview comes
// to an area-averaged reduction of the whole picture.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>

#include "core/album/album_item.h"
#include "core/album/album_preview.h"
#include "core/picture/area_reduce.h"
#include "core/colour/halftone.h"
#include "core/formats/image_format.h"
#include "core/formats/jpeg_reader.h"
#include "core/formats/jpeg_writer.h"
#include "core/platform/ordered_parallel.h"
#include "support/test_support.h"

namespace lumora {
namespace {

TEST(JpegScale, TheLargestReductionThatStillCoversTheNeededSize)
{
    struct Case {
        uint32_t w, h, needW, needH;
        int expected;
    };
    const Case cases[] = {
        {100, 50, 185, 92, 1},       // smaller than the box: decoded whole
        {185, 140, 185, 140, 1},     // exactly the box
        {370, 280, 185, 140, 2},     // exactly twice the box
        {740, 560, 185, 140, 4},     // exactly four times
        {739, 560, 185, 140, 4},     // 739 / 4 rounds up to 185
        {736, 560, 185, 140, 2},     // 736 / 4 = 184: one short
        {1480, 1120, 185, 140, 8},   // exactly eight times
        {1472, 1120, 185, 140, 4},   // 184 wide at 1/8
        {4000, 3000, 185, 138, 8},   // a camera photo
        {3000, 4000, 105, 140, 8},   // the same turned upright
        {4000, 3000, 1850, 1387, 2}, // a large box
        {1, 1, 1, 1, 8},             // one pixel stays one pixel
    };
    for (const Case& c : cases)
        EXPECT_EQ(JpegScaleForSize(c.w, c.h, c.needW, c.needH), c.expected)
            << c.w << "x" << c.h << " for " << c.needW << "x" << c.needH;
}

TEST(PhotoCDPreview, TheSmallestSizeThatCoversTheBox)
{
    EXPECT_EQ(PhotoCDSizeForBox(185, 140), 0);   // 192 x 128 covers 185 x 123 and 93 x 140
    EXPECT_EQ(PhotoCDSizeForBox(192, 192), 0);   // 192 x 128 and 128 x 192 exactly
    EXPECT_EQ(PhotoCDSizeForBox(200, 140), 1);   // 200 x 133 is wider than 192
    EXPECT_EQ(PhotoCDSizeForBox(700, 500), 2);
    EXPECT_EQ(PhotoCDSizeForBox(4000, 4000), 3); // never beyond the largest
}

TEST(OrderedParallel, TakesEveryResultInOrderAndStopsWhenCancelled)
{
    // Later tasks finish first; they are still taken in order.
    std::vector<size_t> taken;
    const std::function<size_t(size_t)> work = [](size_t i) {
        std::this_thread::sleep_for(std::chrono::microseconds((50 - i % 50) * 20));
        return i * 10;
    };
    const std::function<void(size_t, size_t&&)> take = [&](size_t i, size_t&& value) {
        EXPECT_EQ(value, i * 10);
        taken.push_back(i);
    };
    ParallelHooks hooks;
    hooks.threads = 4;
    EXPECT_EQ(RunInOrder<size_t>(200, work, take, hooks), 200u);
    ASSERT_EQ(taken.size(), 200u);
    for (size_t i = 0; i < taken.size(); ++i)
        EXPECT_EQ(taken[i], i);

    // Cancelled after 7: no more are taken and no worker runs ahead far.
    taken.clear();
    std::atomic<size_t> started{0};
    hooks.cancelled = [&] { return taken.size() >= 7; };
    const std::function<size_t(size_t)> counted = [&](size_t i) {
        ++started;
        return i;
    };
    const std::function<void(size_t, size_t&&)> takeIndex = [&](size_t i, size_t&& value) {
        EXPECT_EQ(value, i);
        taken.push_back(i);
    };
    EXPECT_EQ(RunInOrder<size_t>(1000, counted, takeIndex, hooks), 7u);
    EXPECT_EQ(taken.size(), 7u);
    EXPECT_LE(started.load(), 7u + 2 * 4 + 4);
    EXPECT_EQ(WorkerCount(3, 8), 3u);
    EXPECT_GE(WorkerCount(100, 0), 1u);
}

ColorTriple PixelOf(const Picture& dib, uint32_t x, uint32_t y)
{
    const uint8_t* p = dib.Pixels() + y * PictureRowBytes(dib.Width(), 24) + x * 3;
    return {p[2], p[1], p[0]};
}

TEST(TrueColorReduction, AveragesWhatEachPixelCoversWhateverTheSourceDepth)
{
    // Black and white halves: one pixel is their mean; three pixels from
    // two take a third of the middle's share from each side.
    Picture halves = Picture::Make(2, 1, 24);
    std::fill_n(halves.Pixels() + 3, 3, uint8_t{255});
    EXPECT_EQ(PixelOf(ReduceToTrueColor(halves, 1, 1), 0, 0), (ColorTriple{128, 128, 128}));
    const Picture three = ReduceToTrueColor(halves, 3, 1);
    EXPECT_EQ(PixelOf(three, 0, 0), (ColorTriple{0, 0, 0}));
    EXPECT_EQ(PixelOf(three, 1, 0), (ColorTriple{128, 128, 128}));
    EXPECT_EQ(PixelOf(three, 2, 0), (ColorTriple{255, 255, 255}));

    // A paletted source averages its table's colours; one bit is black and
    // white whatever its table says.
    Picture paletted = Picture::Make(4, 4, 8);
    uint8_t* table = paletted.Data() + kInfoHeaderSize;
    table[0] = 200;  // index 0: blue 200
    table[4 + 2] = 100;  // index 1: red 100
    for (int i = 0; i < 4; ++i)
        paletted.Pixels()[i * 4 + (i & 1)] = 1;  // a few red pixels
    EXPECT_EQ(PixelOf(ReduceToTrueColor(paletted, 1, 1), 0, 0), (ColorTriple{25, 0, 150}));
    Picture mono = Picture::Make(8, 1, 1);
    mono.Pixels()[0] = 0xF0;
    EXPECT_EQ(PixelOf(ReduceToTrueColor(mono, 2, 1), 0, 0), (ColorTriple{255, 255, 255}));
    EXPECT_EQ(PixelOf(ReduceToTrueColor(mono, 2, 1), 1, 0), (ColorTriple{0, 0, 0}));

    EXPECT_FALSE(ReduceToTrueColor(halves, 0, 1));
    EXPECT_FALSE(ReduceToTrueColor(Picture{}, 1, 1));

    // Halving a 24-bit picture exactly (its own quick path) gives the bytes
    // the general path gives for the same greys held in a palette.
    constexpr int32_t kWidth = 10, kHeight = 6;
    Picture grey8 = Picture::Make(kWidth, kHeight, 8);
    Picture grey24 = Picture::Make(kWidth, kHeight, 24);
    uint8_t* greyTable = grey8.Data() + kInfoHeaderSize;
    for (int i = 0; i < 256; ++i)
        std::fill_n(greyTable + i * 4, 3, static_cast<uint8_t>(i));
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x) {
            const auto v = static_cast<uint8_t>((x * 37 + y * 91 + x * y * 13) % 256);
            grey8.Pixels()[y * PictureRowBytes(kWidth, 8) + x] = v;
            std::fill_n(grey24.Pixels() + y * PictureRowBytes(kWidth, 24) + x * 3, 3, v);
        }
    const Picture fromPalette = ReduceToTrueColor(grey8, kWidth / 2, kHeight / 2);
    const Picture halved = ReduceToTrueColor(grey24, kWidth / 2, kHeight / 2);
    ASSERT_TRUE(fromPalette && halved);
    EXPECT_TRUE(std::equal(fromPalette.Bytes().begin(), fromPalette.Bytes().end(), halved.Bytes().begin(),
                           halved.Bytes().end()));
}

// The means of the 8 x 8 blocks of two pictures of the same size, each
// channel: the mean absolute difference.
double BlockMeanDifference(const Picture& a, const Picture& b)
{
    const uint32_t width = a.Width(), height = a.Height();
    EXPECT_EQ(b.Width(), width);
    EXPECT_EQ(b.Height(), height);
    const uint64_t stride = PictureRowBytes(width, 24);
    double total = 0;
    int blocks = 0;
    for (uint32_t by = 0; by + 8 <= height; by += 8)
        for (uint32_t bx = 0; bx + 8 <= width; bx += 8)
            for (int channel = 0; channel < 3; ++channel) {
                int sumA = 0, sumB = 0;
                for (uint32_t y = by; y < by + 8; ++y)
                    for (uint32_t x = bx; x < bx + 8; ++x) {
                        sumA += a.Pixels()[y * stride + x * 3 + channel];
                        sumB += b.Pixels()[y * stride + x * 3 + channel];
                    }
                total += std::abs(sumA - sumB) / 64.0;
                ++blocks;
            }
    return blocks ? total / blocks : 0;
}

// Real photographs, written as JPEG files by our own writer.
class PreviewQuality : public ::testing::TestWithParam<const char*> {};

TEST_P(PreviewQuality, StaysWithinTwoLevelsOfAnAreaAveragedReduction)
{
    const Picture photo = ReadImageFile(test::TestDataPath(GetParam()), ReadOptions{}).picture;
    ASSERT_TRUE(photo);
    test::TempDir dir;
    const std::string path = dir.File("photo.jpg");
    ASSERT_TRUE(WriteJPEGFile(photo, path, 90));

    // What the file holds, reduced to the preview's size by area averaging.
    const Picture decoded = ReadJPEGFile(path).picture;
    ASSERT_TRUE(decoded);
    const FittedSize size = FitPreview(185, 140, decoded.Width(), decoded.Height());
    const Picture reference = ReduceToTrueColor(decoded, size.width, size.height);

    const PreviewPicture made = MakePreviewPicture(path, 185, 140, AppPalette(), PreviewColors::TrueColor);
    ASSERT_TRUE(made.preview);
    EXPECT_EQ(made.imageWidth, static_cast<int16_t>(decoded.Width()));
    EXPECT_EQ(made.bitsPerPixel, 24);
    const double trueColor = BlockMeanDifference(made.preview, reference);
    EXPECT_LE(trueColor, 2.0);

    // The 256-colour preview, as the screen shows it, is no worse than one
    // made from the whole picture as before.
    const PreviewPicture classic = MakePreviewPicture(path, 185, 140, AppPalette(), PreviewColors::AppPalette256);
    const Picture before = ResizeToAppPalette(decoded, size.width, size.height, AppPalette());
    const double now256 = BlockMeanDifference(ReduceToTrueColor(classic.preview, size.width, size.height), reference);
    const double before256 = BlockMeanDifference(ReduceToTrueColor(before, size.width, size.height), reference);
    EXPECT_LE(now256, before256 + 0.5);
    RecordProperty("levels", std::to_string(trueColor) + " / 256: " + std::to_string(now256) +
                                 " (before " + std::to_string(before256) + ")");
}

INSTANTIATE_TEST_SUITE_P(RealPhotos, PreviewQuality,
                         ::testing::Values("jpeg/pillow-junk_jpeg_header.jpg", "jpeg/jpegdec-mjpeg.jpg",
                                           "pcd/pillow-hopper.pcd", "tga/zigimg-stopsignsmall.tga"));

}  // namespace
}  // namespace lumora
