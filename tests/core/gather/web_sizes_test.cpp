#include <gtest/gtest.h>

#include <libheif/heif.h>

#include <filesystem>
#include <fstream>

#include "core/album/album_document.h"
#include "core/album/section_tab.h"
#include "core/formats/image_format.h"
#include "core/formats/jpeg_writer.h"
#include "core/gather/web_sizes.h"
#include "core/gather/web_viewer.h"
#include "support/test_picture_writers.h"
#include "support/test_support.h"

// The HEVC encoder that writes the test's HEIC file keeps a few blocks for
// the life of the process: not ours to free.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libx265.so\n";
}

namespace lumora {
namespace {

namespace fs = std::filesystem;

constexpr ColorTriple kRed{220, 20, 20};
constexpr ColorTriple kGreen{20, 220, 20};

bool IsRed(ColorTriple c) { return c.red > 150 && c.green < 100; }
bool IsGreen(ColorTriple c) { return c.green > 150 && c.red < 100; }

// The colour at (x, y) counted from the top of a 24-bit picture.
ColorTriple TopDownAt(const Picture& dib, uint32_t x, uint32_t y)
{
    return test::ColorAt(dib, x, dib.Height() - 1 - y);
}

// A `width` x `height` JPEG, the left half red and the right half green,
// stored with the camera's orientation tag `orientation`.
void WriteTurnedJpeg(const std::string& path, int width, int height, int orientation)
{
    const Picture picture = test::MakeRgbPicture(width, height, [width](uint32_t x, uint32_t) {
        return static_cast<int>(x) < width / 2 ? kRed : kGreen;
    });
    auto jpeg = EncodeJPEG(picture, 90);
    ASSERT_TRUE(jpeg);
    // APP1 "Exif": a big-endian TIFF structure with one entry, Orientation.
    const std::vector<uint8_t> app1{0xFF, 0xE1, 0x00, 34, 'E', 'x', 'i', 'f', 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8,
                                    0, 1, 0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, static_cast<uint8_t>(orientation), 0, 0,
                                    0, 0, 0, 0};
    jpeg->insert(jpeg->begin() + 2, app1.begin(), app1.end());
    test::WriteBytes(path, *jpeg);
}

// The same picture as a phone's HEIC, turned by its boxes.
void WriteTurnedHeic(const std::string& path, int width, int height, heif_orientation orientation)
{
    heif_context* context = heif_context_alloc();
    heif_encoder* encoder = nullptr;
    heif_image* image = nullptr;
    heif_encoding_options* options = heif_encoding_options_alloc();
    ASSERT_EQ(heif_context_get_encoder_for_format(context, heif_compression_HEVC, &encoder).code, heif_error_Ok);
    heif_encoder_set_lossy_quality(encoder, 80);
    heif_image_create(width, height, heif_colorspace_RGB, heif_chroma_interleaved_RGB, &image);
    heif_image_add_plane(image, heif_channel_interleaved, width, height, 8);
    int stride = 0;
    uint8_t* pixels = heif_image_get_plane(image, heif_channel_interleaved, &stride);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const ColorTriple c = x < width / 2 ? kRed : kGreen;
            uint8_t* p = pixels + y * stride + x * 3;
            p[0] = c.red;
            p[1] = c.green;
            p[2] = c.blue;
        }
    options->image_orientation = orientation;
    EXPECT_EQ(heif_context_encode_image(context, image, encoder, options, nullptr).code, heif_error_Ok);
    EXPECT_EQ(heif_context_write_to_file(context, path.c_str()).code, heif_error_Ok);
    heif_encoding_options_free(options);
    heif_image_release(image);
    heif_encoder_release(encoder);
    heif_context_free(context);
}

// An 8-bit PCX, the left half red and the right half green.
void WritePcx(const std::string& path, int width, int height)
{
    test::PcxPicture pcx;
    pcx.width = static_cast<uint16_t>(width);
    pcx.height = static_cast<uint16_t>(height);
    pcx.bytesPerLine = static_cast<uint16_t>(width + (width & 1));
    test::Bytes line(pcx.bytesPerLine, 1);
    std::fill(line.begin(), line.begin() + width / 2, 0);
    pcx.lines.assign(static_cast<size_t>(height), line);
    pcx.vgaPalette.assign(768, 0);
    const ColorTriple colours[] = {kRed, kGreen};
    for (int i = 0; i < 2; ++i) {
        pcx.vgaPalette[static_cast<size_t>(i) * 3] = colours[i].red;
        pcx.vgaPalette[static_cast<size_t>(i) * 3 + 1] = colours[i].green;
        pcx.vgaPalette[static_cast<size_t>(i) * 3 + 2] = colours[i].blue;
    }
    test::WriteBytes(path, test::WritePcx(pcx));
}

TEST(WebSizesTest, SizesAreTheTwoSidesNeverLargerThanTheOriginal)
{
    struct Case {
        int width, height;
        std::vector<PixelSize> sizes;
    };
    const Case cases[] = {
        {4000, 3000, {{1280, 960}, {2560, 1920}}},
        {3000, 4000, {{960, 1280}, {1920, 2560}}},  // upright
        {2000, 1500, {{1280, 960}, {2000, 1500}}},  // the original in place of the 2560
        {2560, 1440, {{1280, 720}, {2560, 1440}}},  // exactly the large side: once
        {1280, 720, {{1280, 720}}},
        {640, 480, {{640, 480}}},
        {10000, 20, {{1280, 2}, {2560, 5}}},
        {0, 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WebSizesFor(c.width, c.height), c.sizes) << c.width << " x " << c.height;
    EXPECT_EQ(WebSizeName(7, {960, 1280}), "lumora-web/photos/0007-1280.jpg");
}

// Each type read, turned upright, reduced to its sizes and written as JPEG:
// the copies have the sizes announced, and the left half of the stored
// picture is on top once a quarter turn stands it up.
TEST(WebSizesTest, JpegHeicAndPcxCopiesHaveTheirSizesAndStandUpright)
{
    test::TempDir dir;
    // Decoded whole (less than twice the largest size), and reduced while
    // decoding.
    WriteTurnedJpeg(dir.File("camera.jpg"), 3000, 1500, 6);
    WriteTurnedJpeg(dir.File("large.jpg"), 6000, 3000, 6);
    WriteTurnedHeic(dir.File("phone.heic"), 1600, 800, heif_orientation_rotate_90_cw);
    WritePcx(dir.File("old.pcx"), 1400, 700);
    struct Case {
        const char* name;
        std::vector<PixelSize> sizes;
        bool turned;
    };
    const Case cases[] = {
        {"camera.jpg", {{640, 1280}, {1280, 2560}}, true},
        {"large.jpg", {{640, 1280}, {1280, 2560}}, true},
        {"phone.heic", {{640, 1280}, {800, 1600}}, true},
        {"old.pcx", {{1280, 640}, {1400, 700}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<WebSizePicture> pictures = EncodeWebSizes(ReadForWebSizes(dir.File(c.name)));
        ASSERT_EQ(pictures.size(), c.sizes.size());
        for (size_t i = 0; i < pictures.size(); ++i) {
            EXPECT_EQ(pictures[i].size, c.sizes[i]);
            const std::string written = dir.File("copy.jpg");
            test::WriteBytes(written, pictures[i].jpeg);
            const Picture copy = ReadImageFile(written, ReadOptions{}).picture;
            ASSERT_TRUE(copy);
            const int width = static_cast<int>(copy.Width());
            const int height = static_cast<int>(copy.Height());
            EXPECT_EQ((PixelSize{width, height}), c.sizes[i]);
            const uint32_t w = static_cast<uint32_t>(width), h = static_cast<uint32_t>(height);
            // Upright: red on top (stored left), else red on the left.
            const ColorTriple first = c.turned ? TopDownAt(copy, w / 2, h / 8) : TopDownAt(copy, w / 8, h / 2);
            const ColorTriple second =
                c.turned ? TopDownAt(copy, w / 2, h - h / 8) : TopDownAt(copy, w - w / 8, h / 2);
            EXPECT_TRUE(IsRed(first)) << int(first.red) << "," << int(first.green);
            EXPECT_TRUE(IsGreen(second)) << int(second.red) << "," << int(second.green);
        }
    }
    EXPECT_FALSE(ReadForWebSizes(dir.File("missing.jpg")));
    EXPECT_TRUE(EncodeWebSizes(Picture{}).empty());
}

TEST(WebSizesTest, WrittenInTheViewersFolderInOrderAndUnreadablePicturesLeftOut)
{
    test::TempDir dir;
    WriteTurnedJpeg(dir.File("a.jpg"), 1500, 1000, 1);
    test::WriteBytes(dir.File("broken.jpg"), {0xFF, 0xD8, 0xFF});
    WritePcx(dir.File("b.pcx"), 300, 200);
    fs::create_directories(dir.File("out"));
    GatherFileResult result = GatherFileResult::Aborted;
    const auto sizes = WriteWebSizes({{3, dir.File("a.jpg")}, {5, dir.File("broken.jpg")}, {8, dir.File("b.pcx")}},
                                     dir.File("out"), {}, 2, result);
    EXPECT_EQ(result, GatherFileResult::Written);
    ASSERT_EQ(sizes.size(), 3u);
    ASSERT_EQ(sizes[0].size(), 2u);
    EXPECT_EQ(sizes[0][0].name, "lumora-web/photos/0003-1280.jpg");
    EXPECT_EQ(sizes[0][1].name, "lumora-web/photos/0003-1500.jpg");
    EXPECT_EQ(sizes[0][1].width, 1500);
    EXPECT_TRUE(sizes[1].empty());
    ASSERT_EQ(sizes[2].size(), 1u);
    EXPECT_EQ(sizes[2][0].height, 200);
    for (const auto& photo : sizes)
        for (const WebSize& size : photo)
            EXPECT_TRUE(fs::is_regular_file(dir.File("out/" + size.name))) << size.name;

    // Interrupted before anything: nothing written, and said so.
    fs::create_directories(dir.File("stopped"));
    WriteWebSizes({{3, dir.File("a.jpg")}}, dir.File("stopped"), [] { return true; }, 1, result);
    EXPECT_EQ(result, GatherFileResult::Interrupted);
    EXPECT_FALSE(fs::exists(dir.File("stopped/lumora-web/photos/0003-1280.jpg")));
}

// The album's texts end up in a script element's file: whatever they hold,
// the script stays one valid statement and no text leaves its string.
TEST(WebViewerDataTest, TextsWithScriptEndsQuotesLineSeparatorsAndBadBytesStayInTheirStrings)
{
    const std::string nasty = "</script><script>alert(\"x\")</script> \\ ' \" \xE2\x80\xA8 \xE2\x80\xA9 \xFF\xC3 fin";
    test::TempDir dir;
    WritePcx(dir.File("photo.pcx"), 40, 30);
    AlbumDocument doc;
    doc.Clear();
    EditSettings(doc, [&](AlbumSettings& s) { s.title = nasty; });
    EditSettings(doc, [&](AlbumSettings& s) { s.description = nasty; });
    ASSERT_TRUE(doc.InsertImage(dir.File("photo.pcx"), 0));
    doc.Perform(MakePhotoFileChange(doc, 0, "/photos/" + nasty + ".jpg"));
    ItemContent content = ContentOf(doc.Item(0));
    content.description = nasty;
    doc.Perform(MakeContentChange(doc, 0, std::move(content), ContentKind::Description));
    EditSettings(doc, [&](AlbumSettings& s) { s.useTabs = true; });
    ASSERT_FALSE(doc.Tabs().empty());
    doc.Perform(MakeTabChange(doc, 0, nasty + " onglet", doc.Tab(0).tabColor, doc.Tab(0).nameColor));
    const std::string script = ViewerAlbumScript(doc, {{0, nasty + ".jpg", nasty + ".wav", {{nasty, 1, 2}}}});

    EXPECT_EQ(script.rfind("var LUMORA_ALBUM = {", 0), 0u);
    EXPECT_EQ(script.find('\n', script.size() - 3), script.size() - 1);
    EXPECT_EQ(script.find("</"), std::string::npos);
    EXPECT_EQ(script.find("\xE2\x80\xA8"), std::string::npos);
    EXPECT_EQ(script.find("\xE2\x80\xA9"), std::string::npos);
    EXPECT_EQ(script.find('\xFF'), std::string::npos);
    EXPECT_NE(script.find("\\u003c/script\\u003e"), std::string::npos);
    EXPECT_NE(script.find("\\u2028 \\u2029 \\ufffd\\ufffd fin"), std::string::npos);
    EXPECT_NE(script.find("alert(\\\"x\\\")"), std::string::npos);
    EXPECT_NE(script.find(" \\\\ '"), std::string::npos);
    EXPECT_NE(script.find("\\ufffd\\ufffd fin onglet\""), std::string::npos) << "the tab's name";
    // Every double quote outside a string opens or closes one: an even
    // count of unescaped quotes on each line.
    size_t quotes = 0;
    for (size_t i = 0; i < script.size(); ++i) {
        if (script[i] == '\\') {
            ++i;
        } else if (script[i] == '"') {
            ++quotes;
        } else if (script[i] == '\n') {
            EXPECT_EQ(quotes % 2, 0u) << "line ending at " << i;
        }
    }
}

TEST(WebViewerDataTest, NarrowPagesOfEachSpread)
{
    struct Case {
        int position, pageCount;
        std::vector<std::pair<int, int>> pages;  // left, page
    };
    const Case cases[] = {
        {-2, 4, {{127, -1}}},           // the cover's middle
        {-1, 4, {{290, -1}}},           // the flyleaf on the right
        {0, 4, {{290, 0}}},             // page 1 alone on the right
        {2, 4, {{0, 1}, {290, 2}}},
        {4, 4, {{0, 3}}},               // the last page, back cover beside it
        {0, 0, {}},
    };
    for (const Case& c : cases) {
        std::vector<std::pair<int, int>> pages;
        for (const ViewerPage& page : ViewerPagesOf(c.position, c.pageCount))
            pages.emplace_back(page.left, page.page);
        EXPECT_EQ(pages, c.pages) << c.position << " of " << c.pageCount;
    }
}

}  // namespace
}  // namespace lumora
