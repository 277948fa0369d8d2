// How the album dialogs describe a font: face, size in points on a 96-dpi
// screen, bold and italic.
#include <gtest/gtest.h>

#include "core/album/font_description.h"
#include "core/album/text_font.h"

namespace lumora {
namespace {

TEST(FontDescription, SixteenPixelsAreTwelvePoints)
{
    EXPECT_EQ(DescribeFont(DefaultAlbumFont(12), true),
              "Nom de police : Times New Roman\nTaille : 12,  Gras : non,  Italique : oui.");
    EXPECT_EQ(FontPointSize(DefaultAlbumFont(22)), 22);  // -29 pixels: 21.75 rounded
    EXPECT_EQ(FontPointSize(DefaultAlbumFont(5)), 5);    // -7 pixels: 5.25
}

TEST(FontDescription, BoldOnlyAboveNormalWeight)
{
    TextFont font;
    font.faceName = "Arial";
    font.height = -13;
    EXPECT_EQ(DescribeFont(font, false), "Arial\nTaille : 10,  Gras : non,  Italique : non.");
    font.weight = 401;
    EXPECT_EQ(DescribeFont(font, false), "Arial\nTaille : 10,  Gras : oui,  Italique : non.");
}

}  // namespace
}  // namespace lumora
