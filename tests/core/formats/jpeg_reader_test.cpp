#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>

#include "core/formats/jpeg_reader.h"
#include "jpeg_test_support.h"
#include "reader_test_support.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::TestDataPath;

// Reading in 256 colours or in full colour.
ReadOptions Jpeg256(bool on)
{
    ReadOptions options;
    options.jpeg256 = on;
    return options;
}

struct Expected {
    const char* file;
    int width, height;  // 0: no picture
};

// Every shared JPEG file: its size, or no picture for the processes libjpeg
// (8-bit build) refuses.
constexpr Expected kJpegFiles[] = {
    {"imagers-progressive-cat.jpg", 320, 240}, {"imagers-progressive-test.jpg", 32, 23},
    {"jpegdec-16bit-qtables.jpg", 1, 1}, {"jpegdec-extraneous-data.jpg", 16, 16},
    {"jpegdec-grayscale_16x24_sampling2x2.jpg", 16, 24}, {"jpegdec-jpeg_lossless_sel1.jpg", 0, 0},
    {"jpegdec-mjpeg.jpg", 960, 720}, {"jpegdec-non-interleaved-mcu.jpg", 64, 16},
    {"jpegdec-partial_progressive.jpg", 4, 4}, {"jpegdec-progressive-missing-ac.jpg", 8, 8},
    {"jpegdec-progressive3.jpg", 650, 470}, {"jpegdec-restarts.jpg", 33, 33},
    {"jpegdec-rgb.jpg", 500, 333}, {"jpegdec-ycck.jpg", 500, 333},
    {"juicy-10x8-samsung-s8.jpg", 8, 10 /* stood upright */}, {"juicy-16x16jpeg.jpg", 16, 16},
    {"juicy-8x8jpeg.jpg", 8, 8}, {"juicy-img_cmyk.jpg", 375, 294},
    {"juicy-mand_prgrsv.jpg", 512, 480}, {"ljt-monkey12.jpg", 0, 0},
    {"ljt-testimgari.jpg", 227, 149}, {"ljt-testimgint.jpg", 227, 149},
    {"ljt-testorig.jpg", 227, 149}, {"mozilla-jpg-cmyk-1.jpg", 32, 32},
    {"mozilla-jpg-cmyk-2.jpg", 256, 256}, {"mozilla-jpg-gray.jpg", 32, 32},
    {"mozilla-jpg-progressive.jpg", 32, 32}, {"mozilla-jpg-size-15x15.jpg", 15, 15},
    {"mozilla-jpg-size-16x16.jpg", 16, 16}, {"mozilla-jpg-size-17x17.jpg", 17, 17},
    {"mozilla-jpg-size-1x1.jpg", 1, 1}, {"mozilla-jpg-size-2x2.jpg", 2, 2},
    {"mozilla-jpg-size-31x31.jpg", 31, 31}, {"mozilla-jpg-size-33x33.jpg", 33, 33},
    {"mozilla-jpg-size-7x7.jpg", 7, 7}, {"mozilla-jpg-size-8x8.jpg", 8, 8},
    {"mozilla-jpg-size-9x9.jpg", 9, 9}, {"mozilla-jpg-srgb-icc.jpg", 1, 1},
    {"pillow-app13.jpg", 4, 4}, {"pillow-flower.jpg", 480, 360},
    {"pillow-hopper.jpg", 128, 128}, {"pillow-hopper_16bit_qtables.jpg", 128, 128},
    {"pillow-hopper_gray.jpg", 128, 128}, {"pillow-hopper_orientation_3.jpg", 128, 128},
    {"pillow-hopper_orientation_6.jpg", 128, 128}, {"pillow-hopper_orientation_8.jpg", 128, 128},
    {"pillow-icc-after-SOF.jpg", 10, 10}, {"pillow-iptc.jpg", 640, 480},
    {"pillow-jfif_unit_cm.jpg", 1, 1}, {"pillow-jpeg_ff00_header.jpg", 300, 225},
    {"pillow-junk_jpeg_header.jpg", 1024, 768}, {"pillow-pil_sample_cmyk.jpg", 100, 100},
    {"pillow-pil_sample_rgb.jpg", 100, 100}, {"pillow-truncated_app14.jpg", 100, 100},
    {"pillow-truncated_jpeg.jpg", 100, 100}, {"zigimg-grayscale_sample0.jpg", 32, 32},
    {"zigimg-huff_simple0.jpg", 16, 8}, {"zigimg-subsampling_410.jpg", 32, 32},
    {"zigimg-subsampling_411.jpg", 32, 32}, {"zigimg-subsampling_420.jpg", 32, 32},
    {"zigimg-subsampling_422.jpg", 32, 32}, {"zigimg-subsampling_440.jpg", 32, 32},
    {"zigimg-subsampling_444.jpg", 32, 32}, {"zigimg-tuba.jpg", 512, 512},
    {"zigimg-tuba_restart_prog.jpg", 512, 512},
};

bool IsCmyk(const std::string& file)
{
    return file.find("cmyk") != std::string::npos || file.find("ycck") != std::string::npos;
}

TEST(ReadJPEGFile, SharedFilesDecodeToTheirSizeInBothModes)
{
    for (const bool jpeg256 : {true, false}) {
        const ReadOptions mode = Jpeg256(jpeg256);
        for (const Expected& e : kJpegFiles) {
            SCOPED_TRACE(std::string(e.file) + (jpeg256 ? " (256)" : " (24)"));
            Picture dib = ReadJPEGFile(TestDataPath(std::string("jpeg/") + e.file), mode).picture;
            if (e.width == 0) {
                EXPECT_FALSE(dib);
                continue;
            }
            ASSERT_TRUE(dib);
            ASSERT_TRUE(IsValidPicture(dib.Bytes()));
            EXPECT_EQ(dib.Width(), static_cast<uint32_t>(e.width));
            EXPECT_EQ(dib.Height(), static_cast<uint32_t>(e.height));
            EXPECT_EQ(dib.BitCount(), jpeg256 && !IsCmyk(e.file) ? 8 : 24);
        }
    }
}

// Our rows must be libjpeg's rows, bottom-up, blue first.
void ExpectSameAsReference24(const Picture& dib, const test::DecodedJpeg& ref)
{
    ASSERT_EQ(dib.BitCount(), 24);
    for (uint32_t y = 0; y < ref.height; ++y)
        for (uint32_t x = 0; x < ref.width; ++x) {
            const uint8_t* s = ref.samples.data() + (size_t{y} * ref.width + x) * ref.components;
            const ColorTriple expected = ref.components == 1 ? ColorTriple{s[0], s[0], s[0]} : ColorTriple{s[0], s[1], s[2]};
            ASSERT_EQ(test::ColorAt(dib, x, ref.height - 1 - y), expected) << x << "," << y;
        }
}

TEST(ReadJPEGFile, TrueColourRowsAreLibjpegsRowsBottomUp)
{
    const ReadOptions mode = Jpeg256(false);
    for (const char* file : {"ljt-testorig.jpg", "mozilla-jpg-size-17x17.jpg", "pillow-hopper_gray.jpg",
                             "jpegdec-grayscale_16x24_sampling2x2.jpg"}) {
        SCOPED_TRACE(file);
        const std::string path = TestDataPath(std::string("jpeg/") + file);
        ExpectSameAsReference24(ReadJPEGFile(path, mode).picture, test::DecodeReference(path));
    }
}

TEST(ReadJPEGFile, Jpeg256KeepsLibjpegsIndicesAndColours)
{
    const ReadOptions mode = Jpeg256(true);
    for (const char* file : {"ljt-testorig.jpg", "pillow-hopper_gray.jpg"}) {
        SCOPED_TRACE(file);
        const std::string path = TestDataPath(std::string("jpeg/") + file);
        const test::DecodedJpeg ref = test::DecodeReference(path, true);
        Picture dib = ReadJPEGFile(path, mode).picture;
        ASSERT_TRUE(dib);
        ASSERT_EQ(dib.BitCount(), 8);
        ASSERT_LE(ref.colormap.size(), 236u);
        for (size_t i = 0; i < ref.colormap.size(); ++i)
            EXPECT_EQ(dib.Color(static_cast<unsigned>(i)), ref.colormap[i]) << i;
        if (std::string(file).find("gray") != std::string::npos) {
            for (const ColorTriple& c : ref.colormap)  // libjpeg's greys, one component each
                ASSERT_TRUE(c.red == c.green && c.green == c.blue);
        }
        for (uint32_t y = 0; y < ref.height; ++y)
            for (uint32_t x = 0; x < ref.width; ++x)
                ASSERT_EQ(test::IndexAt(dib, x, ref.height - 1 - y), ref.samples[size_t{y} * ref.width + x]);
    }
}

double MeanDifference(const Picture& a, const Picture& b)
{
    const uint32_t w = a.Width(), h = a.Height();
    double sum = 0;
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            const ColorTriple p = test::ColorAt(a, x, y), q = test::ColorAt(b, x, y);
            sum += std::abs(p.red - q.red) + std::abs(p.green - q.green) + std::abs(p.blue - q.blue);
        }
    return sum / (3.0 * w * h);
}

TEST(ReadJPEGFile, AdobeCmykLooksLikeItsRgbTwin)
{
    const ReadOptions mode = Jpeg256(false);
    Picture cmyk = ReadJPEGFile(TestDataPath("jpeg/pillow-pil_sample_cmyk.jpg"), mode).picture;
    Picture rgb = ReadJPEGFile(TestDataPath("jpeg/pillow-pil_sample_rgb.jpg"), mode).picture;
    ASSERT_TRUE(cmyk);
    ASSERT_TRUE(rgb);
    // Not inverted, the picture would be a negative: differences near 128.
    EXPECT_LT(MeanDifference(cmyk, rgb), 12.0);
}

TEST(ReadJPEGFile, DamagedFilesYieldNoPicture)
{
    const std::vector<uint8_t> good = test::ReadBytes(TestDataPath("jpeg/ljt-testorig.jpg"));
    ASSERT_GT(good.size(), 1000u);
    // Cut inside the headers: no image data at all.
    EXPECT_FALSE(ReadJPEGFromMemory({good.data(), 200}));
    EXPECT_FALSE(ReadJPEGFromMemory({}));
    // A frame header claiming 0 rows is refused by libjpeg with an error.
    std::vector<uint8_t> bad = good;
    for (size_t i = 0; i + 8 < bad.size(); ++i)
        if (bad[i] == 0xFF && bad[i + 1] == 0xC0) {
            bad[i + 5] = bad[i + 6] = 0;
            break;
        }
    EXPECT_FALSE(ReadJPEGFromMemory(bad));
    EXPECT_FALSE(ReadJPEGFile(TestDataPath("jpeg/no-such-file.jpg")));
    Picture whole = ReadJPEGFromMemory(good).picture, fromFile = ReadJPEGFile(TestDataPath("jpeg/ljt-testorig.jpg")).picture;
    ASSERT_TRUE(whole && fromFile);
    EXPECT_TRUE(std::equal(whole.Bytes().begin(), whole.Bytes().end(), fromFile.Bytes().begin(),
                           fromFile.Bytes().end()));
    // Cut inside the scan: libjpeg warns and fills in; a picture results.
    Picture cut = ReadJPEGFromMemory({good.data(), good.size() - 1500}).picture;
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut.Width(), 227u);
}

TEST(ReadJPEGFile, DrivesTheGaugeOnlyWhenAllowed)
{
    const std::string path = TestDataPath("jpeg/ljt-testorig.jpg");
    {
        test::CountingProgress progress;
        ASSERT_TRUE(ReadJPEGFile(path, test::WithProgress(true)));
        EXPECT_EQ(progress.begins, 1);
        EXPECT_EQ(progress.ends, 1);
        EXPECT_EQ(progress.steps, 149);
        EXPECT_EQ(progress.lastDone, 149);
        EXPECT_EQ(progress.lastTotal, 149);
        // A failed read still ends what it began.
        const std::vector<uint8_t> good = test::ReadBytes(path);
        EXPECT_FALSE(ReadJPEGFromMemory({good.data(), 300}, test::WithProgress(true)));
        EXPECT_EQ(progress.begins, 2);
        EXPECT_EQ(progress.ends, 2);
    }
    test::CountingProgress progress;
    ASSERT_TRUE(ReadJPEGFile(path, test::WithProgress(false)));
    EXPECT_EQ(progress.begins + progress.steps + progress.ends, 0);
}

// A gather converts photos in full colour on its workers while the window
// goes on opening JPEGs in 256 colours: each reading gets its own mode.
TEST(ReadJPEGFile, ReadingsAtTheSameTimeKeepTheirOwnColourMode)
{
    const std::string path = TestDataPath("jpeg/ljt-testorig.jpg");
    std::atomic<int> wrongDepths = 0;
    auto readMany = [&](bool jpeg256) {
        for (int i = 0; i < 40; ++i) {
            const Picture dib = ReadJPEGFile(path, Jpeg256(jpeg256)).picture;
            if (!dib || dib.BitCount() != (jpeg256 ? 8 : 24))
                ++wrongDepths;
        }
    };
    std::thread converting(readMany, false);
    readMany(true);
    converting.join();
    EXPECT_EQ(wrongDepths, 0);
}

}  // namespace
}  // namespace lumora
