#include <gtest/gtest.h>

#include "gui/album/book_pictures.h"
#include "support/test_support.h"

namespace lumora {
namespace {

// A piece whose pixel (x, y from the top) encodes its piece number, its
// column and its row, so every copy can be traced back to its source.
Picture Piece(int number, int width, int height)
{
    return test::MakeRgbPicture(width, height, [=](int x, int memoryRow) {
        const int y = height - 1 - memoryRow;
        return ColorTriple{static_cast<uint8_t>(number * 40), static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
    });
}

QRgb From(int number, int x, int y)
{
    return qRgb(number * 40, x & 0xFF, y & 0xFF);
}

std::array<Picture, kBookPieceCount> Pieces(int edgeWidth = 24)
{
    std::array<Picture, kBookPieceCount> pieces;
    pieces[kLeather] = Piece(1, 250, 372);
    pieces[kSpine] = Piece(2, 54, 372);
    pieces[kPage] = Piece(3, 282, 356);
    pieces[kEdge] = Piece(4, edgeWidth, 372);
    pieces[kTitlePlate] = Piece(5, 166, 122);
    return pieces;
}

TEST(BookPicturesFromPieces, EachPieceLandsWhereTheBookNeedsIt)
{
    const auto pictures = ComposeFromPieces(Pieces());
    ASSERT_TRUE(pictures.has_value());
    EXPECT_EQ(pictures->cover.size(), QSize(265, 372));
    EXPECT_EQ(pictures->openBook.size(), QSize(560, 372));
    const QImage cover = pictures->cover.toImage();
    EXPECT_EQ(cover.pixel(0, 0), From(4, 0, 0));        // edge
    EXPECT_EQ(cover.pixel(12, 100), From(1, 0, 100));   // leather
    EXPECT_EQ(cover.pixel(263, 5), From(4, 20, 5));     // edge columns 19-21
    EXPECT_EQ(cover.pixel(55, 55), From(5, 0, 0));      // title plate
    EXPECT_EQ(cover.pixel(220, 176), From(5, 165, 121));

    const QImage book = pictures->openBook.toImage();
    EXPECT_EQ(book.pixel(1, 10), From(4, 15, 10));
    EXPECT_EQ(book.pixel(253, 30), From(2, 0, 30));     // spine with its rings
    EXPECT_EQ(book.pixel(556, 371), From(1, 249, 371));
    EXPECT_EQ(book.pixel(559, 0), From(4, 21, 0));

    const QImage left = pictures->leftPage.toImage();
    const QImage right = pictures->rightPage.toImage();
    EXPECT_EQ(left.pixel(10, 20), From(3, 10, 20));
    // The right page is the left one mirrored, with the ring ends on its left.
    EXPECT_EQ(right.pixel(256, 20), From(3, 0, 20));
    EXPECT_EQ(right.pixel(100, 20), From(3, 156, 20));
    EXPECT_EQ(right.pixel(0, 7), From(3, 259, 7));
    EXPECT_EQ(right.pixel(22, 7), From(3, 281, 7));
}

TEST(BookPicturesFromPieces, SixteenColourEdgeIsNarrowerAndMissingPiecesFail)
{
    EXPECT_TRUE(ComposeFromPieces(Pieces(23)).has_value());
    auto pieces = Pieces();
    pieces[kSpine].Reset();
    EXPECT_FALSE(ComposeFromPieces(pieces).has_value());
    pieces = Pieces();
    pieces[kPage] = Piece(3, 200, 356);  // too narrow for the ring ends
    EXPECT_FALSE(ComposeFromPieces(pieces).has_value());
}

TEST(BookPicturesFromTexture, SourceRowsCountFromTheBottom)
{
    // A 620 x 500 sheet; row r from the bottom is memory row r.
    const Picture sheet = test::MakeRgbPicture(620, 500, [](int x, int memoryRow) {
        return ColorTriple{static_cast<uint8_t>(x & 0xFF), static_cast<uint8_t>(memoryRow & 0xFF),
                   static_cast<uint8_t>(memoryRow >> 8)};
    });
    const auto pictures = ComposeFromTexture(sheet);
    ASSERT_TRUE(pictures.has_value());
    // Cover leather: source (80,128)-(329,499): the target's top row is
    // sheet row 499 from the bottom.
    const QImage cover = pictures->cover.toImage();
    EXPECT_EQ(cover.pixel(12, 0), qRgb(80, 499 & 0xFF, 499 >> 8));
    EXPECT_EQ(cover.pixel(12, 371), qRgb(80, 128, 0));
    EXPECT_FALSE(ComposeFromTexture(test::MakeRgbPicture(300, 300, [](int, int) { return ColorTriple{}; }))
                     .has_value());
}

}  // namespace
}  // namespace lumora
