#include <gtest/gtest.h>

#include "core/picture/app_palette.h"
#include "core/formats/bmp_writer.h"
#include "core/picture_document/image_document.h"
#include "core/colour/palette.h"
#include "core/platform/file.h"
#include "support/test_support.h"

namespace lumora {
namespace {

Picture Gradient(int32_t width, int32_t height)
{
    return test::MakeRgbPicture(width, height, [](int32_t x, int32_t y) {
        return ColorTriple{static_cast<uint8_t>(x * 7), static_cast<uint8_t>(y * 5), 0x40};
    });
}

Picture Paletted(int32_t width, int32_t height)
{
    Picture dib = Picture::Make(width, height, 8);
    uint8_t* pixels = dib.Pixels();
    for (int32_t i = 0; i < width * height; ++i)
        pixels[i] = static_cast<uint8_t>(i % 16);  // width is a multiple of 4
    return dib;
}

class ImageDocumentTest : public ::testing::Test {
protected:
    std::string Write(const std::string& name, const Picture& dib)
    {
        const std::string path = dir.File(name);
        EXPECT_TRUE(WriteBMPFile(path, dib));
        return path;
    }
    test::TempDir dir;
};

TEST_F(ImageDocumentTest, OpeningRecordsTheFactsOfTheFile)
{
    const std::string path = Write("photo.bmp", Gradient(30, 20));
    PictureDocument doc;
    ASSERT_TRUE(doc.OnOpenDocument(path, 24));
    EXPECT_EQ(doc.Width(), 30);
    EXPECT_EQ(doc.Height(), 20);
    EXPECT_EQ(doc.BitCount(), 24);
    const auto facts = StatFile(path);
    ASSERT_TRUE(facts);
    EXPECT_EQ(doc.FileSize(), facts->size);
    EXPECT_EQ(doc.FileDate(), facts->modified);
    EXPECT_GT(doc.FileSize(), 30 * 20 * 3);
    EXPECT_FALSE(doc.HasDisplayCopy());  // a true-colour screen draws the picture itself
}

TEST_F(ImageDocumentTest, FailedOpenLeavesNoPictureBehind)
{
    PictureDocument doc;
    ASSERT_TRUE(doc.OnOpenDocument(Write("a.bmp", Gradient(8, 8)), 8));
    ASSERT_TRUE(doc.HasDisplayCopy());
    EXPECT_FALSE(doc.OnOpenDocument(dir.File("missing.bmp"), 8));
    EXPECT_FALSE(doc.HasPicture());
    EXPECT_FALSE(doc.HasDisplayCopy());
    EXPECT_EQ(doc.Width(), 0);
    EXPECT_EQ(doc.FileSize(), 0);

    test::WriteBytes(dir.File("broken.bmp"), {'B', 'M', 1, 2, 3});
    EXPECT_FALSE(doc.OnOpenDocument(dir.File("broken.bmp"), 24));
}

// Names that differ only in case are different files: the title keeps it.
TEST_F(ImageDocumentTest, TitleIsTheFileNameAsItIs)
{
    PictureDocument doc;
    doc.SetPathName("/home/anne/photos/Photo.bmp");
    EXPECT_EQ(doc.Title(), "Photo.bmp");
    EXPECT_EQ(doc.PathName(), "/home/anne/photos/Photo.bmp");
    doc.SetPathName("C:\\ALBUMS\\vacances\\plage été.jpg");
    EXPECT_EQ(doc.Title(), "plage été.jpg");
}

TEST_F(ImageDocumentTest, DisplayCopyFollowsScreenAndPictureDepth)
{
    const std::string rgb = Write("rgb.bmp", Gradient(16, 12));
    const std::string indexed = Write("indexed.bmp", Paletted(16, 12));
    struct Case {
        const std::string& path;
        int screen;
        int copyBits;  // 0: no copy
    };
    const Case cases[] = {{rgb, 24, 0}, {rgb, 8, 8}, {rgb, 4, 4}, {indexed, 24, 0}, {indexed, 8, 0}, {indexed, 4, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path + " on " + std::to_string(c.screen) + " bits");
        PictureDocument doc;
        ASSERT_TRUE(doc.OnOpenDocument(c.path, c.screen));
        ASSERT_EQ(doc.HasDisplayCopy(), c.copyBits != 0);
        if (c.copyBits == 0)
            continue;
        const PictureSpan copy = doc.DisplayCopy().Span();
        EXPECT_EQ(copy.BitCount(), c.copyBits);
        EXPECT_EQ(copy.Width(), 16u);
        EXPECT_EQ(copy.Height(), 12u);
        // The picture itself is kept unchanged for printing.
        EXPECT_EQ(doc.BitCount(), c.path == rgb ? 24 : 8);
    }
}

TEST_F(ImageDocumentTest, DisplayCopyOnA256ColourScreenUsesTheAppPalette)
{
    PictureDocument doc;
    ASSERT_TRUE(doc.OnOpenDocument(Write("rgb.bmp", Gradient(16, 12)), 8));
    const Palette table = MakeDIBPalette(doc.DisplayCopy());
    ASSERT_EQ(table.size(), 256u);
    for (size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(table[i].red, kAppPaletteColors[i].red) << i;
        EXPECT_EQ(table[i].blue, kAppPaletteColors[i].blue) << i;
    }
}

TEST_F(ImageDocumentTest, StatusAndPropertiesTexts)
{
    PictureDocument doc;
    const std::string path = Write("photo.bmp", Gradient(30, 20));
    ASSERT_TRUE(doc.OnOpenDocument(path, 24));
    doc.SetPathName(path);
    EXPECT_EQ(doc.StatusText(100), "30 x 20 - 16,8M couleurs - 100 %");
    EXPECT_EQ(doc.StatusText(10), "30 x 20 - 16,8M couleurs - 10 %");
    EXPECT_EQ(doc.PropertiesText(),
              "photo.bmp\n30x20, 16,8M couleurs, " + std::to_string(doc.FileSize()) + " octets");
}

TEST(ColorDepthWordTest, StatusAndPropertiesWordsDifferOnlyForOneBit)
{
    EXPECT_EQ(ColorDepthWord(1, false), "2");
    EXPECT_EQ(ColorDepthWord(1, true), "mono");
    for (bool properties : {false, true}) {
        EXPECT_EQ(ColorDepthWord(4, properties), "16");
        EXPECT_EQ(ColorDepthWord(8, properties), "256");
        EXPECT_EQ(ColorDepthWord(16, properties), "64K");
        EXPECT_EQ(ColorDepthWord(24, properties), "16,8M");
    }
}

}  // namespace
}  // namespace lumora
