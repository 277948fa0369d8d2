#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/formats/image_format.h"
#include "core/formats/picture_header.h"
#include "core/picture/picture.h"
#include "core/picture/picture_limits.h"
#include "core/platform/file.h"
#include "core/platform/services.h"
#include "support/test_support.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using test::TestDataPath;

std::optional<PictureHeader> HeaderOf(const std::string& path, int format)
{
    File file;
    if (!file.Open(path, File::Mode::Read))
        return std::nullopt;
    FileSource source(file);
    return ReadPictureHeader(format, source);
}

// Every picture a reader reads has a header announcing the size it reads:
// the gather refuses none of them. Files of the shared test data and the
// seeds of the modern formats, each as the name's reader sees it.
TEST(PictureHeader, AnnouncesTheSizeEveryReadablePictureHas)
{
    ScopedHeldMessages quiet;
    int checked = 0;
    const std::string folders[] = {TestDataPath("bmp"), TestDataPath("gif"), TestDataPath("jpeg"),
                                   TestDataPath("pcx"), TestDataPath("tga"), TestDataPath("tiff"),
                                   TestDataPath("pcd"), "fuzz/corpus/png", "fuzz/corpus/webp",
                                   "fuzz/corpus/heif"};
    for (const std::string& folder : folders) {
        if (!fs::is_directory(folder))
            continue;
        for (const auto& entry : fs::directory_iterator(folder)) {
            const std::string path = entry.path().string();
            const int format = ImageFormat(path);
            if (format == kFormatUnknown)
                continue;
            const Picture dib = ReadImageFile(path, ReadOptions{}).picture;
            if (!dib)
                continue;  // refused by its reader: nothing to agree with
            const auto header = HeaderOf(path, format);
            ASSERT_TRUE(header) << path;
            ++checked;
            EXPECT_LE(fs::file_size(path), PlausiblePictureFileSize(format, *header)) << path;
            // A pack's largest picture; a GIF's screen may exceed its frame;
            // a HEIF's largest item may be coded larger than it is shown.
            if (format == kFormatPCD || format == kFormatGIF || format == kFormatHEIF)
                continue;
            const bool quarterTurn = header->width == dib.Height() &&
                                     header->height == dib.Width();  // upright by its tag
            EXPECT_TRUE(quarterTurn || (header->width == dib.Width() &&
                                        header->height == dib.Height()))
                << path << ": " << header->width << " x " << header->height;
        }
    }
    EXPECT_GT(checked, 300);
}

TEST(PictureHeader, OtherBytesAreNoPicture)
{
    test::TempDir dir;
    const std::string text = dir.File("lettre.jpg");
    test::WriteBytes(text, {'B', 'o', 'n', 'j', 'o', 'u', 'r', '\n'});
    for (int format = kFormatBMP; format <= kFormatHEIF; ++format)
        EXPECT_FALSE(HeaderOf(text, format)) << format;
    // The right bytes under the wrong reader are no picture either.
    const std::string bmp = TestDataPath("bmp/bmpsuite-g-rgb24.bmp");
    EXPECT_TRUE(HeaderOf(bmp, kFormatBMP));
    for (const int other : {kFormatJPG, kFormatPNG, kFormatGIF, kFormatTIF, kFormatWEBP, kFormatHEIF, kFormatPCD})
        EXPECT_FALSE(HeaderOf(bmp, other)) << other;
    // A small picture's header behind gigabytes of nothing is implausible.
    EXPECT_LT(PlausiblePictureFileSize(kFormatBMP, {64, 48}), uint64_t{64} << 20);
    EXPECT_GE(PlausiblePictureFileSize(kFormatTIF, {10000, 10000}), uint64_t{6'000'000'000});  // pages
    // The megapixel limit caps what a header can claim.
    EXPECT_EQ(PlausiblePictureFileSize(kFormatJPG, {UINT32_MAX, UINT32_MAX}),
              MaxPicturePixels() * 16 + (uint64_t{32} << 20));
}

}  // namespace
}  // namespace lumora
