// The book's artwork drawn finer for zoomed books and dense screens: the
// level a painting takes, the finer pictures cut like the classic ones, and
// the classic pictures untouched at one device pixel per book pixel.
#include "core/album/album_layout.h"

#include <QImage>
#include <cmath>
#include <gtest/gtest.h>

#include "core/album/album_document.h"
#include "gui/album/album_picture.h"
#include "gui/album/book_pictures.h"
#include "gui/album/sharp_book.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

TEST(BookLevel, IsTheNextWholeNumberOfDevicePixelsPerBookPixel)
{
    const std::pair<double, int> table[] = {
        {0.5, 1},  {1.0, 1},  {1.0004, 1}, {1.25, 2}, {1.5, 2}, {2.0, 2},   {2.0004, 2},
        {2.5, 3},  {3.6, 4},  {4.0, 4},    {4.125, 5}, {5.5, 6}, {8.0, 8}, {12.0, 8},
    };
    for (const auto& [scale, level] : table)
        EXPECT_EQ(BookLevelForScale(scale), level) << scale;
}

const BookPictures& Book()
{
    static const BookPictures book = *LoadBookPictures("/nonexistent/", 24, {});
    return book;
}

// The mean light of 8 x 8 blocks of two pictures of one size: the mean and
// the largest difference.
struct BlockDifference {
    double mean = 0, largest = 0;
};
BlockDifference CompareBlocks(const QImage& a, const QImage& b)
{
    BlockDifference d;
    int blocks = 0;
    for (int by = 0; by + 8 <= a.height(); by += 8)
        for (int bx = 0; bx + 8 <= a.width(); bx += 8) {
            double sa = 0, sb = 0;
            for (int y = by; y < by + 8; ++y)
                for (int x = bx; x < bx + 8; ++x) {
                    sa += qGray(a.pixel(x, y));
                    sb += qGray(b.pixel(x, y));
                }
            const double difference = std::abs(sa - sb) / 64;
            d.mean += difference;
            d.largest = std::max(d.largest, difference);
            ++blocks;
        }
    d.mean /= std::max(blocks, 1);
    return d;
}

// Each finer picture, brought back to the classic size, is the classic
// picture: the pieces cut and placed by the same table (a copy shifted or
// not mirrored shows as blocks of leather on paper, steel on leather).
TEST(SharpBook, FinerPicturesAreTheClassicOnesDrawnFiner)
{
    ASSERT_TRUE(Book().sharper);
    const auto sharp = SharpBook::FromResources();
    ASSERT_TRUE(sharp);
    const BookPictures* finer = sharp->AtLevel(3);
    ASSERT_NE(finer, nullptr);
    const std::pair<const QPixmap*, const QPixmap*> pairs[] = {{&Book().cover, &finer->cover},
                                                               {&Book().openBook, &finer->openBook},
                                                               {&Book().leftPage, &finer->leftPage},
                                                               {&Book().rightPage, &finer->rightPage}};
    for (const auto& [classic, fine] : pairs) {
        SCOPED_TRACE(classic->width());
        EXPECT_EQ(fine->size(), classic->size() * 3);
        EXPECT_EQ(fine->devicePixelRatio(), 3.0);
        const QImage reduced = fine->toImage().scaled(classic->size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const BlockDifference d = CompareBlocks(reduced, classic->toImage());
        EXPECT_LT(d.mean, 4.0);
        EXPECT_LT(d.largest, 25.0);
    }
}

TEST(SharpBook, KeepsTheTwoLevelsUsedLastAndRefusesWhatItCannotMake)
{
    const auto made = SharpBook::FromResources();
    ASSERT_TRUE(made);
    SharpBook& sharp = *made;
    EXPECT_EQ(sharp.AtLevel(1), nullptr);  // the classic pictures are not its own
    EXPECT_EQ(sharp.AtLevel(kSharpBookScale + 1), nullptr);
    const BookPictures* two = sharp.AtLevel(2);
    ASSERT_NE(two, nullptr);
    ASSERT_NE(sharp.AtLevel(3), nullptr);
    EXPECT_EQ(sharp.AtLevel(2), two);  // kept, not made again
    EXPECT_EQ(sharp.LevelsHeld(), (std::vector<int>{2, 3}));
    ASSERT_NE(sharp.AtLevel(4), nullptr);
    EXPECT_EQ(sharp.LevelsHeld(), (std::vector<int>{4, 2}));

    // Pieces that are not the book's pictures give nothing, and the book
    // is drawn with its classic pictures.
    BookPictures damaged = Book();
    damaged.sharper = std::make_shared<SharpBook>(SharpBook::Pieces{"x", "y", "z", "w", "v"});
    EXPECT_EQ(damaged.sharper->AtLevel(2), nullptr);
    EXPECT_EQ(&PicturesForScale(damaged, 2.0), &damaged);
}

std::shared_ptr<AlbumDocument> SpreadWithTabs()
{
    auto doc = std::make_shared<AlbumDocument>();
    doc->Clear();
    for (int i = 0; i < 4; ++i)
        test::AppendItem(*doc, std::make_unique<AlbumItem>("texte", DefaultAlbumFont(12), 0));
    return doc;
}

// The window drawn at each zoom and ratio takes its level of artwork; at
// one device pixel per book pixel it is the classic picture, pixel for
// pixel, and at two the level-2 picture, copied pixel for pixel into place.
TEST(SharpBook, EachPaintingDrawsWithTheLevelOfItsScale)
{
    const auto doc = SpreadWithTabs();
    const AlbumDrawOptions options{true, false};
    BookPictures classicOnly = Book();
    classicOnly.sharper = nullptr;
    struct Row {
        double zoom, ratio;
        std::vector<int> levels;
    };
    const Row rows[] = {{1.0, 1.0, {}}, {0.5, 2.0, {}}, {1.0, 2.0, {2}}, {2.5, 1.0, {3}}, {1.8, 2.0, {4}}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.zoom * row.ratio);
        BookPictures book = Book();
        book.sharper = SharpBook::FromResources();
        const QSize client(static_cast<int>(600 * row.zoom), static_cast<int>(410 * row.zoom));
        const AlbumWindowPicture window{client, {false, row.zoom}, row.ratio};
        const QImage drawn = DrawAlbumWindow(*doc, book, options, window, {2, 0});
        EXPECT_EQ(book.sharper->LevelsHeld(), row.levels);
        if (row.levels.empty()) {
            EXPECT_EQ(drawn, DrawAlbumWindow(*doc, classicOnly, options, window, {2, 0}));
        }
        if (row.zoom * row.ratio != 2.0)
            continue;
        // The spine (open-book columns 273 to 286, drawn at book column
        // 283), rows 100 to 199, in device pixels.
        const QImage openBook = book.sharper->AtLevel(2)->openBook.toImage();
        const int left = (drawn.width() - 2 * 580) / 2, top = (drawn.height() - 2 * 392) / 2;
        int differing = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 28; ++x)
                differing += drawn.pixel(left + 2 * 283 + x, top + 2 * 110 + y) != openBook.pixel(2 * 273 + x, 2 * 100 + y);
        EXPECT_EQ(differing, 0);
    }
}

}  // namespace
}  // namespace lumora
