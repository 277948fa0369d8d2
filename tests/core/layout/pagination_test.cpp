#include <gtest/gtest.h>

#include "fake_album.h"
#include "core/layout/layout_table.h"
#include "core/layout/page_queries.h"
#include "core/layout/pagination.h"
#include "core/layout/preview_fit.h"

namespace lumora {
namespace {

using test::FakeAlbum;
using test::FakeView;
using Pages = std::vector<int>;

constexpr int kPoster = 0, kMaxi = 1, kMini = 3, kMicro = 4;

TEST(PaginateWithoutTabs, EmptyAlbumHasTwoPagesAndViewsShowFirstSpread)
{
    FakeAlbum album;
    FakeView a(album), b(album);
    a.state.SetPosition(-2);
    b.state.SetPosition(6);
    b.state.SetSelection(4);
    album.views = {&a, &b};

    Paginate(album);

    EXPECT_EQ(album.pageCount, 2);
    for (const FakeView* view : {&a, &b}) {
        EXPECT_EQ(view->clamps, 1);
        EXPECT_EQ(view->state.Position(), 0);
        EXPECT_EQ(view->state.Selection(), 0);
    }
}

TEST(PaginateWithoutTabs, FillsSlotsInOrderAcrossPages)
{
    FakeAlbum album;
    album.AddTexts(3);
    Paginate(album);
    EXPECT_EQ(album.Pages(), (Pages{0, 0, 1}));
    EXPECT_EQ(album.pageCount, 2);
    // Right-hand page 0 uses the right-page slots, left-hand page 1 the left ones.
    EXPECT_EQ(album.items[0].rect, (Rect{316, 27, 501, 167}));
    EXPECT_EQ(album.items[1].rect, (Rect{316, 184, 501, 324}));
    EXPECT_EQ(album.items[2].rect, (Rect{26, 27, 211, 167}));
}

TEST(PaginateWithoutTabs, PageCountFollowsTheLastItemsPage)
{
    struct Case {
        int layout, items, lastPage, pageCount;
    };
    const Case cases[] = {
        {kMaxi, 1, 0, 2},   {kMaxi, 2, 0, 2},    {kMaxi, 4, 1, 2},    {kMaxi, 5, 2, 4},
        {kPoster, 3, 2, 4}, {kMicro, 24, 1, 2},  {kMicro, 25, 2, 4},  {kMini, 13, 2, 4},
    };
    for (const Case& c : cases) {
        FakeAlbum album;
        album.layout = c.layout;
        album.AddTexts(c.items);
        Paginate(album);
        EXPECT_EQ(album.items.back().page, c.lastPage) << c.layout << "/" << c.items;
        EXPECT_EQ(album.pageCount, c.pageCount) << c.layout << "/" << c.items;
    }
}

TEST(PaginateWithoutTabs, IgnoresTabIndicesWhenTabsAreOff)
{
    FakeAlbum album = FakeAlbum::WithSections({0, 0, 1, 1, 2}, 3, kMaxi);
    album.usesTabs = false;
    Paginate(album);
    EXPECT_EQ(album.Pages(), (Pages{0, 0, 1, 1, 2}));
    EXPECT_EQ(album.pageCount, 4);
}

TEST(PaginatePreviews, PhotoRectangleIsThePreviewCentredInItsBox)
{
    FakeAlbum album;
    album.layout = kPoster;
    const Size box{185, 297};
    album.items = {{0, FitPreviewSize(box, {200, 100})}, {0, FitPreviewSize(box, {100, 400})}, {0}};
    Paginate(album);

    // 185 x 92, 102 pixels below the top of the right-page box at (316, 27).
    EXPECT_EQ(album.items[0].rect, (Rect{316, 129, 501, 221}));
    // 74 x 297 on the left page, box at (26, 27).
    EXPECT_EQ(album.items[1].rect, (Rect{81, 27, 155, 324}));
    // A text item fills its whole box.
    EXPECT_EQ(album.items[2].rect, (Rect{316, 27, 501, 324}));
}

TEST(PaginateWithTabs, SectionEndingOnRightPageLeavesItsBackEmpty)
{
    FakeAlbum album = FakeAlbum::WithSections({0, 0, 1}, 2, kMaxi);
    Paginate(album);
    EXPECT_EQ(album.Pages(), (Pages{0, 0, 2}));
    EXPECT_EQ(album.FirstPages(), (Pages{0, 2}));
    EXPECT_EQ(album.pageCount, 4);
    EXPECT_EQ(FirstItemOnPage(album, 1), -1);
}

TEST(PaginateWithTabs, SectionEndingOnLeftPageIsFollowedOnTheNextSheet)
{
    FakeAlbum album = FakeAlbum::WithSections({0, 0, 0, 1, 1, 1}, 2, kMaxi);
    Paginate(album);
    EXPECT_EQ(album.Pages(), (Pages{0, 0, 1, 2, 2, 3}));
    EXPECT_EQ(album.FirstPages(), (Pages{0, 2}));
    EXPECT_EQ(album.pageCount, 4);
    // The new section starts in the first slot of its page.
    EXPECT_EQ(album.items[3].rect, (Rect{316, 27, 501, 167}));
}

TEST(PaginateWithTabs, SectionsNeverStartOnLeftPages)
{
    // Every split of twelve items into sections, in three layouts.
    for (int layout : {kPoster, kMaxi, kMini}) {
        for (unsigned splits = 0; splits < (1u << 11); splits += 7) {
            FakeAlbum album = FakeAlbum::WithSections({}, 12, layout);
            int tab = 0;
            for (int i = 0; i < 12; ++i) {
                if (i > 0 && (splits >> (i - 1) & 1u))
                    ++tab;
                album.items.push_back({tab});
            }
            Paginate(album);
            for (int i = 0; i < 12; ++i) {
                if (i == 0 || album.items[i].tab != album.items[i - 1].tab) {
                    EXPECT_EQ(album.items[i].page % 2, 0) << layout << " " << splits << " " << i;
                    EXPECT_EQ(album.tabs[album.items[i].tab].firstPage, album.items[i].page);
                } else {
                    EXPECT_GE(album.items[i].page, album.items[i - 1].page);
                }
            }
            EXPECT_EQ(album.pageCount % 2, 0);
            EXPECT_GT(album.pageCount, album.items.back().page);
            EXPECT_LE(album.pageCount, album.items.back().page + 2);
        }
    }
}

TEST(PaginateWithTabs, EmptiedTabKeepsItsFirstPageWithinTheAlbum)
{
    FakeAlbum album = FakeAlbum::WithSections({0, 0, 2, 3}, 5, kMaxi);
    album.tabs[1].firstPage = 2;   // its items were cut
    album.tabs[4].firstPage = 40;  // beyond the album now
    Paginate(album);
    EXPECT_EQ(album.Pages(), (Pages{0, 0, 2, 4}));
    EXPECT_EQ(album.pageCount, 6);
    EXPECT_EQ(album.FirstPages(), (Pages{0, 2, 2, 4, 5}));
}

TEST(PaginateWithTabs, FirstItemInALaterTabLeavesASheetPerEarlierTab)
{
    FakeAlbum album = FakeAlbum::WithSections({2, 2, 2, 3}, 4, kMaxi);
    for (auto& tab : album.tabs)
        tab.firstPage = 30;
    Paginate(album);
    EXPECT_EQ(album.Pages(), (Pages{4, 4, 5, 6}));
    EXPECT_EQ(album.FirstPages(), (Pages{0, 2, 4, 6}));
    EXPECT_EQ(album.pageCount, 8);
}

TEST(PaginateWithTabs, TabIndicesOutsideTheTabArrayStayInBounds)
{
    // Damaged albums: every tab access of the fake is bounds-checked.
    FakeAlbum beyond = FakeAlbum::WithSections({7, 7, 9}, 2, kMaxi);
    Paginate(beyond);
    EXPECT_EQ(beyond.Pages(), (Pages{2, 2, 4}));  // from the last existing tab
    EXPECT_EQ(beyond.FirstPages(), (Pages{0, 2}));

    FakeAlbum negative = FakeAlbum::WithSections({-3, 0}, 1, kMaxi);
    Paginate(negative);
    EXPECT_EQ(negative.Pages(), (Pages{0, 2}));
    EXPECT_EQ(negative.FirstPages(), (Pages{2}));  // where tab 0's items begin

    FakeAlbum noTabs = FakeAlbum::WithSections({0, 1}, 0, kMaxi);
    Paginate(noTabs);
    EXPECT_EQ(noTabs.Pages(), (Pages{0, 2}));
}

TEST(PaginateViews, ViewsAreClampedToTheNewLayout)
{
    FakeAlbum album;
    album.AddTexts(9);
    FakeView last(album), cover(album);
    last.state.SetPosition(20);
    last.state.SetSelection(30);
    cover.state.SetPosition(-2);
    cover.state.SetSelection(3);
    album.views = {&last, &cover};

    Paginate(album);  // nine items in Maxi: pages 0..4, page count 6

    EXPECT_EQ(last.state.Position(), 6);
    EXPECT_EQ(last.state.Selection(), 8);
    EXPECT_EQ(cover.state.Position(), -2);
    EXPECT_EQ(cover.state.Selection(), 3);
    EXPECT_EQ(last.clamps, 1);
}

}  // namespace
}  // namespace lumora
