#include <gtest/gtest.h>

#include "core/formats/screen_picture.h"
#include "support/test_support.h"

namespace lumora {
namespace {

TEST(ScreenPictureTest, ReductionKeepsAtLeastTheDrawnSize)
{
    struct Case {
        int width, height, screenWidth, screenHeight, reduction;
    };
    for (const Case& c : std::initializer_list<Case>{
             {4000, 3000, 1920, 1080, 2},  // drawn 1440 x 1080: 2000 x 1500 still covers it
             {8000, 6000, 1920, 1080, 4},
             {16000, 12000, 1024, 768, 8},  // never beyond 1/8
             {3000, 4000, 1920, 1080, 2},  // portrait: drawn 810 x 1080
             {1920, 1080, 1920, 1080, 1},  // fits as it is
             {3800, 2000, 1920, 1080, 1},  // halved would be narrower than drawn
             {3840, 2160, 1920, 1080, 2},
             {4000, 3000, 0, 0, 1},  // real size: no reduction
         }) {
        EXPECT_EQ(JpegReduction(c.width, c.height, c.screenWidth, c.screenHeight), c.reduction)
            << c.width << "x" << c.height << " on " << c.screenWidth << "x" << c.screenHeight;
    }
    int width = 4000, height = 3000;
    FitWithin(1920, 1080, width, height);
    EXPECT_EQ(width, 1440);
    EXPECT_EQ(height, 1080);
    width = 800, height = 600;
    FitWithin(1920, 1080, width, height);
    EXPECT_EQ(width, 800);
}

TEST(ScreenPictureTest, DecodesReducedAndRefusesWhatIsNoJpeg)
{
    EXPECT_TRUE(IsJpegName("/a/B.JPG"));
    EXPECT_TRUE(IsJpegName("x.jpeg"));
    EXPECT_FALSE(IsJpegName("x.jpg/y"));
    EXPECT_FALSE(IsJpegName("x.tif"));

    const std::string jpeg = test::TestDataPath("jpeg/imagers-progressive-cat.jpg");
    const Picture whole = ReadJpegForScreen(jpeg, 0, 0);
    ASSERT_TRUE(whole) << jpeg;
    const int width = static_cast<int>(whole.Width());
    const int height = static_cast<int>(whole.Height());
    const Picture reduced = ReadJpegForScreen(jpeg, width / 4, height / 4);
    ASSERT_TRUE(reduced);
    EXPECT_EQ(static_cast<int>(reduced.Width()), (width + 3) / 4);
    EXPECT_EQ(static_cast<int>(reduced.Height()), (height + 3) / 4);
    EXPECT_EQ(reduced.BitCount(), 24);

    test::TempDir dir;
    test::WriteBytes(dir.File("faux.jpg"), {0xFF, 0xD8, 0xFF, 0xE0, 0, 0});
    EXPECT_FALSE(ReadJpegForScreen(dir.File("faux.jpg"), 100, 100));
    EXPECT_FALSE(ReadJpegForScreen(dir.File("absent.jpg"), 100, 100));
}

}  // namespace
}  // namespace lumora
