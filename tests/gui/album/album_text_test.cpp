// Album fonts made from LOGFONT values, and text boxes laid out by the
// DrawText format flags.
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "gui/album/text_drawing.h"

namespace lumora {
namespace {

TextFont Font(int height, const std::string& face = "Arial", int weight = 400)
{
    TextFont font;
    font.height = height;
    font.weight = weight;
    font.faceName = face;
    return font;
}

TEST(LogFontToQFont, NegativeHeightIsTheCharacterHeightInPixels)
{
    EXPECT_EQ(QFontFromTextFont(Font(-11)).pixelSize(), 11);
    EXPECT_EQ(QFontFromTextFont(Font(-16, "Times New Roman")).pixelSize(), 16);
}

TEST(LogFontToQFont, PositiveHeightIsTheCellHeight)
{
    for (int cell : {12, 20, 40}) {
        const QFont font = QFontFromTextFont(Font(cell));
        const int height = QFontMetrics(font).height();
        EXPECT_LE(height, cell) << cell;
        EXPECT_GE(height, cell - 3) << cell;
        EXPECT_LT(font.pixelSize(), cell) << cell;  // the em is smaller than the cell
    }
    EXPECT_GT(QFontFromTextFont(Font(0)).pixelSize(), 0);
    // Sizes read from a damaged album stay within reason.
    EXPECT_LE(QFontFromTextFont(Font(-2000000000)).pixelSize(), 1000);
    EXPECT_LE(QFontFromTextFont(Font(2000000000)).pixelSize(), 1000);
}

TEST(LogFontToQFont, StyleFieldsCarryOver)
{
    TextFont logFont = Font(-12, "Arial", 700);
    logFont.italic = true;
    logFont.underline = true;
    logFont.strikeOut = true;
    const QFont font = QFontFromTextFont(logFont);
    EXPECT_EQ(font.weight(), QFont::Bold);
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_TRUE(font.strikeOut());

    const QFont plain = QFontFromTextFont(Font(-12, "Arial", 0));  // "don't care"
    EXPECT_EQ(plain.weight(), QFont::Normal);
    EXPECT_FALSE(plain.italic() || plain.underline() || plain.strikeOut());
    EXPECT_EQ(QFontFromTextFont(Font(-12, "Arial", 1000)).weight(), QFont::Black);
}

TEST(LogFontToQFont, WindowsFacesResolveToTheirMetricTwins)
{
    EXPECT_EQ(ResolveFaceName("Times New Roman"), "Liberation Serif");
    EXPECT_EQ(ResolveFaceName("times new roman"), "Liberation Serif");
    EXPECT_EQ(ResolveFaceName("Arial"), "Liberation Sans");
    EXPECT_EQ(ResolveFaceName("Courier New"), "Liberation Mono");
    EXPECT_EQ(ResolveFaceName("DejaVu Sans"), "DejaVu Sans");
    // The twins are installed, so the fonts really are them.
    EXPECT_EQ(QFontInfo(QFontFromTextFont(Font(-12, "Times New Roman"))).family(), "Liberation Serif");
    EXPECT_EQ(QFontInfo(QFontFromTextFont(Font(-12, "Arial"))).family(), "Liberation Sans");
}

// Text drawn black on white in a box of an image larger than it, so that
// ink outside the box can be seen.
class TextBox : public ::testing::Test {
protected:
    TextBox() : image(300, 200, QImage::Format_RGB32)
    {
        image.fill(Qt::white);
        font = QFontFromTextFont(Font(-14));
    }

    QRect Draw(const QString& text, unsigned format)
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        return DrawTextFormatted(painter, box, text, format);
    }

    QRect Measure(const QString& text, unsigned format)
    {
        QPainter painter(&image);
        painter.setFont(font);
        return DrawTextFormatted(painter, box, text, format | kTextCalcRect);
    }

    // Bounding box of the dark pixels, or null.
    QRect Ink() const
    {
        QRect ink;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    ink |= QRect(x, y, 1, 1);
        return ink;
    }

    QImage image;
    QFont font;
    QRect box{50, 40, 200, 60};
};

TEST_F(TextBox, CentredFormatCentresEachLine)
{
    Draw("Centre", kCentredWrapped);
    const QRect ink = Ink();
    ASSERT_FALSE(ink.isNull());
    const int leftGap = ink.left() - box.left(), rightGap = box.right() - ink.right();
    EXPECT_NEAR(leftGap, rightGap, 3);
    EXPECT_GT(leftGap, 50);
    EXPECT_LE(ink.top() - box.top(), 6);  // no vertical centring
}

TEST_F(TextBox, LeftFormatStartsAtTheLeftEdge)
{
    Draw("Gauche", kLeftWrapped);
    const QRect ink = Ink();
    ASSERT_FALSE(ink.isNull());
    EXPECT_LE(ink.left() - box.left(), 2);
    EXPECT_GE(ink.left(), box.left());
}

TEST_F(TextBox, WordBreakWrapsAndClipsAtTheBox)
{
    const QString text = "un deux trois quatre cinq six sept huit neuf dix onze douze treize quatorze "
                         "quinze seize dix-sept dix-huit dix-neuf vingt vingt-et-un vingt-deux";
    const int lineHeight = QFontMetrics(font).height();
    const QRect measured = Measure(text, kCentredWrapped);
    EXPECT_EQ(measured.topLeft(), box.topLeft());
    EXPECT_GE(measured.height(), 3 * lineHeight);  // wrapped onto several lines
    EXPECT_LE(measured.width(), box.width());
    EXPECT_EQ(measured.height() % lineHeight, 0);

    Draw(text, kCentredWrapped);
    const QRect ink = Ink();
    EXPECT_TRUE(box.contains(ink)) << ink.bottom() << " " << box.bottom();
    EXPECT_GE(ink.bottom(), box.bottom() - lineHeight);  // cut, not dropped

    image.fill(Qt::white);
    Draw(text, kCentredWrapped | kTextNoClip);
    EXPECT_GT(Ink().bottom(), box.bottom());
}

TEST_F(TextBox, MeasuringDrawsNothing)
{
    const QRect one = Measure("Une ligne", kCentredWrapped);
    EXPECT_EQ(one.height(), QFontMetrics(font).height());
    EXPECT_TRUE(Ink().isNull());
}

TEST_F(TextBox, AmpersandsShowWithoutPrefixProcessing)
{
    // With prefix processing "&a" is an underlined a; without, both show.
    const int literal = Measure("&&&&", kCentredWrapped).width();
    const int prefixed = Measure("&&&&", kTextCenter | kTextWordBreak).width();
    EXPECT_GT(literal, prefixed);
}

}  // namespace
}  // namespace lumora
