// Moving an album window through its album with the album menu's commands.
#include <gtest/gtest.h>

#include <QMdiSubWindow>

#include "album_window_fixture.h"
#include "core/album/album_document.h"
#include "gui/album/book_pictures.h"
#include "app/main_window.h"
#include "gui/platform/profile.h"
#include "support/test_support.h"
#include "gui/album/album_navigation.h"
#include "gui/album/album_view.h"
#include "core/album/album_layout.h"
#include "core/layout/album_view_state.h"

namespace lumora {
namespace {

using AlbumNavigationTest = test::AlbumWindowTest;

TEST(AlbumLocation, TextsForEverySpread)
{
    EXPECT_EQ(LocationText(-2, 6), "Couverture");
    EXPECT_EQ(LocationText(-1, 6), "Page de garde");
    EXPECT_EQ(LocationText(0, 6), "Page 1");
    EXPECT_EQ(LocationText(2, 6), "Pages 2-3");
    EXPECT_EQ(LocationText(6, 6), "Page 6");
}

TEST_F(AlbumNavigationTest, OpeningAndClosingTheBookWithAFlyleaf)
{
    AlbumView& view = Open(6, true);
    EXPECT_EQ(view.State().Position(), -2);
    NextPage(view);
    EXPECT_EQ(view.State().Position(), -1);
    NextPage(view);
    EXPECT_EQ(view.State().Position(), 0);
    NextPage(view);
    EXPECT_EQ(view.State().Position(), 2);
    EXPECT_EQ(view.State().Selection(), 4);  // the first item on the right page
    EXPECT_EQ(frame.Gauge()->Text(), "Pages 2-3");
    PreviousPage(view);
    PreviousPage(view);
    EXPECT_EQ(view.State().Position(), -1);
    PreviousPage(view);
    PreviousPage(view);  // already closed: nothing
    EXPECT_EQ(view.State().Position(), -2);
    EXPECT_EQ(frame.Gauge()->Text(), "Couverture");
}

TEST_F(AlbumNavigationTest, WithoutFlyleafTheCoverOpensOnPageOne)
{
    AlbumView& view = Open(6, false);
    NextPage(view);
    EXPECT_EQ(view.State().Position(), 0);
    PreviousPage(view);
    EXPECT_EQ(view.State().Position(), -2);
    frame.RefreshCommandStates();
    EXPECT_FALSE(frame.Action(kCmdFlyleaf)->isEnabled());
    EXPECT_FALSE(frame.Action(kCmdCover)->isEnabled());  // already there
    EXPECT_TRUE(frame.Action(kCmdNextPage)->isEnabled());
}

TEST_F(AlbumNavigationTest, LastSpreadAndGoingPastTheLastPage)
{
    AlbumView& view = Open(6, true);  // pages 0, 1, 2: page count 4
    ASSERT_EQ(view.Document().PageCount(), 4);
    GoToPage(view, 6);  // "7" in the go-to dialog
    EXPECT_EQ(view.State().Position(), 4);
    EXPECT_EQ(frame.Gauge()->Text(), "Page 4");
    frame.RefreshCommandStates();
    EXPECT_FALSE(frame.Action(kCmdNextPage)->isEnabled());
    EXPECT_FALSE(frame.Action(kCmdLastPage)->isEnabled());
    frame.Action(kCmdFirstPage)->trigger();
    EXPECT_EQ(view.State().Position(), 0);
    // The commands' states follow at once: the key pressed next works.
    EXPECT_TRUE(frame.Action(kCmdLastPage)->isEnabled());
    frame.Action(kCmdLastPage)->trigger();
    EXPECT_EQ(view.State().Position(), 4);
}

TEST_F(AlbumNavigationTest, TabsJumpBetweenSectionsAndStopAtTheEnds)
{
    AlbumView& view = Open(6, false, {2, 4});  // sections start at items 2 and 4
    const auto& tabs = view.Document().Tabs();
    ASSERT_EQ(tabs.size(), 3u);
    NextTab(view);
    EXPECT_EQ(view.State().Position(), ((tabs[1]->firstPage + 1) / 2) * 2);
    NextTab(view);
    const int lastSection = view.State().Position();
    NextTab(view);  // in the last section: stays
    EXPECT_EQ(view.State().Position(), lastSection);
    // Staying on the spread still picks the selection from it.
    view.SetSelection(0);
    NextTab(view);
    EXPECT_EQ(view.State().Position(), lastSection);
    EXPECT_GE(view.State().Selection(), 4);
    EXPECT_EQ(view.State().Selection(), SelectionForSpread(AlbumLayout(view.Document()), lastSection));
    PreviousTab(view);
    PreviousTab(view);
    EXPECT_EQ(view.State().Position(), 0);
}

TEST_F(AlbumNavigationTest, SelectingAnItemOnAnotherSpreadMovesThere)
{
    AlbumView& view = Open(6, true);
    SelectItem(view, 0, 5);
    EXPECT_EQ(view.State().Selection(), 5);
    EXPECT_EQ(view.State().Position(), ((view.Document().Items()[5]->pageIndex + 1) / 2) * 2);
    SelectItem(view, 10, 0);  // clamped to the last item: no change
    EXPECT_EQ(view.State().Selection(), 5);
    SelectItem(view, -5, 0);
    EXPECT_EQ(view.State().Selection(), 0);
    EXPECT_EQ(view.State().Position(), 0);
}

}  // namespace
}  // namespace lumora
