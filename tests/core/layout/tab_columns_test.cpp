#include <gtest/gtest.h>

#include "fake_album.h"
#include "core/layout/pagination.h"
#include "core/layout/tab_columns.h"

namespace lumora {
namespace {

using test::FakeAlbum;
using Column = std::vector<TabPlacement>;

constexpr int kMaxi = 1;

FakeAlbum Paginated(FakeAlbum album)
{
    Paginate(album);
    return album;
}

TEST(TabSlotRect, StacksFourTabsPerEdge)
{
    EXPECT_EQ(TabSlotRect(0), (Rect{13, 25, 26, 105}));
    EXPECT_EQ(TabSlotRect(3), (Rect{13, 280, 26, 360}));
    EXPECT_EQ(TabSlotRect(4), (Rect{554, 25, 567, 105}));
    EXPECT_EQ(TabSlotRect(6), (Rect{554, 195, 567, 275}));
}

TEST(TabColumns, PassedSectionsStandOnTheLeft)
{
    // One item per tab: sections on pages 0, 2, 4, 6, 8, 10; page count 12.
    FakeAlbum album = Paginated(FakeAlbum::WithSections({0, 1, 2, 3, 4, 5}, 6, kMaxi));
    ASSERT_EQ(album.pageCount, 12);

    for (int position : {-1, 0}) {
        EXPECT_EQ(LeftTabColumn(album, position), Column{}) << position;
        EXPECT_EQ(RightTabColumn(album, position), (Column{{3, 7}, {2, 6}, {1, 5}, {0, 4}})) << position;
    }
    EXPECT_EQ(LeftTabColumn(album, 6), (Column{{0, 0}, {1, 1}, {2, 2}}));
    EXPECT_EQ(RightTabColumn(album, 6), (Column{{5, 5}, {4, 4}, {3, 7}}));

    // At the back cover every tab has been passed; only the last four show.
    EXPECT_EQ(LeftTabColumn(album, 12), (Column{{2, 2}, {3, 3}, {4, 0}, {5, 1}}));
    EXPECT_EQ(RightTabColumn(album, 12), Column{});
}

TEST(TabColumns, ARightPageContinuingASectionCountsItAsPassed)
{
    // Pages 0, 0, 1, 1, 2 | 4
    FakeAlbum album = Paginated(FakeAlbum::WithSections({0, 0, 0, 0, 0, 1}, 2, kMaxi));
    EXPECT_EQ(LeftTabColumn(album, 2), (Column{{0, 0}}));
    EXPECT_EQ(RightTabColumn(album, 2), (Column{{1, 5}}));
    EXPECT_EQ(LeftTabColumn(album, 4), (Column{{0, 0}}));
    EXPECT_EQ(RightTabColumn(album, 4), (Column{{1, 5}}));
}

TEST(TabColumns, NoneOnTheClosedCoverOrWithoutTabs)
{
    FakeAlbum album = Paginated(FakeAlbum::WithSections({0, 1}, 2, kMaxi));
    EXPECT_EQ(RightTabColumn(album, -2), Column{});
    EXPECT_EQ(LeftTabColumn(album, -2), Column{});
    album.usesTabs = false;
    EXPECT_EQ(RightTabColumn(album, 0), Column{});
    EXPECT_EQ(LeftTabColumn(album, 4), Column{});
}

TEST(TabColumns, EmptyAlbumShowsTheFirstTabAlone)
{
    FakeAlbum album = Paginated(FakeAlbum::WithSections({}, 3, kMaxi));
    for (int position : {-1, 0}) {
        EXPECT_EQ(RightTabColumn(album, position), (Column{{0, 4}})) << position;
        EXPECT_EQ(LeftTabColumn(album, position), Column{}) << position;
    }
    EXPECT_EQ(LeftTabColumn(album, 2), (Column{{0, 0}}));
    EXPECT_EQ(RightTabColumn(album, 2), Column{});
}

TEST(TabColumns, SheetsBeforeTheFirstItemBelongToTheEarlierTabs)
{
    // First item in tab 2: pages 4, 4; page count 6.
    FakeAlbum album = Paginated(FakeAlbum::WithSections({2, 2}, 4, kMaxi));
    EXPECT_EQ(LeftTabColumn(album, 2), (Column{{0, 0}}));
    EXPECT_EQ(RightTabColumn(album, 2), (Column{{3, 7}, {2, 6}, {1, 5}}));
    EXPECT_EQ(LeftTabColumn(album, 4), (Column{{0, 0}, {1, 1}}));
    EXPECT_EQ(RightTabColumn(album, 4), (Column{{3, 7}, {2, 6}}));
}

TEST(TabColumns, DamagedTabIndicesStayWithinTheTabs)
{
    FakeAlbum album = Paginated(FakeAlbum::WithSections({0, 9}, 2, kMaxi));
    EXPECT_EQ(LeftTabColumn(album, 2), (Column{{0, 0}, {1, 1}}));
    EXPECT_EQ(RightTabColumn(album, 2), Column{});
}

TEST(TabAt, FindsTheTabUnderThePoint)
{
    FakeAlbum album = Paginated(FakeAlbum::WithSections({0, 1, 2, 3, 4, 5}, 6, kMaxi));
    // Position 6: tabs 0-2 on the left, 3-5 on the right.
    EXPECT_EQ(TabAt(album, 6, {13, 25}), 0);
    EXPECT_EQ(TabAt(album, 6, {25, 200}), 2);
    EXPECT_EQ(TabAt(album, 6, {26, 200}), -1);  // right edges are exclusive
    EXPECT_EQ(TabAt(album, 6, {20, 300}), -1);  // slot 3 is empty on the left
    EXPECT_EQ(TabAt(album, 6, {560, 300}), 3);
    EXPECT_EQ(TabAt(album, 6, {560, 104}), 4);
    EXPECT_EQ(TabAt(album, 6, {560, 105}), -1);  // between two tabs
    EXPECT_EQ(TabAt(album, -2, {560, 50}), -1);
}

}  // namespace
}  // namespace lumora
