#include <gtest/gtest.h>

#include "core/layout/album_view_state.h"
#include "fake_album.h"
#include "core/layout/pagination.h"

namespace lumora {
namespace {

using test::FakeAlbum;

constexpr int kPoster = 0, kMaxi = 1;

FakeAlbum PaginatedTexts(int count, int layout = kMaxi)
{
    FakeAlbum album;
    album.layout = layout;
    album.AddTexts(count);
    Paginate(album);
    return album;
}

AlbumViewState StateAt(int position, int selection)
{
    AlbumViewState state;
    state.SetPosition(position);
    state.SetSelection(selection);
    return state;
}

TEST(ClampToLayout, KeepsPositionAndSelectionWithinTheAlbum)
{
    const FakeAlbum album = PaginatedTexts(5);  // pages 0..2, page count 4

    AlbumViewState beyond = StateAt(10, 7);
    beyond.ClampToLayout(album);
    EXPECT_EQ(beyond.Position(), 4);
    EXPECT_EQ(beyond.Selection(), 4);

    AlbumViewState inside = StateAt(-1, 2);
    inside.ClampToLayout(album);
    EXPECT_EQ(inside.Position(), -1);
    EXPECT_EQ(inside.Selection(), 2);

    AlbumViewState negativeSelection = StateAt(2, -3);
    negativeSelection.ClampToLayout(album);
    EXPECT_EQ(negativeSelection.Selection(), 0);
}

TEST(ClampToLayout, EmptyAlbumOpensAtTheFirstSpread)
{
    const FakeAlbum album = PaginatedTexts(0);
    AlbumViewState state = StateAt(-2, 3);
    state.ClampToLayout(album);
    EXPECT_EQ(state.Position(), 0);
    EXPECT_EQ(state.Selection(), 0);
}

TEST(ShowSelectedItem, MovesToTheSpreadOfTheSelection)
{
    const FakeAlbum album = PaginatedTexts(7);  // item 4 on page 2, item 6 on page 3

    AlbumViewState state = StateAt(-2, 4);
    EXPECT_TRUE(state.ShowSelectedItem(album));
    EXPECT_EQ(state.Position(), 2);
    EXPECT_FALSE(state.ShowSelectedItem(album));

    state.SetSelection(6);
    EXPECT_TRUE(state.ShowSelectedItem(album));
    EXPECT_EQ(state.Position(), 4);

    state.SetSelection(0);
    EXPECT_TRUE(state.ShowSelectedItem(album));
    EXPECT_EQ(state.Position(), 0);
}

TEST(ShowSelectedItem, EmptyAlbumOrStaleSelection)
{
    AlbumViewState empty = StateAt(-1, 0);
    EXPECT_TRUE(empty.ShowSelectedItem(PaginatedTexts(0)));
    EXPECT_EQ(empty.Position(), 0);

    AlbumViewState stale = StateAt(0, 50);
    EXPECT_TRUE(stale.ShowSelectedItem(PaginatedTexts(3)));
    EXPECT_EQ(stale.Selection(), 2);
    EXPECT_EQ(stale.Position(), 2);
}

TEST(SelectionForSpread, PicksTheFirstItemOfTheRightPage)
{
    const FakeAlbum album = PaginatedTexts(7);  // pages 0,0,1,1,2,2,3; count 4
    const std::pair<int, int> expected[] = {{-2, 0}, {-1, 0}, {0, 0}, {2, 4}, {4, 6}};
    for (auto [position, selection] : expected)
        EXPECT_EQ(SelectionForSpread(album, position), selection) << position;
    EXPECT_EQ(SelectionForSpread(PaginatedTexts(0), 2), 0);

    AlbumViewState state = StateAt(2, 0);
    state.SelectionForSpread(album);
    EXPECT_EQ(state.Selection(), 4);
}

TEST(SelectionForSpread, EmptyRightPageSelectsTheFirstItem)
{
    // First item in tab 2: pages 0 to 3 are the empty sheets of tabs 0 and 1.
    FakeAlbum album = FakeAlbum::WithSections({2, 2, 2}, 3, kMaxi);
    Paginate(album);
    ASSERT_EQ(album.items[0].page, 4);
    ASSERT_EQ(album.pageCount, 6);
    EXPECT_EQ(SelectionForSpread(album, 2), 0);
    EXPECT_EQ(SelectionForSpread(album, 6), 2);  // the back cover: last item
}

TEST(ItemAt, HitsDisplayRectanglesOfTheShownPages)
{
    const FakeAlbum album = PaginatedTexts(3);  // pages 0, 0, 1
    const Point book{10, 20};                   // page area at (36, 38)

    const AlbumViewState first = StateAt(0, 0);
    EXPECT_EQ(first.ItemAt(album, {36 + 316, 38 + 27}, book), 0);
    EXPECT_EQ(first.ItemAt(album, {36 + 500, 38 + 323}, book), 1);
    EXPECT_EQ(first.ItemAt(album, {36 + 501, 38 + 200}, book), -1);
    EXPECT_EQ(first.ItemAt(album, {36 + 30, 38 + 30}, book), -1);  // no left page yet

    const AlbumViewState last = StateAt(2, 0);
    EXPECT_EQ(last.ItemAt(album, {36 + 30, 38 + 30}, book), 2);
    EXPECT_EQ(last.ItemAt(album, {36 + 316, 38 + 27}, book), -1);

    for (int position : {-2, -1})
        EXPECT_EQ(StateAt(position, 0).ItemAt(album, {36 + 316, 38 + 27}, book), -1);
}

TEST(ItemAt, OnlyThePreviewOfAPhotoIsHit)
{
    FakeAlbum album;
    album.layout = kPoster;
    album.items = {{0, Size{185, 92}}};
    Paginate(album);  // displayed at (316, 129)-(501, 221)
    const AlbumViewState state = StateAt(0, 0);
    EXPECT_EQ(state.ItemAt(album, {26 + 400, 18 + 129}, {0, 0}), 0);
    EXPECT_EQ(state.ItemAt(album, {26 + 400, 18 + 128}, {0, 0}), -1);
    EXPECT_EQ(state.ItemAt(album, {26 + 400, 18 + 221}, {0, 0}), -1);
}

}  // namespace
}  // namespace lumora
