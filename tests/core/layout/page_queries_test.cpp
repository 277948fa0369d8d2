#include <gtest/gtest.h>

#include "fake_album.h"
#include "core/layout/page_queries.h"
#include "core/layout/pagination.h"

namespace lumora {
namespace {

using test::FakeAlbum;
using Items = std::vector<int>;

constexpr int kMaxi = 1, kMicro = 4;

FakeAlbum Paginated(FakeAlbum album)
{
    Paginate(album);
    return album;
}

TEST(FirstItemOnPage, FindsTheFirstItemOrNone)
{
    FakeAlbum album;
    EXPECT_EQ(FirstItemOnPage(Paginated(album), 0), -1);

    album.AddTexts(5);
    album = Paginated(album);  // pages 0, 0, 1, 1, 2
    EXPECT_EQ(FirstItemOnPage(album, 0), 0);
    EXPECT_EQ(FirstItemOnPage(album, 1), 2);
    EXPECT_EQ(FirstItemOnPage(album, 2), 4);
    EXPECT_EQ(FirstItemOnPage(album, 3), -1);
    EXPECT_EQ(FirstItemOnPage(album, -1), -1);
}

TEST(NextItemInSection, StopsAtTheEndAndWithTabsAtSectionChanges)
{
    FakeAlbum album = Paginated(FakeAlbum::WithSections({0, 0, 1, 1}, 2, kMaxi));
    EXPECT_EQ(NextItemInSection(album, 0), 1);
    EXPECT_EQ(NextItemInSection(album, 1), -1);
    EXPECT_EQ(NextItemInSection(album, 2), 3);
    EXPECT_EQ(NextItemInSection(album, 3), -1);
    EXPECT_EQ(NextItemInSection(album, -1), -1);
    EXPECT_EQ(NextItemInSection(album, 7), -1);

    album.usesTabs = false;
    EXPECT_EQ(NextItemInSection(album, 1), 2);
    EXPECT_EQ(NextItemInSection(album, 3), -1);
}

TEST(ItemsOnPage, HoldsAtMostOneItemPerSlotOfOneSection)
{
    FakeAlbum plain;
    plain.AddTexts(5);
    plain = Paginated(plain);
    EXPECT_EQ(ItemsOnPage(plain, 0), (Items{0, 1}));
    EXPECT_EQ(ItemsOnPage(plain, 2), (Items{4}));
    EXPECT_EQ(ItemsOnPage(plain, 3), (Items{}));

    FakeAlbum sections = Paginated(FakeAlbum::WithSections({0, 0, 0, 1, 1, 1, 1, 2}, 3, kMicro));
    EXPECT_EQ(ItemsOnPage(sections, 0), (Items{0, 1, 2}));
    EXPECT_EQ(ItemsOnPage(sections, 2), (Items{3, 4, 5, 6}));
    EXPECT_EQ(ItemsOnPage(sections, 4), (Items{7}));
}

TEST(PageTitle, NamesTheSectionOfThePage)
{
    // Pages 0, 0, 1 | 2, 2 | 4
    FakeAlbum album = Paginated(FakeAlbum::WithSections({0, 0, 0, 1, 1, 2}, 3, kMaxi));
    const std::pair<int, const char*> expected[] = {
        {0, "Onglet 0"}, {1, "Onglet 0"}, {2, "Onglet 1"}, {3, "Onglet 1"}, {4, "Onglet 2"}, {5, "Onglet 2"}};
    for (auto [page, name] : expected)
        EXPECT_EQ(PageTitle(album, page), name) << page;

    album.usesTabs = false;
    EXPECT_EQ(PageTitle(album, 3), "Titre de l'album");
    EXPECT_EQ(PageTitle(Paginated(FakeAlbum::WithSections({}, 3, kMaxi)), 1), "Onglet 0");
}

TEST(PageTitle, TabsThatLostTheirItemsNameOnlyTheirOwnSheets)
{
    // The last section's pages keep its name when tabs after it are empty.
    FakeAlbum trailing = Paginated(FakeAlbum::WithSections({0, 1, 1, 1}, 4, kMaxi));
    EXPECT_EQ(PageTitle(trailing, 2), "Onglet 1");
    EXPECT_EQ(PageTitle(trailing, 3), "Onglet 1");

    // Tabs before the first item each keep a sheet of their own.
    FakeAlbum leading = Paginated(FakeAlbum::WithSections({2, 2, 3}, 4, kMaxi));
    const std::pair<int, const char*> expected[] = {
        {0, "Onglet 0"}, {1, "Onglet 0"}, {2, "Onglet 1"}, {3, "Onglet 1"},
        {4, "Onglet 2"}, {5, "Onglet 2"}, {6, "Onglet 3"}};
    for (auto [page, name] : expected)
        EXPECT_EQ(PageTitle(leading, page), name) << page;
}

TEST(PageTitle, DamagedTabIndexGivesNoName)
{
    FakeAlbum album = Paginated(FakeAlbum::WithSections({0, 5}, 2, kMaxi));
    EXPECT_EQ(PageTitle(album, 0), "Onglet 0");
    EXPECT_EQ(PageTitle(album, 2), "");
}

TEST(SectionMarkerTab, MarksBothSidesOfASectionsFirstSheet)
{
    // Pages 0, 0, 1, 1, 2 | 4
    FakeAlbum album = Paginated(FakeAlbum::WithSections({0, 0, 0, 0, 0, 1}, 2, kMaxi));
    const std::pair<int, int> expected[] = {{0, 0}, {1, 0}, {2, -1}, {3, -1}, {4, 1}, {5, 1}, {-1, -1}};
    for (auto [page, tab] : expected)
        EXPECT_EQ(SectionMarkerTab(album, page), tab) << page;

    album.usesTabs = false;
    EXPECT_EQ(SectionMarkerTab(album, 0), -1);
}

TEST(SectionMarkerTab, FollowsTheItemsNotAStaleFirstPage)
{
    FakeAlbum album = FakeAlbum::WithSections({0, 2}, 3, kMaxi);
    album.tabs[1].firstPage = 2;  // emptied, still naming section 2's sheet
    Paginate(album);
    EXPECT_EQ(album.tabs[1].firstPage, 2);
    EXPECT_EQ(SectionMarkerTab(album, 2), 2);
    EXPECT_EQ(SectionMarkerTab(album, 3), 2);
}

TEST(SectionMarkerTab, SheetsBeforeTheFirstItemAndEmptyAlbums)
{
    FakeAlbum leading = Paginated(FakeAlbum::WithSections({2, 2}, 3, kMaxi));
    EXPECT_EQ(SectionMarkerTab(leading, 0), 0);
    EXPECT_EQ(SectionMarkerTab(leading, 3), 1);
    EXPECT_EQ(SectionMarkerTab(leading, 4), 2);

    FakeAlbum empty = Paginated(FakeAlbum::WithSections({}, 2, kMaxi));
    EXPECT_EQ(SectionMarkerTab(empty, 0), 0);
    EXPECT_EQ(SectionMarkerTab(empty, 1), 0);
}

}  // namespace
}  // namespace lumora
