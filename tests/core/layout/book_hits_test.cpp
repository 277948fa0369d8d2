// What lies under the pointer on the book, and the outline of a turning page.
#include <gtest/gtest.h>

#include "core/layout/book_geometry.h"
#include "core/layout/book_hits.h"
#include "fake_album.h"
#include "core/layout/page_turn.h"
#include "core/layout/pagination.h"
#include "core/layout/tab_columns.h"

namespace lumora {
namespace {

using test::FakeAlbum;

constexpr int kMaxi = 1;  // two items a page
constexpr Point kBook{30, 20};

Point At(int x, int y) { return {kBook.x + x, kBook.y + y}; }

struct OpenBook {
    FakeAlbum album;
    AlbumViewState state;

    explicit OpenBook(FakeAlbum a, int position) : album(std::move(a))
    {
        album.layout = kMaxi;
        Paginate(album);
        state.SetPosition(position);
    }
    BookHit Hit(Point p, bool flyleaf = true) const { return HitTestBook(album, state, flyleaf, p, kBook); }
};

FakeAlbum Texts(int count)
{
    FakeAlbum album;
    album.AddTexts(count);
    return album;
}

TEST(BookHits, ClosedCoverHasItsPlateInsideTheCover)
{
    const OpenBook book(Texts(4), -2);
    EXPECT_EQ(book.Hit(At(195, 65)).kind, BookHit::CoverPlate);
    EXPECT_EQ(book.Hit(At(359, 185)).kind, BookHit::CoverPlate);
    EXPECT_EQ(book.Hit(At(360, 185)).kind, BookHit::Cover);  // right edge exclusive
    EXPECT_EQ(book.Hit(At(140, 10)).kind, BookHit::Cover);
    EXPECT_EQ(book.Hit(At(404, 381)).kind, BookHit::Cover);
    EXPECT_EQ(book.Hit(At(405, 200)).kind, BookHit::Nothing);
    EXPECT_EQ(book.Hit(At(139, 200)).kind, BookHit::Nothing);
    // The book origin moves the zones with it.
    EXPECT_EQ(book.Hit({200, 70}).kind, BookHit::Cover);
}

TEST(BookHits, FlyleafSpreadHasItsTextAndTheZoneThatClosesTheBook)
{
    const OpenBook book(Texts(4), -1);
    EXPECT_EQ(book.Hit(At(337, 38)).kind, BookHit::FlyleafText);
    EXPECT_EQ(book.Hit(At(543, 347)).kind, BookHit::FlyleafText);
    // The whole left half closes the book, not only the narrow corner.
    EXPECT_EQ(book.Hit(At(10, 10)).kind, BookHit::PreviousZone);
    EXPECT_EQ(book.Hit(At(254, 381)).kind, BookHit::PreviousZone);
    EXPECT_EQ(book.Hit(At(255, 200)).kind, BookHit::Nothing);
    // Right of the text the next zone remains.
    EXPECT_EQ(book.Hit(At(548, 200)).kind, BookHit::NextZone);
}

TEST(BookHits, FirstPageWithoutFlyleafClosesWithTheLargeZone)
{
    const OpenBook book(Texts(4), 0);
    EXPECT_EQ(book.Hit(At(200, 300), false).kind, BookHit::PreviousZone);
    // With a flyleaf the narrow corner turns back to it.
    EXPECT_EQ(book.Hit(At(200, 300), true).kind, BookHit::Nothing);
    EXPECT_EQ(book.Hit(At(30, 300), true).kind, BookHit::PreviousZone);
}

TEST(BookHits, PageCornersTurnAndTheBackCoverHasNoNextZone)
{
    const OpenBook middle(Texts(8), 2);
    ASSERT_EQ(middle.album.GetPageCount(), 4);
    EXPECT_EQ(middle.Hit(At(26, 18)).kind, BookHit::PreviousZone);
    EXPECT_EQ(middle.Hit(At(49, 372)).kind, BookHit::PreviousZone);
    EXPECT_EQ(middle.Hit(At(50, 372)).kind, BookHit::Nothing);
    EXPECT_EQ(middle.Hit(At(530, 18)).kind, BookHit::NextZone);
    EXPECT_EQ(middle.Hit(At(553, 372)).kind, BookHit::NextZone);
    EXPECT_EQ(middle.Hit(At(553, 373)).kind, BookHit::Nothing);

    const OpenBook end(Texts(8), 4);
    EXPECT_EQ(end.Hit(At(540, 200)).kind, BookHit::Nothing);
    EXPECT_EQ(end.Hit(At(30, 200)).kind, BookHit::PreviousZone);
}

TEST(BookHits, ItemsOfBothPagesAreHitInsideTheirRectangles)
{
    const OpenBook book(Texts(8), 2);  // page 1 holds items 2-3, page 2 items 4-5
    for (const int item : {2, 3, 4, 5}) {
        const Rect r = book.album.ItemRect(item);
        const Point topLeft = At(kPageAreaOffset.x + r.left, kPageAreaOffset.y + r.top);
        EXPECT_EQ(book.Hit(topLeft), (BookHit{BookHit::Item, item})) << item;
        const Point outside{topLeft.x - 1, topLeft.y};
        EXPECT_NE(book.Hit(outside), (BookHit{BookHit::Item, item})) << item;
    }
}

TEST(BookHits, TabsComeBeforeTheZonesAndOnlyWithTabsOn)
{
    FakeAlbum album = FakeAlbum::WithSections({0, 0, 1, 1, 2, 2}, 3, kMaxi);
    OpenBook book(album, 2);
    const std::vector<TabPlacement> right = RightTabColumn(book.album, 2);
    ASSERT_FALSE(right.empty());
    const Rect slot = TabSlotRect(right.back().slot);
    const Point inTab = At(slot.left + 1, slot.top + 1);
    EXPECT_EQ(book.Hit(inTab), (BookHit{BookHit::Tab, right.back().tab}));
    book.album.usesTabs = false;
    EXPECT_NE(book.Hit(inTab).kind, BookHit::Tab);
}

TEST(PageTurn, OutlineFollowsTheTableBothWays)
{
    const Point book{10, 5};
    const auto first = PageTurnOutline(0, false, book);
    EXPECT_EQ(first[0], (Point{10 + 26, 5 + 18}));   // dx 0, lift 0
    EXPECT_EQ(first[1], (Point{10 + 26, 5 + 374}));
    EXPECT_EQ(first[2], (Point{10 + 282, 5 + 374}));  // the bound edge
    EXPECT_EQ(first[3], (Point{10 + 282, 5 + 18}));
    EXPECT_EQ(first[4], first[0]);  // closed

    // Halfway the edge rises and sinks the most.
    const auto middle = PageTurnOutline(7, true, book);
    EXPECT_EQ(middle[0], (Point{10 + 26 + 260, 5 + 18 - 53}));
    EXPECT_EQ(middle[1], (Point{10 + 26 + 260, 5 + 374 + 53}));
    EXPECT_EQ(middle[2].x, 10 + 296 - 7);

    // A forward turn starts where a backward one ends.
    const auto forwardStart = PageTurnOutline(0, true, book);
    const auto backwardEnd = PageTurnOutline(14, false, book);
    EXPECT_EQ(forwardStart[0], backwardEnd[0]);
    EXPECT_EQ(forwardStart[0].x, 10 + 26 + 527);
    EXPECT_EQ(forwardStart[2].x, 10 + 296);
    EXPECT_EQ(backwardEnd[2].x, 10 + 282 + 14);
}

TEST(PageTurn, EdgeMovesOneWayAndLiftRisesThenFalls)
{
    for (int frame = 1; frame < kPageTurnFrames; ++frame) {
        EXPECT_GT(kPageTurnRows[frame].dx, kPageTurnRows[frame - 1].dx);
        const int lift = kPageTurnRows[frame].lift, before = kPageTurnRows[frame - 1].lift;
        EXPECT_EQ(lift, kPageTurnRows[kPageTurnFrames - 1 - frame].lift);  // symmetric
        if (frame <= 7) {
            EXPECT_GT(lift, before);
        }
    }
}

}  // namespace
}  // namespace lumora
