// Pixels of the drawn album, checked against where the book geometry and
// the page layouts put things. The book pictures used here encode their own
// coordinates in every pixel, so that each copy can be traced to its source.
#include "core/album/album_layout.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include "support/test_support.h"
#include "core/layout/book_geometry.h"
#include "gui/album/album_painter.h"
#include "gui/album/fast_bitmap.h"
#include "gui/album/text_drawing.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

constexpr QSize kBookClient(580, 392);

// Pixel (x, y) of a book picture: the picture's tag in the top bits of red,
// the coordinates' high bits below it, their low bytes in green and blue.
QRgb Encoded(int tag, int x, int y)
{
    return qRgb(tag << 4 | (x >> 8) << 2 | (y >> 8), x & 0xFF, y & 0xFF);
}

QPixmap EncodedPicture(int tag, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, Encoded(tag, x, y));
    return QPixmap::fromImage(image);
}

enum Tag { kCoverTag = 1, kOpenTag = 2, kLeftTag = 3, kRightTag = 4 };

const BookPictures& TestBook()
{
    static const BookPictures book{EncodedPicture(kCoverTag, 265, 372), EncodedPicture(kOpenTag, 560, 372),
                                   EncodedPicture(kLeftTag, 257, 356), EncodedPicture(kRightTag, 257, 356), {}};
    return book;
}

constexpr QRgb kPhotoColor = 0xFF2040E0;

Picture SolidPicture(int width, int height)
{
    return test::MakeRgbPicture(width, height, [](int, int) { return ColorTriple{0x20, 0x40, 0xE0}; });
}

std::unique_ptr<AlbumItem> Photo(int width, int height, int tab = 0)
{
    auto item = std::make_unique<AlbumItem>("photo.bmp");
    item->preview.Attach(SolidPicture(width, height));
    item->tabIndex = static_cast<int16_t>(tab);
    return item;
}

std::unique_ptr<AlbumItem> Text(const std::string& text, int tab = 0)
{
    auto item = std::make_unique<AlbumItem>(text, DefaultAlbumFont(12), 0x000000);
    item->tabIndex = static_cast<int16_t>(tab);
    return item;
}

class AlbumRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.Clear();
        EditSettings(doc, [&](AlbumSettings& s) { s.title = "Vacances"; });
        EditSettings(doc, [&](AlbumSettings& s) { s.headerTitle = 0; });
        EditSettings(doc, [&](AlbumSettings& s) { s.pageNumbers = 0; });
    }

    QImage Render(int position, int selection = 0, QSize client = kBookClient,
                  AlbumDrawOptions options = {true, false})
    {
        doc.Paginate();
        QImage image(client, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        AlbumPainter(&doc, TestBook(), options).OnDraw(painter, client, {position, selection});
        return image;
    }

    // The page picture's own pixel under view pixel (x, y) of a book at 0,0.
    static QRgb PageAt(int page, int x, int y)
    {
        return IsRightPage(page) ? Encoded(kRightTag, x - 297, y - 18) : Encoded(kLeftTag, x - 26, y - 18);
    }

    // Pixels of `box` that are not the page picture's.
    static int InkIn(const QImage& image, int page, const Rect& box)
    {
        int ink = 0;
        for (int y = box.top; y < box.bottom; ++y)
            for (int x = box.left; x < box.right; ++x)
                ink += image.pixel(x, y) != PageAt(page, x, y);
        return ink;
    }

    // Where the item's photo lies in the view (book at 0,0).
    QRect PhotoRect(int item) const
    {
        const ItemRect& r = doc.Items()[static_cast<size_t>(item)]->displayRect;
        return QRect(QPoint(r.left + 26, r.top + 18), QPoint(r.right + 25, r.bottom + 17));
    }

    AlbumDocument doc;
};

TEST_F(AlbumRender, DeskShadowIsTheDeskColourDarkenedBy64)
{
    EXPECT_EQ(DeskShadowColor(QColor(0x40, 0x40, 0x40)), QColor(Qt::black));
    EXPECT_EQ(DeskShadowColor(ColorFromRef(0x808000)), ColorFromRef(0x404000));
    EXPECT_EQ(DeskShadowColor(QColor(65, 200, 10)), QColor(1, 136, 0));

    EditSettings(doc, [&](AlbumSettings& s) { s.deskColor = 0x808000; });
    const QImage open = Render(0);
    const QRgb desk = ColorFromRef(0x808000).rgb(), shadow = ColorFromRef(0x404000).rgb();
    EXPECT_EQ(open.pixel(5, 5), desk);
    EXPECT_EQ(open.pixel(572, 200), shadow);   // right of the open book
    EXPECT_EQ(open.pixel(300, 385), shadow);   // under it
    EXPECT_EQ(open.pixel(572, 12), desk);      // the shadow starts 5 pixels down
    EXPECT_EQ(open.pixel(577, 200), desk);
    EXPECT_EQ(open.pixel(300, 389), desk);

    const QImage cover = Render(-2);
    EXPECT_EQ(cover.pixel(407, 200), shadow);
    EXPECT_EQ(cover.pixel(200, 384), shadow);
    EXPECT_EQ(cover.pixel(142, 384), desk);
    EXPECT_EQ(cover.pixel(100, 200), desk);    // beside the closed cover

    const QImage noShadow = Render(0, 0, kBookClient, {false, false});
    EXPECT_EQ(noShadow.pixel(572, 200), desk);
    EXPECT_EQ(noShadow.pixel(300, 385), desk);
}

TEST_F(AlbumRender, DarkDeskCastsABlackShadow)
{
    EditSettings(doc, [&](AlbumSettings& s) { s.deskColor = 0x404040; });
    const QImage image = Render(-2);
    EXPECT_EQ(image.pixel(407, 200), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(50, 50), qRgb(0x40, 0x40, 0x40));
}

TEST_F(AlbumRender, BookIsCentredInLargeWindowsAndAtTheOriginInSmallOnes)
{
    const QImage large = Render(-2, 0, QSize(800, 600));
    const QPoint origin(110, 104);
    EXPECT_EQ(large.pixel(origin + QPoint(140, 10)), Encoded(kCoverTag, 0, 0));
    EXPECT_EQ(large.pixel(origin + QPoint(404, 381)), Encoded(kCoverTag, 264, 371));
    EXPECT_EQ(large.pixel(origin + QPoint(139, 10)), ColorFromRef(doc.Settings().deskColor).rgb());
    // The desk reaches every corner of the window.
    EXPECT_EQ(large.pixel(799, 599), ColorFromRef(doc.Settings().deskColor).rgb());
    EXPECT_EQ(large.pixel(0, 0), ColorFromRef(doc.Settings().deskColor).rgb());

    const QImage small = Render(-2, 0, QSize(400, 300));
    EXPECT_EQ(small.pixel(140, 10), Encoded(kCoverTag, 0, 0));
    EXPECT_EQ(small.pixel(399, 299), Encoded(kCoverTag, 259, 289));
}

TEST_F(AlbumRender, OpenBookIsPiecedAroundThePages)
{
    for (int i = 0; i < 5; ++i)
        test::AppendItem(doc, Text("x"));  // Maxi 2+2: pages 0-2, page count 4
    EditSettings(doc, [&](AlbumSettings& s) { s.flyleaf = 1; });

    const QImage flyleaf = Render(-1);
    EXPECT_EQ(flyleaf.pixel(100, 100), Encoded(kOpenTag, 90, 90));   // inside of the front cover
    EXPECT_EQ(flyleaf.pixel(290, 200), Encoded(kOpenTag, 280, 190)); // spine
    EXPECT_EQ(flyleaf.pixel(300, 12), Encoded(kOpenTag, 290, 2));    // right top strip
    EXPECT_EQ(flyleaf.pixel(560, 100), Encoded(kOpenTag, 550, 90));  // right edge strip
    EXPECT_EQ(flyleaf.pixel(400, 378), Encoded(kOpenTag, 390, 368)); // right bottom strip
    EXPECT_EQ(flyleaf.pixel(310, 200), Encoded(kRightTag, 13, 182)); // flyleaf page

    const QImage first = Render(0);
    EXPECT_EQ(first.pixel(12, 100), Encoded(kOpenTag, 2, 90));       // left edge strip
    EXPECT_EQ(first.pixel(100, 12), Encoded(kOpenTag, 90, 2));       // left top strip
    EXPECT_EQ(first.pixel(100, 378), Encoded(kOpenTag, 90, 368));    // left bottom strip
    EXPECT_EQ(first.pixel(30, 200), Encoded(kLeftTag, 4, 182));      // back of the flyleaf
    EXPECT_EQ(first.pixel(290, 200), Encoded(kOpenTag, 280, 190));

    const QImage last = Render(4);
    EXPECT_EQ(last.pixel(30, 360), Encoded(kLeftTag, 4, 342));       // page 3
    EXPECT_EQ(last.pixel(400, 100), Encoded(kOpenTag, 390, 90));     // inside of the back cover

    EditSettings(doc, [&](AlbumSettings& s) { s.flyleaf = 0; });
    const QImage noFlyleaf = Render(0);
    EXPECT_EQ(noFlyleaf.pixel(100, 100), Encoded(kOpenTag, 90, 90));
    EXPECT_EQ(noFlyleaf.pixel(540, 30), PageAt(0, 540, 30));
}

TEST_F(AlbumRender, PageTitlesAndNumbersOnlyWhenTheAlbumShowsThem)
{
    test::AppendItem(doc, Text(""));
    test::AppendItem(doc, Text(""));
    test::AppendItem(doc, Text(""));  // page 1 on the left of position 2
    const QImage bare = Render(2);
    EXPECT_EQ(InkIn(bare, 1, kLeftPageTitleBox), 0);
    EXPECT_EQ(InkIn(bare, 1, kLeftPageNumberBox), 0);

    EditSettings(doc, [&](AlbumSettings& s) { s.headerTitle = 1; });
    const QImage titled = Render(2);
    EXPECT_GT(InkIn(titled, 1, kLeftPageTitleBox), 20);
    EXPECT_EQ(InkIn(titled, 1, kLeftPageNumberBox), 0);

    EditSettings(doc, [&](AlbumSettings& s) { s.headerTitle = 0; });
    EditSettings(doc, [&](AlbumSettings& s) { s.pageNumbers = 1; });
    const QImage numbered = Render(2);
    EXPECT_EQ(InkIn(numbered, 1, kLeftPageTitleBox), 0);
    EXPECT_GT(InkIn(numbered, 1, kLeftPageNumberBox), 20);
}

class TabbedAlbum : public AlbumRender {
protected:
    void SetUp() override
    {
        AlbumRender::SetUp();
        EditSettings(doc, [&](AlbumSettings& s) { s.useTabs = 1; });
        const Rgb colors[] = {0x0000FF, 0x00FF00, 0xFF0000};
        for (int t = 0; t < 3; ++t) {
            auto tab = std::make_unique<SectionTab>("", t);
            tab->tabColor = colors[t];
            if (t == 0)
                doc.Perform(MakeTabChange(doc, 0, "", tab->tabColor, tab->nameColor));
            else
                test::AppendTab(doc, std::move(tab));
            test::AppendItem(doc, Text("", t));  // sections start on pages 0, 2 and 4
        }
    }
    QRgb TabColor(int tab) const { return ColorFromRef(doc.Tabs()[static_cast<size_t>(tab)]->tabColor).rgb(); }
};

TEST_F(TabbedAlbum, TabsStandInTheirSlotsOnBothEdges)
{
    const QImage first = Render(0);
    // Right column: tabs 0, 1, 2 in slots 4, 5, 6, drawn from the last so
    // that the current section's tab lies over the ends of the others.
    for (int tab = 0; tab < 3; ++tab) {
        const int base = 85 * tab;
        EXPECT_EQ(first.pixel(556, base + 60), TabColor(tab)) << tab;
        EXPECT_EQ(first.pixel(554, base + 110), TabColor(tab)) << tab;  // the longest row
        EXPECT_NE(first.pixel(555, base + 110), TabColor(tab)) << tab;
        EXPECT_NE(first.pixel(566, base + 60), TabColor(tab)) << tab;   // body stops 1 short
        EXPECT_EQ(first.pixel(554, base + 20), TabColor(tab == 0 ? 0 : tab - 1)) << tab;
    }
    EXPECT_EQ(first.pixel(556, 255 + 60), Encoded(kOpenTag, 546, 255 + 60 - 10));  // slot 7 empty
    EXPECT_EQ(first.pixel(15, 60), Encoded(kOpenTag, 5, 50));  // no left column

    const QImage third = Render(4);
    // Sections passed stand on the left: tabs 0 and 1 in slots 0 and 1.
    EXPECT_EQ(third.pixel(20, 60), TabColor(0));
    EXPECT_EQ(third.pixel(20, 85 + 60), TabColor(1));
    EXPECT_EQ(third.pixel(25, 85 + 20), TabColor(1));
    EXPECT_NE(third.pixel(24, 85 + 20), TabColor(1));
    EXPECT_EQ(third.pixel(556, 170 + 60), TabColor(2));
    EXPECT_EQ(third.pixel(556, 60), Encoded(kOpenTag, 546, 50));
}

TEST_F(TabbedAlbum, SectionMarkerBarsWithTheirSteppedRows)
{
    const QImage image = Render(2);  // page 1 (back of tab 0's sheet), page 2 (tab 1 starts)
    const QRgb right = TabColor(1), left = TabColor(0);
    for (int y : {18, 200, 356})
        for (int x = 550; x < 554; ++x)
            EXPECT_EQ(image.pixel(x, y), right) << x << "," << y;
    EXPECT_EQ(image.pixel(549, 200), PageAt(2, 549, 200));
    EXPECT_EQ(image.pixel(552, 357), right);
    EXPECT_NE(image.pixel(553, 357), right);
    EXPECT_EQ(image.pixel(551, 358), right);
    EXPECT_NE(image.pixel(552, 358), right);
    EXPECT_EQ(image.pixel(550, 359), right);
    EXPECT_NE(image.pixel(551, 359), right);
    EXPECT_NE(image.pixel(550, 360), right);

    for (int x = 26; x < 30; ++x)
        EXPECT_EQ(image.pixel(x, 100), left) << x;
    EXPECT_EQ(image.pixel(30, 100), PageAt(1, 30, 100));
    EXPECT_NE(image.pixel(26, 357), left);
    EXPECT_EQ(image.pixel(27, 357), left);
    EXPECT_NE(image.pixel(27, 358), left);
    EXPECT_EQ(image.pixel(28, 358), left);
    EXPECT_EQ(image.pixel(29, 359), left);
    EXPECT_NE(image.pixel(28, 359), left);
    EXPECT_NE(image.pixel(29, 360), left);

    // Page 3 is the back of tab 1's first sheet, page 4 starts tab 2.
    const QImage next = Render(4);
    EXPECT_EQ(next.pixel(27, 100), right);
    EXPECT_EQ(next.pixel(552, 100), TabColor(2));
    // A section running over several sheets: its later sheets carry no bar.
    for (int i = 0; i < 4; ++i)
        test::InsertItemAt(doc, 0, Text("", 0));  // tab 0 on pages 0-2
    const QImage middle = Render(2);
    EXPECT_EQ(middle.pixel(27, 100), left);
    EXPECT_EQ(middle.pixel(552, 100), PageAt(2, 552, 100));
    const QImage later = Render(4);
    EXPECT_EQ(later.pixel(27, 100), PageAt(3, 27, 100));
    EXPECT_EQ(later.pixel(552, 100), right);
}

class FramedPhoto : public AlbumRender {
protected:
    QImage RenderPhoto(int width, int height, int16_t style)
    {
        EditSettings(doc, [&](AlbumSettings& s) { s.frameStyle = static_cast<FrameStyle>(style); });
        test::AppendItem(doc, Photo(width, height));
        return Render(0, -1);
    }
};

TEST_F(FramedPhoto, PositioningCornersPutThePageBackOverThePhoto)
{
    const QImage image = RenderPhoto(40, 30, 1);
    const QRect photo = PhotoRect(0);
    const int L = photo.left(), T = photo.top(), R = photo.right() + 1, B = photo.bottom() + 1;
    const QRgb black = qRgb(0, 0, 0), grey = kFrameGrey;
    // Triangles of the page at each corner, the photo beyond them.
    EXPECT_EQ(image.pixel(L, T), PageAt(0, L, T));
    EXPECT_EQ(image.pixel(L + 1, T + 1), PageAt(0, L + 1, T + 1));
    EXPECT_EQ(image.pixel(R - 1, T), PageAt(0, R - 1, T));
    EXPECT_EQ(image.pixel(L, B - 1), PageAt(0, L, B - 1));
    EXPECT_EQ(image.pixel(R - 1, B - 1), PageAt(0, R - 1, B - 1));
    EXPECT_EQ(image.pixel(L + 4, T + 4), kPhotoColor);
    EXPECT_EQ(image.pixel(R - 5, B - 5), kPhotoColor);
    EXPECT_EQ(image.pixel(L + 20, T + 15), kPhotoColor);
    // Lines across the corners with grey ends.
    EXPECT_EQ(image.pixel(L - 2, T + 6), grey);
    EXPECT_EQ(image.pixel(L + 2, T + 2), black);
    EXPECT_EQ(image.pixel(L + 6, T - 2), grey);
    EXPECT_EQ(image.pixel(L + 7, T - 3), PageAt(0, L + 7, T - 3));
    EXPECT_EQ(image.pixel(R - 7, T - 2), grey);
    EXPECT_EQ(image.pixel(R - 3, T + 2), black);
    EXPECT_EQ(image.pixel(R + 1, T + 6), grey);
    EXPECT_EQ(image.pixel(L - 2, B - 7), grey);
    EXPECT_EQ(image.pixel(L + 2, B - 3), black);
    EXPECT_EQ(image.pixel(L + 6, B + 1), grey);
    EXPECT_EQ(image.pixel(R - 7, B + 1), grey);
    EXPECT_EQ(image.pixel(R - 3, B - 3), black);
    EXPECT_EQ(image.pixel(R + 1, B - 7), grey);
}

TEST_F(FramedPhoto, CornersOfAPhotoSmallerThanTheirSquares)
{
    const QImage image = RenderPhoto(3, 3, 1);
    const QRect photo = PhotoRect(0);
    ASSERT_EQ(photo.size(), QSize(3, 3));
    // The four 5 x 5 squares overlap the whole photo: none of it is left.
    for (int y = photo.top(); y <= photo.bottom(); ++y)
        for (int x = photo.left(); x <= photo.right(); ++x)
            EXPECT_NE(image.pixel(x, y), kPhotoColor) << x << "," << y;
    // Around it the page is unchanged except on the corner lines.
    EXPECT_EQ(image.pixel(photo.left() - 3, photo.top() + 1), PageAt(0, photo.left() - 3, photo.top() + 1));
    EXPECT_EQ(image.pixel(photo.left() - 2, photo.top()), qRgb(0, 0, 0));  // top-right line
    EXPECT_EQ(image.pixel(photo.left() - 2, photo.top() + 6), kFrameGrey);
}

TEST_F(FramedPhoto, ShadowedPhotoCastsATwoPixelShadow)
{
    const QImage image = RenderPhoto(40, 30, 2);
    const QRect photo = PhotoRect(0);
    const int L = photo.left(), T = photo.top(), R = photo.right() + 1, B = photo.bottom() + 1;
    EXPECT_EQ(image.pixel(L, T), kPhotoColor);
    EXPECT_EQ(image.pixel(L + 3, B), kFrameGrey);
    EXPECT_EQ(image.pixel(L + 3, B + 1), kFrameGrey);
    EXPECT_EQ(image.pixel(L + 2, B), PageAt(0, L + 2, B));
    EXPECT_EQ(image.pixel(R + 1, B + 1), kFrameGrey);
    EXPECT_EQ(image.pixel(R + 2, B + 1), PageAt(0, R + 2, B + 1));
    EXPECT_EQ(image.pixel(R, T + 3), kFrameGrey);
    EXPECT_EQ(image.pixel(R, T + 2), PageAt(0, R, T + 2));
    EXPECT_EQ(image.pixel(R + 1, B + 2), PageAt(0, R + 1, B + 2));

    const QImage plain = RenderPhoto(40, 30, 0);
    EXPECT_EQ(plain.pixel(L + 3, B), PageAt(0, L + 3, B));
}

TEST_F(FramedPhoto, SelectionMarkSurroundsTheItemAndErasesCleanly)
{
    test::AppendItem(doc, Photo(60, 40));
    test::AppendItem(doc, Photo(60, 40));
    test::AppendItem(doc, Photo(60, 40));  // page 1, the left page at position 2
    QImage image = Render(2, 2);
    const QRect photo = PhotoRect(2);
    auto isMark = [&](int x, int y) {
        const QRgb p = image.pixel(x, y);
        return p == qRgb(0, 0, 0) || p == qRgb(255, 255, 255);
    };
    for (int x = photo.left() - 4; x <= photo.right() + 4; ++x) {
        EXPECT_TRUE(isMark(x, photo.top() - 4)) << x;
        EXPECT_TRUE(isMark(x, photo.bottom() + 3)) << x;
    }
    for (int y = photo.top() - 4; y <= photo.bottom() + 4; ++y) {
        EXPECT_TRUE(isMark(photo.left() - 3, y)) << y;
        EXPECT_TRUE(isMark(photo.right() + 4, y)) << y;
    }
    EXPECT_EQ(image.pixel(photo.left() - 5, photo.top()), PageAt(1, photo.left() - 5, photo.top()));
    EXPECT_EQ(image.pixel(photo.left() - 2, photo.top()), PageAt(1, photo.left() - 2, photo.top()));
    EXPECT_EQ(image.pixel(photo.left(), photo.top() + 5 + 4 + 40), PageAt(1, photo.left(), photo.top() + 49));

    // Nothing selected on this spread draws no mark; erasing gives the same.
    const QImage unselected = Render(2, 0);
    EXPECT_NE(image, unselected);
    {
        QPainter painter(&image);
        AlbumPainter(&doc, TestBook(), {true, false}).DrawItemSelectionMark(painter, {0, 0}, 2, false);
    }
    EXPECT_EQ(image, unselected);

    // An item of another spread leaves no mark here.
    EXPECT_EQ(Render(2, 1), unselected);

    // The same on a right-hand page, whose picture stands 271 pixels further.
    QImage rightSelected = Render(0, 1);
    const QImage rightPlain = Render(0, -1);
    EXPECT_NE(rightSelected, rightPlain);
    {
        QPainter painter(&rightSelected);
        AlbumPainter(&doc, TestBook(), {true, false}).DrawItemSelectionMark(painter, {0, 0}, 1, false);
    }
    EXPECT_EQ(rightSelected, rightPlain);
}

TEST_F(FramedPhoto, ScreenCopiesDrawTheSamePixelsAsPreviews)
{
    EnableFastBitmaps();
    const auto graded = [] {
        return test::MakeRgbPicture(30, 50, [](int x, int y) {
            return ColorTriple{static_cast<uint8_t>(x * 8), static_cast<uint8_t>(y * 5), 0x80};
        });
    };
    auto first = Photo(60, 40);
    auto second = Photo(30, 50);
    second->preview.Attach(graded());
    first->MakeFastBitmap();
    second->MakeFastBitmap();
    test::AppendItem(doc, std::move(first));
    test::AppendItem(doc, std::move(second));
    for (const AlbumItem* item : doc.Items())
        ASSERT_NE(FastBitmapOf(*item), nullptr);
    const QImage fromPreviews = Render(0, 1, kBookClient, {true, false});
    const QImage fromCopies = Render(0, 1, kBookClient, {true, true});
    EXPECT_EQ(fromCopies, fromPreviews);
    // A copy that is not the preview shows: the fast path is the one taken.
    test::RemoveItemsFrom(doc, 0);
    auto plain = Photo(60, 40);  // no copy: drawn from its preview
    auto changed = Photo(30, 50);
    changed->preview.Attach(graded());
    changed->MakeFastBitmap();
    changed->preview.Attach(SolidPicture(30, 50));
    test::AppendItem(doc, std::move(plain));
    test::AppendItem(doc, std::move(changed));
    EXPECT_EQ(Render(0, 1, kBookClient, {true, true}), fromCopies);
    EXPECT_NE(Render(0, 1, kBookClient, {true, false}), fromCopies);
}

TEST_F(AlbumRender, TextItemsAreCutAtTheirBoxBottom)
{
    std::string longText;
    for (int i = 0; i < 200; ++i)
        longText += "mot ";
    test::AppendItem(doc, Text(longText));
    const QImage image = Render(0, -1);
    const Rect box = SlotBox(doc.Layout(), 0, 0).Offset({26, 18});
    EXPECT_GT(InkIn(image, 0, {box.left, box.bottom - 20, box.right, box.bottom}), 50);
    EXPECT_EQ(InkIn(image, 0, {box.left, box.bottom, box.right, box.bottom + 10}), 0);
    EXPECT_EQ(InkIn(image, 0, {box.right, box.top, box.right + 8, box.bottom}), 0);
}

// First and last rows of the cover's title box holding ink of the title colour.
std::pair<int, int> TitleRows(const QImage& image, QRgb color)
{
    int first = -1, last = -1;
    for (int y = kCoverTitleBox.top - 2; y < kCoverTitleBox.bottom + 2; ++y)
        for (int x = kCoverTitleBox.left; x < kCoverTitleBox.right; ++x)
            if (image.pixel(x, y) == color) {
                if (first < 0)
                    first = y;
                last = y;
            }
    return {first, last};
}

TEST_F(AlbumRender, CoverTitleIsCentredVerticallyOnlyWhenItFits)
{
    EditSettings(doc, [&](AlbumSettings& s) { s.titleEffect = TitleEffect::Normal; });
    EditSettings(doc, [&](AlbumSettings& s) { s.titleColor = 0x0000FF; });
    const QRgb red = qRgb(255, 0, 0);
    EditSettings(doc, [&](AlbumSettings& s) { s.title = "Court"; });
    const auto [shortTop, shortBottom] = TitleRows(Render(-2), red);
    ASSERT_GE(shortTop, 0);
    const int above = shortTop - kCoverTitleBox.top, below = kCoverTitleBox.bottom - 1 - shortBottom;
    EXPECT_GT(above, 15);
    EXPECT_NEAR(above, below, 8);

    EditSettings(doc, [&](AlbumSettings& s) { s.title = "Un titre beaucoup trop long pour tenir dans la boîte du titre de la couverture"; });
    const auto [longTop, longBottom] = TitleRows(Render(-2), red);
    EXPECT_LT(longTop - kCoverTitleBox.top, 10);
    EXPECT_LT(longTop, shortTop - 8);
    EXPECT_LT(longBottom, kCoverTitleBox.bottom);  // clipped to the box
}

TEST_F(AlbumRender, EngravedAndEmbossedTitlesEdgeInOppositeDirections)
{
    EditSettings(doc, [&](AlbumSettings& s) { s.title = "IIII"; });
    EditSettings(doc, [&](AlbumSettings& s) { s.titleColor = 0x0000FF; });
    EditSettings(doc, [&](AlbumSettings& s) { s.titleEffect = TitleEffect::Normal; });
    const QImage plain = Render(-2);
    // Where the effect's two copies show (what differs from the plain
    // title): the mean x of the pixels lighter than the plain ones, and of
    // the darker ones. Text is smoothed, so shades are compared, not exact
    // colours.
    auto edges = [&](int effect) {
        EditSettings(doc, [&](AlbumSettings& s) { s.titleEffect = static_cast<TitleEffect>(effect); });
        const QImage image = Render(-2);
        double lightX = 0, darkX = 0;
        int light = 0, dark = 0;
        for (int y = kCoverTitleBox.top; y < kCoverTitleBox.bottom; ++y)
            for (int x = kCoverTitleBox.left; x < kCoverTitleBox.right; ++x) {
                const int change = qGray(image.pixel(x, y)) - qGray(plain.pixel(x, y));
                if (change > 40)
                    lightX += x, ++light;
                else if (change < -40)
                    darkX += x, ++dark;
            }
        EXPECT_GT(light, 0);
        EXPECT_GT(dark, 0);
        return std::pair{lightX / std::max(light, 1), darkX / std::max(dark, 1)};
    };
    const auto [engravedLight, engravedDark] = edges(1);
    EXPECT_LT(engravedDark, engravedLight);  // engraved: black above-left
    const auto [embossedLight, embossedDark] = edges(2);
    EXPECT_LT(embossedLight, embossedDark);  // embossed: white above-left
}

TEST(AlbumRenderNoDocument, FillsTheWindowGrey)
{
    QImage image(300, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    AlbumPainter(nullptr, TestBook(), {}).OnDraw(painter, image.size(), {});
    painter.end();
    EXPECT_EQ(image.pixel(0, 0), kNoDocumentColor);
    EXPECT_EQ(image.pixel(299, 199), kNoDocumentColor);
}

}  // namespace
}  // namespace lumora
