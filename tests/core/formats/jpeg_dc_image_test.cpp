#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "core/formats/jpeg_dc_image.h"
#include "core/formats/jpeg_reader.h"
#include "jpeg_test_support.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::TestDataPath;

enum class Outcome {
    SameAsLibjpeg,   // libjpeg too takes the blocks' DC alone
    ChromaFromMeans, // 4:2:0 and the like: equal over each 2 x 2 group
    NotHandled,      // left to libjpeg
};

struct Variant {
    const char* file;
    Outcome outcome;
};

constexpr Variant kVariants[] = {
    {"zigimg-subsampling_444.jpg", Outcome::SameAsLibjpeg},
    {"zigimg-subsampling_422.jpg", Outcome::SameAsLibjpeg},
    {"zigimg-subsampling_411.jpg", Outcome::SameAsLibjpeg},
    {"zigimg-subsampling_440.jpg", Outcome::SameAsLibjpeg},
    {"pillow-iptc.jpg", Outcome::SameAsLibjpeg},               // 4:2:2, 640 x 480
    {"mozilla-jpg-gray.jpg", Outcome::SameAsLibjpeg},
    {"jpegdec-grayscale_16x24_sampling2x2.jpg", Outcome::SameAsLibjpeg},  // one component, no MCU padding
    {"jpegdec-restarts.jpg", Outcome::SameAsLibjpeg},          // restart interval 5, 33 x 33
    {"pillow-pil_sample_rgb.jpg", Outcome::SameAsLibjpeg},     // Adobe YCbCr, restart interval 13
    {"zigimg-subsampling_420.jpg", Outcome::ChromaFromMeans},
    {"zigimg-subsampling_410.jpg", Outcome::ChromaFromMeans},
    {"ljt-testorig.jpg", Outcome::ChromaFromMeans},            // 227 x 149: not whole MCUs
    {"mozilla-jpg-size-1x1.jpg", Outcome::ChromaFromMeans},
    {"mozilla-jpg-size-9x9.jpg", Outcome::ChromaFromMeans},
    {"mozilla-jpg-size-17x17.jpg", Outcome::ChromaFromMeans},
    {"mozilla-jpg-size-33x33.jpg", Outcome::ChromaFromMeans},
    {"pillow-hopper_16bit_qtables.jpg", Outcome::ChromaFromMeans},  // SOF1, 16-bit tables
    {"pillow-flower.jpg", Outcome::ChromaFromMeans},
    {"mozilla-jpg-progressive.jpg", Outcome::NotHandled},
    {"jpegdec-progressive3.jpg", Outcome::NotHandled},
    {"ljt-testimgari.jpg", Outcome::NotHandled},               // arithmetic coding
    {"ljt-monkey12.jpg", Outcome::NotHandled},                 // 12-bit samples
    {"mozilla-jpg-cmyk-2.jpg", Outcome::NotHandled},
    {"jpegdec-ycck.jpg", Outcome::NotHandled},
    {"jpegdec-rgb.jpg", Outcome::NotHandled},                  // Adobe, no transform: RGB
    {"jpegdec-mjpeg.jpg", Outcome::NotHandled},                // no tables: libjpeg's defaults
    {"jpegdec-extraneous-data.jpg", Outcome::NotHandled},      // bytes between the scan and EOI
    {"jpegdec-jpeg_lossless_sel1.jpg", Outcome::NotHandled},
};

// The mean absolute difference of two blue-green-red pictures' lightness
// (as the eye weighs the three).
double MeanLightnessDifference(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    long total = 0;
    for (size_t i = 0; i + 2 < a.size(); i += 3) {
        const int la = 29 * a[i] + 150 * a[i + 1] + 77 * a[i + 2];
        const int lb = 29 * b[i] + 150 * b[i + 1] + 77 * b[i + 2];
        total += std::abs(la - lb);
    }
    return a.empty() ? 0.0 : static_cast<double>(total) / 256.0 / static_cast<double>(a.size() / 3);
}

TEST(JpegEighthFromDc, VariantsAgainstLibjpegsEighth)
{
    for (const Variant& variant : kVariants) {
        SCOPED_TRACE(variant.file);
        const std::vector<uint8_t> bytes = test::ReadBytes(TestDataPath(std::string("jpeg/") + variant.file));
        ASSERT_FALSE(bytes.empty());
        const std::optional<JpegEighth> dc = DecodeJpegEighthFromDc(bytes);
        if (variant.outcome == Outcome::NotHandled) {
            EXPECT_FALSE(dc.has_value());
            continue;
        }
        ASSERT_TRUE(dc.has_value());
        const test::DecodedJpeg reference = test::DecodeReferenceEighth(bytes);
        ASSERT_EQ(dc->width, reference.width);
        ASSERT_EQ(dc->height, reference.height);
        ASSERT_EQ(dc->bgr.size(), reference.samples.size());
        EXPECT_EQ(dc->likeLibjpeg, variant.outcome == Outcome::SameAsLibjpeg);
        if (variant.outcome == Outcome::SameAsLibjpeg)
            EXPECT_TRUE(dc->bgr == reference.samples);
        else  // the lightness is the blocks' own; the colours differ in detail
            EXPECT_LE(MeanLightnessDifference(dc->bgr, reference.samples), 2.0);
    }
}

// Cut anywhere in the scan or its headers, a file is never taken as whole.
TEST(JpegEighthFromDc, CutShortIsNotHandled)
{
    for (const char* file : {"jpegdec-restarts.jpg", "ljt-testorig.jpg", "mozilla-jpg-gray.jpg"}) {
        SCOPED_TRACE(file);
        const std::vector<uint8_t> whole = test::ReadBytes(TestDataPath(std::string("jpeg/") + file));
        ASSERT_TRUE(DecodeJpegEighthFromDc(whole).has_value());
        for (size_t cut = 0; cut + 1 < whole.size(); cut += std::max<size_t>(1, whole.size() / 97)) {
            const std::vector<uint8_t> part(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
            EXPECT_FALSE(DecodeJpegEighthFromDc(part).has_value()) << "cut at " << cut;
        }
    }
}

// A restart marker out of turn, or a byte of the scan made a marker, sends
// the file to libjpeg rather than giving a picture of the wrong blocks.
TEST(JpegEighthFromDc, DamagedScanIsNotHandled)
{
    const std::vector<uint8_t> good = test::ReadBytes(TestDataPath("jpeg/jpegdec-restarts.jpg"));
    size_t restart = 0;
    for (size_t i = 0; i + 1 < good.size() && !restart; ++i)
        if (good[i] == 0xFF && good[i + 1] == 0xD0)
            restart = i + 1;
    ASSERT_GT(restart, 4u);
    std::vector<uint8_t> outOfTurn = good;
    outOfTurn[restart] = 0xD3;
    EXPECT_FALSE(DecodeJpegEighthFromDc(outOfTurn).has_value());

    std::vector<uint8_t> stray = good;
    stray[restart - 3] = 0xFF;  // inside the first interval's data: a marker where none may be
    stray[restart - 2] = 0xC4;
    EXPECT_FALSE(DecodeJpegEighthFromDc(stray).has_value());
}

// A 24-bit picture's samples, top row first.
std::vector<uint8_t> TopDown(const Picture& picture)
{
    std::vector<uint8_t> samples;
    for (uint32_t y = picture.Height(); y-- > 0;)
        samples.insert(samples.end(), picture.Row(y), picture.Row(y) + size_t{picture.Width()} * 3);
    return samples;
}

// Through the reader: an eighth asked for a picture only shown comes from
// the DC decoder, turned upright like libjpeg's; asked for a stored preview
// it is libjpeg's, unchanged.
TEST(JpegEighthFromDc, ReaderTakesItOnlyWhenAskedAndTurnsItUpright)
{
    const auto eighth = [](EighthDecoding how) {
        return [how](uint32_t, uint32_t) { return NeededSize{10, 10, false, how}; };
    };
    const std::vector<uint8_t> plain = test::ReadBytes(TestDataPath("jpeg/ljt-testorig.jpg"));
    const test::DecodedJpeg reference = test::DecodeReferenceEighth(plain);
    const Picture stored = ReadJPEGForBox(plain, eighth(EighthDecoding::Libjpeg)).picture;
    const Picture shown = ReadJPEGForBox(plain, eighth(EighthDecoding::DcWhenPossible)).picture;
    ASSERT_TRUE(stored && shown);
    ASSERT_EQ(stored.Width(), reference.width);
    ASSERT_EQ(shown.Width(), reference.width);
    ASSERT_EQ(shown.Height(), reference.height);
    bool storedIsLibjpegs = true, shownIsLibjpegs = true;
    for (uint32_t y = 0; y < reference.height; ++y) {
        const uint8_t* row = reference.samples.data() + size_t{y} * reference.width * 3;
        storedIsLibjpegs &= std::equal(row, row + reference.width * 3, stored.Row(reference.height - 1 - y));
        shownIsLibjpegs &= std::equal(row, row + reference.width * 3, shown.Row(reference.height - 1 - y));
    }
    EXPECT_TRUE(storedIsLibjpegs);
    EXPECT_FALSE(shownIsLibjpegs);  // 4:2:0: the DC decoder's chroma
    EXPECT_LT(MeanLightnessDifference(TopDown(stored), TopDown(shown)), 1.0);

    const std::vector<uint8_t> turned = test::ReadBytes(TestDataPath("jpeg/pillow-hopper_orientation_6.jpg"));
    const Picture turnedStored = ReadJPEGForBox(turned, eighth(EighthDecoding::Libjpeg)).picture;
    const Picture turnedShown = ReadJPEGForBox(turned, eighth(EighthDecoding::DcWhenPossible)).picture;
    ASSERT_TRUE(turnedStored && turnedShown);
    ASSERT_EQ(turnedShown.Width(), turnedStored.Width());
    ASSERT_EQ(turnedShown.Height(), turnedStored.Height());
    EXPECT_LT(MeanLightnessDifference(TopDown(turnedStored), TopDown(turnedShown)), 1.0);
}

}  // namespace
}  // namespace lumora
