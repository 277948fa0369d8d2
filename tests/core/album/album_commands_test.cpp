// The rules of the album's editing commands: where inserted photos and
// texts go and what ends up selected, what deleting an item does to its
// section and tab, the tab edits, and that every change marks the album
// modified and survives a save.
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "core/album/album_commands.h"
#include "core/platform/services.h"
#include "album_test_support.h"
#include "core/formats/bmp_writer.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::CapturingReporter;
using test::TabIndices;
using test::TempDir;

std::vector<std::string> Names(const AlbumDocument& doc)
{
    std::vector<std::string> names;
    for (const auto& item : doc.Items())
        names.push_back(item->IsPhoto() ? item->imagePath : item->text);
    return names;
}

// Items named "i0", "i1"... in the given sections, with as many tabs as
// they need; photos with small previews, or texts.
void AddItems(AlbumDocument& doc, std::initializer_list<int16_t> tabIndices, bool texts = false)
{
    int16_t highest = 0;
    std::vector<std::unique_ptr<AlbumItem>> items;
    for (const int16_t t : tabIndices) {
        const std::string name = "i" + std::to_string(doc.ItemCount() + items.size());
        if (texts) {
            items.push_back(std::make_unique<AlbumItem>(name, DefaultTextFont(), 0));
        } else {
            items.push_back(std::make_unique<AlbumItem>(name));
            items.back()->preview.Attach(test::SmallPreview(8, 6, 40));
        }
        items.back()->tabIndex = t;
        highest = std::max(highest, t);
    }
    while (doc.TabCount() <= static_cast<size_t>(highest))
        test::AppendTab(doc, std::make_unique<SectionTab>("t" + std::to_string(doc.TabCount()),
                                                          static_cast<int>(doc.TabCount())));
    test::AppendItems(doc, std::move(items));
}

class RecordSteps final : public InsertProgress {
public:
    void Step(int done, int total) override { steps.emplace_back(done, total); }
    std::vector<std::pair<int, int>> steps;
};

class InsertingPhotos : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.Clear();
        for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) {
            paths.push_back(dir.File(name));
            ASSERT_TRUE(WriteBMPFile(paths.back(), test::MakeRgbPicture(40, 30, [](int32_t x, int32_t) {
                                         return ColorTriple{static_cast<uint8_t>(x * 6), 90, 20};
                                     })));
        }
    }
    TempDir dir;
    AlbumDocument doc;
    std::vector<std::string> paths;
};

TEST_F(InsertingPhotos, AfterTheSelectionTheyFollowInOrderAndTheFirstIsSelected)
{
    AddItems(doc, {0, 0, 0, 0, 0, 0});
    doc.MarkSaved();
    RecordSteps progress;
    EXPECT_EQ(InsertImages(doc, paths, 4, true, &progress), 5);
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"i0", "i1", "i2", "i3", "i4", paths[0],
                                                    paths[1], paths[2], "i5"}));
    EXPECT_EQ(progress.steps, (std::vector<std::pair<int, int>>{{1, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(doc.Items()[5]->preview.Width(), 185);  // previews for the Maxi box
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(InsertingPhotos, BeforeTheSelectionTheyJoinItsSectionAndItStaysSelected)
{
    EditSettings(doc, [&](AlbumSettings& s) { s.useTabs = 1; });
    AddItems(doc, {0, 1, 1, 2});
    EXPECT_EQ(InsertImages(doc, {paths[0], paths[1]}, 1, false, nullptr), 1);
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"i0", paths[0], paths[1], "i1", "i2", "i3"}));
    EXPECT_EQ(TabIndices(doc), (std::vector<int16_t>{0, 1, 1, 1, 1, 2}));
    // After the last item: its section.
    EXPECT_EQ(InsertImages(doc, {paths[2]}, 5, true, nullptr), 6);
    EXPECT_EQ(doc.Items().back()->imagePath, paths[2]);
    EXPECT_EQ(doc.Items().back()->tabIndex, 2);
}

TEST_F(InsertingPhotos, IntoAnEmptyAlbumTheyGoInTheFirstSection)
{
    EditSettings(doc, [&](AlbumSettings& s) { s.useTabs = 1; });
    test::AppendTab(doc, std::make_unique<SectionTab>("deux", 1));
    EXPECT_EQ(InsertImages(doc, paths, 0, false, nullptr), 0);
    EXPECT_EQ(Names(doc), paths);
    EXPECT_EQ(TabIndices(doc), (std::vector<int16_t>{0, 0, 0}));

    AlbumDocument after;
    after.Clear();
    EXPECT_EQ(InsertImages(after, paths, 0, true, nullptr), 1);  // one forward all the same
    EXPECT_EQ(Names(after), paths);
}

TEST_F(InsertingPhotos, AnUnreadableFileIsSkippedAndTheOthersGoIn)
{
    AddItems(doc, {0, 0});
    const std::string missing = dir.File("missing.bmp");
    test::WriteBytes(dir.File("broken.bmp"), {'B', 'M', 1, 2, 3});
    RecordSteps progress;
    EXPECT_EQ(InsertImages(doc, {missing, paths[0], dir.File("broken.bmp"), paths[1]}, 0, true,
                           &progress),
              1);
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"i0", paths[0], paths[1], "i1"}));
    EXPECT_EQ(progress.steps.size(), 4u);
    EXPECT_EQ(progress.steps.back(), std::make_pair(4, 4));

    // Nothing read: the selection stays and the album is unchanged.
    doc.MarkSaved();
    EXPECT_EQ(InsertImages(doc, {missing}, 2, true, nullptr), 2);
    EXPECT_EQ(doc.ItemCount(), 4u);
    EXPECT_FALSE(doc.IsModified());
}

// Stops after `keep` photos, pumping "the windows" while it waits.
class StopAfter final : public InsertProgress {
public:
    explicit StopAfter(int keepIn) : keep(keepIn) {}
    void Step(int done, int) override { taken = done; }
    bool Cancelled() override { return taken >= keep; }
    void Idle() override { ++idles; }
    int keep, taken = 0, idles = 0;
};

TEST_F(InsertingPhotos, ManyInParallelKeepTheirOrderAndCancellingKeepsWhatIsIn)
{
    // Forty files with an unreadable one in the middle, decoded on four
    // workers: the others go in in the order chosen.
    std::vector<std::string> many;
    for (int i = 0; i < 40; ++i)
        many.push_back(i == 17 ? dir.File("missing.bmp") : paths[static_cast<size_t>(i) % 3]);
    RecordSteps progress;
    InsertImages(doc, many, 0, false, &progress);
    std::vector<std::string> expected = many;
    expected.erase(expected.begin() + 17);
    EXPECT_EQ(Names(doc), expected);
    EXPECT_EQ(progress.steps.size(), 40u);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(progress.steps[static_cast<size_t>(i)], std::make_pair(i + 1, 40));

    // Échap after five photos: those five stay, in order, and nothing else.
    AlbumDocument other;
    other.Clear();
    StopAfter stop(5);
    InsertImages(other, many, 0, false, &stop);
    EXPECT_EQ(Names(other), std::vector<std::string>(many.begin(), many.begin() + 5));
    EXPECT_GT(stop.idles, 0);
}

TEST(InsertingText, GoesBeforeTheSelectionInItsSectionOrFirstInAnEmptyAlbum)
{
    AlbumDocument doc;
    doc.Clear();
    TextFont bold = DefaultTextFont();
    bold.weight = 700;
    EXPECT_EQ(InsertTextItem(doc, 3, "seul", bold, 0x0000FF), 0);
    ASSERT_EQ(doc.ItemCount(), 1u);
    EXPECT_EQ(doc.Items()[0]->tabIndex, 0);
    EXPECT_EQ(doc.Items()[0]->font, bold);
    EXPECT_EQ(doc.Items()[0]->textColor, 0x0000FFu);

    test::RemoveItemsFrom(doc, 0);
    AddItems(doc, {0, 1, 1});
    doc.MarkSaved();
    EXPECT_EQ(InsertTextItem(doc, 2, "avant", DefaultTextFont(), 0), 2);
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"i0", "i1", "avant", "i2"}));
    EXPECT_EQ(TabIndices(doc), (std::vector<int16_t>{0, 1, 1, 1}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.Items()[2]->IsPhoto());
}

TEST(EditingItems, TextPropertiesChangeTextItemsOnly)
{
    AlbumDocument doc;
    doc.Clear();
    AddItems(doc, {0});
    InsertTextItem(doc, 0, "ancien", DefaultTextFont(), 0);  // before the photo
    TextFont arial = DefaultTextFont();
    arial.faceName = "Arial";
    doc.MarkSaved();
    SetTextItem(doc, 1, "photo", arial, 0xFF);  // a photo: nothing
    SetTextItem(doc, 2, "hors de l'album", arial, 0xFF);
    EXPECT_EQ(doc.Items()[1]->text, "");
    EXPECT_FALSE(doc.Items()[1]->font);
    EXPECT_FALSE(doc.IsModified());

    SetTextItem(doc, 0, "nouveau", arial, 0xFF);
    EXPECT_EQ(doc.Items()[0]->text, "nouveau");
    EXPECT_EQ(doc.Items()[0]->font, arial);
    EXPECT_EQ(doc.Items()[0]->textColor, 0xFFu);
    EXPECT_TRUE(doc.IsModified());
}

TEST(EditingItems, DescriptionReportsWhetherItChanged)
{
    AlbumDocument doc;
    doc.Clear();
    AddItems(doc, {0, 0});
    doc.MarkSaved();
    EXPECT_FALSE(SetItemDescription(doc, 0, ""));
    EXPECT_FALSE(SetItemDescription(doc, 2, "hors de l'album"));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(SetItemDescription(doc, 1, "Le port"));
    EXPECT_EQ(doc.Items()[1]->description, "Le port");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(SetItemDescription(doc, 1, "Le port"));
}

// ---- delete ----------------------------------------------------------------

struct DeleteCase {
    const char* what;
    std::vector<int16_t> tabs;  // the items' tab indices
    bool useTabs;
    int selection;
    std::vector<int16_t> tabsAfter;
    size_t tabCountAfter;
    bool tabRemoved;
    int selectionAfter;
};

void PrintTo(const DeleteCase& c, std::ostream* out) { *out << c.what; }

class DeletingItems : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(DeletingItems, FollowTheSectionRulesForPhotosAndTextsAlike)
{
    const DeleteCase& c = GetParam();
    for (const bool texts : {false, true}) {
        AlbumDocument doc;
        doc.Clear();
        EditSettings(doc, [&](AlbumSettings& s) { s.useTabs = c.useTabs; });
        for (const int16_t t : c.tabs)
            AddItems(doc, {t}, texts);
        while (doc.TabCount() < 4)
            test::AppendTab(doc, std::make_unique<SectionTab>("extra", 1));
        const std::string deletedName = Names(doc)[static_cast<size_t>(c.selection)];
        doc.MarkSaved();

        const DeleteOutcome outcome = DeleteAlbumItem(doc, c.selection);
        EXPECT_TRUE(outcome.deleted);
        EXPECT_EQ(outcome.tabRemoved, c.tabRemoved) << texts;
        EXPECT_EQ(outcome.selection, c.selectionAfter) << texts;
        EXPECT_EQ(TabIndices(doc), c.tabsAfter) << texts;
        EXPECT_EQ(doc.TabCount(), c.tabCountAfter) << texts;
        EXPECT_EQ(std::ranges::count(Names(doc), deletedName), 0) << texts;
        EXPECT_TRUE(doc.IsModified()) << texts;
    }
}

// Four tabs in every album (the sections name the first ones).
INSTANTIATE_TEST_SUITE_P(
    Rules, DeletingItems,
    ::testing::Values(
        DeleteCase{"alone in its section: its tab goes", {0, 0, 1, 2, 2}, true, 2,
                   {0, 0, 1, 1}, 3, true, 2},
        DeleteCase{"item 0 alone in its section", {0, 1, 1}, true, 0, {0, 0}, 3, true, 0},
        DeleteCase{"the album's last item keeps its tab", {2}, true, 0, {}, 4, false, 0},
        DeleteCase{"first of a section that continues", {0, 1, 1, 2}, true, 1, {0, 1, 2}, 4,
                   false, 1},
        DeleteCase{"last of a section selects the one before", {0, 1, 1, 2}, true, 2,
                   {0, 1, 2}, 4, false, 1},
        DeleteCase{"first item, its section continues", {0, 0, 1}, true, 0, {0, 1}, 4, false, 0},
        DeleteCase{"last item of the album", {0, 1, 1}, true, 2, {0, 1}, 4, false, 1},
        DeleteCase{"last item alone at the end", {0, 0, 1}, true, 2, {0, 0}, 3, true, 1},
        DeleteCase{"tabs off: no tab goes", {0, 1, 1}, false, 0, {1, 1}, 4, false, 0},
        DeleteCase{"tabs off: the selection stays", {0, 0, 1}, false, 1, {0, 1}, 4, false, 1}));

TEST(DeletingItemsOutsideTheAlbum, ChangesNothing)
{
    AlbumDocument doc;
    doc.Clear();
    DeleteOutcome outcome = DeleteAlbumItem(doc, 0);
    EXPECT_FALSE(outcome.deleted);
    EXPECT_EQ(outcome.selection, 0);
    AddItems(doc, {0, 0});
    doc.MarkSaved();
    outcome = DeleteAlbumItem(doc, 5);
    EXPECT_FALSE(outcome.deleted);
    EXPECT_EQ(outcome.selection, 1);
    EXPECT_EQ(doc.ItemCount(), 2u);
    EXPECT_FALSE(doc.IsModified());
}

// ---- tabs ------------------------------------------------------------------

TEST(TabCommands, WorkOnTheSelectedItemsTabWithTheirRefusals)
{
    AlbumDocument doc;
    doc.Clear();
    EXPECT_EQ(SelectedTab(doc, 4), 0);  // empty album: the first tab
    EditSettings(doc, [&](AlbumSettings& s) { s.useTabs = 1; });
    AddItems(doc, {0, 0, 1, 1});
    EXPECT_EQ(SelectedTab(doc, 3), 1);
    EXPECT_EQ(SelectedTab(doc, 9), 1);
    doc.Perform(MakeMove(doc, 3, 3, int16_t{7}));  // a damaged album names a tab it lacks
    EXPECT_EQ(SelectedTab(doc, 3), 1);
    doc.Undo();

    CapturingReporter reporter;
    EXPECT_EQ(doc.RemoveTab(static_cast<size_t>(SelectedTab(doc, 1))), AlbumDocument::TabEdit::Refused);
    EXPECT_EQ(doc.AddTabBefore(2, std::make_unique<SectionTab>("x", 0)), AlbumDocument::TabEdit::Refused);
    EXPECT_TRUE(reporter.messages.empty());  // the window or the command line says why
    EXPECT_EQ(doc.TabCount(), 2u);

    doc.MarkSaved();
    SetTabProperties(doc, SelectedTab(doc, 2), "Montagne", 0x00FF00, 0x000000);
    EXPECT_EQ(doc.Tabs()[1]->name, "Montagne");
    EXPECT_EQ(doc.Tabs()[1]->tabColor, 0x00FF00u);
    EXPECT_EQ(doc.Tabs()[1]->nameColor, 0u);
    EXPECT_TRUE(doc.IsModified());
}

TEST(TabCommands, TogglingKeepsTheSectionsOfTheItems)
{
    AlbumDocument doc;
    doc.Clear();
    EditSettings(doc, [&](AlbumSettings& s) { s.useTabs = 1; });
    AddItems(doc, {0, 0, 1, 2});
    ToggleTabs(doc);
    EXPECT_EQ(doc.Settings().useTabs, 0u);
    EXPECT_EQ(doc.Items()[2]->pageIndex, 1);  // without sections, two a page
    EXPECT_EQ(TabIndices(doc), (std::vector<int16_t>{0, 0, 1, 2}));
    ToggleTabs(doc);
    EXPECT_EQ(doc.Settings().useTabs, 1u);
    EXPECT_EQ(doc.Items()[2]->pageIndex, 2);  // its section starts on the next right page
    EXPECT_TRUE(doc.IsModified());
}

TEST(TabCommands, ANewTabMakesItsItemStartARightHandPage)
{
    AlbumDocument doc;
    doc.Clear();
    EditSettings(doc, [&](AlbumSettings& s) { s.useTabs = 1; });
    AddItems(doc, {0, 0, 0, 0, 0});  // Maxi 2+2: items 2 and 3 on left-hand page 1
    ASSERT_EQ(doc.Items()[3]->pageIndex, 1);
    ASSERT_EQ(doc.AddTabBefore(3, std::make_unique<SectionTab>("Suite", 2)),
              AlbumDocument::TabEdit::Done);
    EXPECT_EQ(doc.Items()[2]->pageIndex, 1);
    EXPECT_EQ(doc.Items()[3]->pageIndex, 2);
    EXPECT_EQ(doc.Items()[3]->displayRect.left, 316 + (185 - 8) / 2);  // first right-hand slot
    EXPECT_EQ(doc.Items()[3]->displayRect.top, 27 + (140 - 6) / 2);
    EXPECT_EQ(doc.Tabs()[1]->firstPage, 2);
}

// ---- layout changes ----------------------------------------------------------

// Records the status texts and how deep the wait cursor is while installed.
class RecordingStatus final : public StatusDisplay {
public:
    // Installed for the object's lifetime.
    ScopedServices installed_{[this](Services& services) { services.status = this; }};
    RecordingStatus() = default;
    std::string StatusText() const override { return texts.back(); }
    void SetStatusText(const std::string& text) override
    {
        texts.push_back(text);
        waitsAtText.push_back(waits);
    }
    void BeginWaitCursor() override { ++waits; }
    void EndWaitCursor() override { --waits; }
    std::vector<std::string> texts{"Prêt"};
    std::vector<int> waitsAtText;  // the wait depth at each text set
    int waits = 0;
};

using ChangingLayout = InsertingPhotos;

TEST_F(ChangingLayout, ToAnotherBoxRemakesThePreviewsUnderTheStatusText)
{
    ASSERT_EQ(InsertImages(doc, paths, 0, false, nullptr), 0);
    test::InsertItemAt(doc, 1, std::make_unique<AlbumItem>("texte", DefaultTextFont(), 0));
    ASSERT_EQ(doc.Items()[0]->preview.Width(), 185);  // Maxi 2+2: 185 x 140
    ASSERT_EQ(doc.Items()[3]->pageIndex, 1);
    RecordingStatus status;
    test::RecordingProgress progress;

    EXPECT_TRUE(ChangeLayout(doc, BookLayout::Micro));  // Micro 12+12: 68 x 51
    EXPECT_EQ(doc.Settings().layout, BookLayout::Micro);
    ASSERT_EQ(doc.ItemCount(), 4u);
    for (const size_t photo : {0u, 2u, 3u}) {
        EXPECT_EQ(doc.Items()[photo]->preview.Width(), 68) << photo;
        EXPECT_EQ(doc.Items()[photo]->preview.Height(), 51) << photo;
    }
    EXPECT_EQ(status.texts,
              (std::vector<std::string>{"Prêt", "Changement de résolution des images en cours...", "Prêt"}));
    EXPECT_GT(status.waitsAtText[1], 0);  // under the wait cursor
    EXPECT_EQ(status.waits, 0);
    EXPECT_EQ(progress.begun, 1);
    EXPECT_EQ(progress.ended, 1);
    // The gauge counts the photos by their place among all the items.
    EXPECT_EQ(progress.steps, (std::vector<std::pair<long, long>>{{1, 4}, {3, 4}, {4, 4}}));
    // Laid out again: twelve a page.
    EXPECT_EQ(doc.Items()[3]->pageIndex, 0);
}

// Échap during the remake: the photos done keep their new previews, the
// others their old ones, and none leaves the album.
TEST_F(ChangingLayout, StoppedRemakeKeepsThePhotosNotReached)
{
    ASSERT_EQ(InsertImages(doc, paths, 0, false, nullptr), 0);
    ASSERT_EQ(doc.ItemCount(), 3u);
    int asked = 0;
    ParallelHooks hooks;
    hooks.cancelled = [&] { return ++asked > 1; };  // stops once the first photo is in
    AlbumSettings settings = SettingsOf(doc);
    settings.layout = BookLayout::Micro;  // Micro 12+12: 68 x 51
    EXPECT_TRUE(ChangeAlbumSettings(doc, settings, SettingsKind::Properties, hooks));
    ASSERT_EQ(doc.ItemCount(), 3u);
    EXPECT_EQ(doc.Items()[0]->preview.Width(), 68);
    EXPECT_EQ(doc.Items()[1]->preview.Width(), 185);
    EXPECT_EQ(doc.Items()[2]->preview.Width(), 185);
}

TEST_F(ChangingLayout, ToTheSameBoxKeepsThePreviews)
{
    EditSettings(doc, [&](AlbumSettings& s) { s.layout = BookLayout::Midi; });  // Midi 3+3: 124 x 93
    ASSERT_EQ(InsertImages(doc, paths, 0, false, nullptr), 0);
    ASSERT_EQ(doc.Items()[0]->preview.Width(), 124);
    // Were the previews made again, these photos would leave the album.
    for (const std::string& path : paths)
        std::filesystem::remove(path);
    RecordingStatus status;
    test::RecordingProgress progress;

    EXPECT_FALSE(ChangeLayout(doc, BookLayout::PresentationX));  // Présentation en X: 124 x 93 too
    EXPECT_EQ(doc.Settings().layout, BookLayout::PresentationX);
    ASSERT_EQ(doc.ItemCount(), 3u);
    EXPECT_EQ(doc.Items()[0]->preview.Width(), 124);
    EXPECT_EQ(status.texts, std::vector<std::string>{"Prêt"});
    EXPECT_EQ(progress.begun, 0);

    // The same rule for the properties dialog's settings: only the box
    // sizes count.
    AlbumSettings settings = SettingsOf(doc);
    settings.layout = BookLayout::PresentationV;
    EXPECT_FALSE(ChangeAlbumSettings(doc, settings, SettingsKind::Properties));
    EXPECT_EQ(doc.ItemCount(), 3u);
    settings.layout = BookLayout::Poster;  // Poster 1+1: the files are gone, so are the photos
    EXPECT_TRUE(ChangeAlbumSettings(doc, settings, SettingsKind::Properties));
    EXPECT_TRUE(doc.Items().empty());
}

// ---- modified flag and saving ----------------------------------------------

struct Change {
    const char* what;
    std::function<void(AlbumDocument&, const std::string& picture)> apply;
};

TEST(EveryChange, MarksTheAlbumModifiedAndIsSaved)
{
    TempDir dir;
    const std::string picture = dir.File("p.bmp");
    ASSERT_TRUE(WriteBMPFile(picture, test::MakeRgbPicture(20, 10, [](int32_t, int32_t) {
                                 return ColorTriple{10, 200, 30};
                             })));
    const Change changes[] = {
        {"delete", [](AlbumDocument& d, const std::string&) { DeleteAlbumItem(d, 1); }},
        {"delete with its tab", [](AlbumDocument& d, const std::string&) { DeleteAlbumItem(d, 2); }},
        {"insert images",
         [](AlbumDocument& d, const std::string& p) { InsertImages(d, {p}, 1, true, nullptr); }},
        {"insert text",
         [](AlbumDocument& d, const std::string&) { InsertTextItem(d, 0, "mot", DefaultTextFont(), 5); }},
        {"text properties",
         [](AlbumDocument& d, const std::string&) { SetTextItem(d, 1, "autre", DefaultAlbumFont(20), 9); }},
        {"description", [](AlbumDocument& d, const std::string&) { SetItemDescription(d, 0, "Dune"); }},
        {"tab properties",
         [](AlbumDocument& d, const std::string&) { SetTabProperties(d, 1, "Nuit", 1, 2); }},
        {"toggle tabs", [](AlbumDocument& d, const std::string&) { ToggleTabs(d); }},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        const std::string path = dir.File("album.qza");
        {
            AlbumDocument sample;
            test::FillSampleAlbum(sample);  // photo, text (section 0), photo (section 1)
            ASSERT_TRUE(sample.Save(path));
        }
        AlbumDocument doc;
        ASSERT_TRUE(doc.Open(path));
        const std::vector<uint8_t> before = test::StoreToBytes(doc);
        change.apply(doc, picture);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_NE(test::StoreToBytes(doc), before);
        ASSERT_TRUE(doc.Save(path));
        EXPECT_FALSE(doc.IsModified());
        AlbumDocument reopened;
        ASSERT_TRUE(reopened.Open(path));
        test::ExpectSameAlbum(doc, reopened);
    }
}

}  // namespace
}  // namespace lumora
