#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include "core/picture/app_palette.h"
#include "gui/platform/dib_painter.h"
#include "support/test_support.h"

namespace lumora {
namespace {

// A 4 x 3 true-colour picture whose pixel (x, y from the top) is
// (x * 60, y * 100, 7).
Picture Gradient()
{
    return test::MakeRgbPicture(4, 3, [](int x, int memoryRow) {
        const int y = 2 - memoryRow;
        return ColorTriple{static_cast<uint8_t>(x * 60), static_cast<uint8_t>(y * 100), 7};
    });
}

QRgb Expected(int x, int y)
{
    return qRgb(x * 60, y * 100, 7);
}

TEST(DibToImage, EveryDepthUpright)
{
    const QImage rgb = DIBToQImage(Gradient());
    ASSERT_EQ(rgb.size(), QSize(4, 3));
    EXPECT_EQ(rgb.pixel(0, 0), Expected(0, 0));
    EXPECT_EQ(rgb.pixel(3, 2), Expected(3, 2));

    Picture four = Picture::Make(3, 2, 4);
    four.Pixels()[0] = 0x9C;  // bottom row: bright red, bright blue
    const QImage indexed = DIBToQImage(four);
    EXPECT_EQ(indexed.pixel(0, 1), qRgb(255, 0, 0));
    EXPECT_EQ(indexed.pixel(1, 1), qRgb(0, 0, 255));
    EXPECT_EQ(indexed.pixel(0, 0), qRgb(0, 0, 0));

    EXPECT_TRUE(DIBToQImage(Picture{}).isNull());

    // And back: the same pixels as a 24-bit block.
    const Picture back = QImageToDIB(rgb);
    ASSERT_TRUE(back);
    EXPECT_TRUE(std::equal(back.Bytes().begin(), back.Bytes().end(), Gradient().Bytes().begin()));
}

TEST(DrawDib, OneToOneAndStretchedWithNearestPixels)
{
    QImage canvas(8, 6, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        EXPECT_TRUE(DrawDIB(painter, QRect(0, 0, 8, 6), Gradient(), QRect(0, 0, 4, 3), nullptr));
        EXPECT_FALSE(DrawDIB(painter, QRect(0, 0, 8, 6), Picture{}, QRect(0, 0, 4, 3), nullptr));
    }
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(canvas.pixel(x, y), Expected(x / 2, y / 2)) << x << "," << y;
}

TEST(RenderDibInto, InclusiveRectanglesSourceCountedFromTheBottom)
{
    QPixmap target(4, 3);
    target.fill(Qt::black);
    // Source rows 1..2 from the bottom are the top two rows of the picture.
    ASSERT_TRUE(RenderDIBInto(Gradient(), target, &AppPalette(), {1, 1, 2, 2}, {0, 0, 1, 1}));
    const QImage out = target.toImage();
    EXPECT_EQ(out.pixel(0, 0), Expected(1, 0));
    EXPECT_EQ(out.pixel(1, 1), Expected(2, 1));
    EXPECT_EQ(out.pixel(2, 0), qRgb(0, 0, 0));  // outside the inclusive rectangle
}

TEST(RenderDibInto, DestinationRightOfLeftMirrors)
{
    QPixmap target(4, 3);
    target.fill(Qt::black);
    // Size -4 across: from column 3 leftward over four columns, as (256, -2)
    // covers a 257-pixel page.
    ASSERT_TRUE(RenderDIBInto(Gradient(), target, nullptr, {0, 0, 3, 2}, {3, 0, -2, 2}));
    const QImage out = target.toImage();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            ASSERT_EQ(out.pixel(x, y), Expected(3 - x, y)) << x << "," << y;
}

TEST(DrawFittedPicture, KeepsProportionsAndCentres)
{
    EXPECT_EQ(FittedSize(185, 140, 400, 300), QSize(185, 138));
    EXPECT_EQ(FittedSize(185, 140, 300, 400), QSize(105, 140));
    EXPECT_EQ(FittedSize(100, 100, 0, 5), QSize(0, 0));

    Dib picture;
    picture.Attach(test::MakeRgbPicture(40, 20, [](int, int) { return ColorTriple{200, 10, 10}; }));
    QImage canvas(60, 60, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        DrawFitted(picture, painter, 10, 10, 40, 40);
    }
    // 40 x 20 fitted into 40 x 40: rows 20..39 on the canvas.
    EXPECT_EQ(canvas.pixel(30, 19), qRgb(255, 255, 255));
    EXPECT_EQ(canvas.pixel(30, 20), qRgb(200, 10, 10));
    EXPECT_EQ(canvas.pixel(30, 39), qRgb(200, 10, 10));
    EXPECT_EQ(canvas.pixel(30, 40), qRgb(255, 255, 255));
}

TEST(DrawFittedPicture, On256ColourScreensTrueColourGoesThroughTheAppPalette)
{
    qputenv("LUMORA_SCREEN_DEPTH", "8");
    Dib picture;
    picture.Attach(test::MakeRgbPicture(16, 16, [](int, int) { return ColorTriple{100, 200, 30}; }));
    QImage canvas(16, 16, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    {
        QPainter painter(&canvas);
        DrawFitted(picture, painter, 0, 0, 16, 16);
    }
    qunsetenv("LUMORA_SCREEN_DEPTH");
    bool allOnPalette = true, sawDither = false;
    const QRgb first = canvas.pixel(0, 0);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const QRgb c = canvas.pixel(x, y);
            sawDither |= c != first;
            bool found = false;
            for (const ColorTriple& e : kAppPaletteColors)
                found |= qRgb(e.red, e.green, e.blue) == c;
            allOnPalette &= found;
        }
    EXPECT_TRUE(allOnPalette);
    EXPECT_TRUE(sawDither);  // (100, 200, 30) lies between cube colours
}

}  // namespace
}  // namespace lumora
