// Undo and redo of every edit: the album's bytes after an undo are the
// bytes before the edit, after a redo the bytes after it; a long random
// run of edits, undos and redos ends as a replay of the edits that stayed;
// the save point and the modified mark; what the history keeps.
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <random>

#include "album_test_support.h"
#include "core/album/album_commands.h"
#include "core/formats/bmp_writer.h"
#include "core/layout/layout_table.h"
#include "core/sound/sounds.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::StoreToBytes;
using test::TempDir;

std::string WritePicture(TempDir& dir, const std::string& name, uint8_t green)
{
    const std::string path = dir.File(name);
    EXPECT_TRUE(WriteBMPFile(path, test::MakeRgbPicture(40, 30, [green](int32_t x, int32_t) {
                                 return ColorTriple{static_cast<uint8_t>(x * 6), green, 30};
                             })));
    return path;
}

// A photo whose preview already fits the layout's picture box, so that
// inserting it reads no file.
std::unique_ptr<AlbumItem> FittedPhoto(const AlbumDocument& doc, const std::string& name, uint8_t fill)
{
    auto photo = std::make_unique<AlbumItem>(name);
    photo->preview.Attach(test::SmallPreview(doc.Layout().boxWidth, doc.Layout().boxHeight, fill));
    return photo;
}

// ---- every kind of edit -------------------------------------------------------

struct EditCase {
    const char* what;
    std::function<void(AlbumDocument&)> apply;
    const char* label;
};

class EveryEdit : public ::testing::Test {
protected:
    void SetUp() override
    {
        photos = {WritePicture(dir, "a.bmp", 40), WritePicture(dir, "b.bmp", 90)};
        // photo (section 0), text (section 0), photo (section 1), tabs on.
        test::FillSampleAlbum(sample);
        sample.Perform(MakePhotoFileChange(sample, 0, photos[0]));
        sample.Perform(MakePhotoFileChange(sample, 2, photos[1]));
        ASSERT_TRUE(sample.Save(dir.File("album.qza")));
    }

    TempDir dir;
    std::vector<std::string> photos;
    AlbumDocument sample;
};

TEST_F(EveryEdit, UndoGivesTheBytesBeforeAndRedoTheBytesAfter)
{
    const EditCase cases[] = {
        {"insert photos", [&](AlbumDocument& d) { InsertImages(d, photos, 1, false, nullptr); },
         "l'insertion de 2 photos"},
        {"insert one photo", [&](AlbumDocument& d) { InsertImages(d, {photos[1]}, 3, false, nullptr); },
         "l'insertion d'une photo"},
        {"insert text", [](AlbumDocument& d) { InsertTextItem(d, 2, "mot", DefaultTextFont(), 5); },
         "l'insertion d'un texte"},
        {"delete", [](AlbumDocument& d) { DeleteAlbumItem(d, 1); }, "la suppression"},
        {"delete with its tab", [](AlbumDocument& d) { ASSERT_TRUE(DeleteAlbumItem(d, 2).tabRemoved); },
         "la suppression"},
        {"cut", [](AlbumDocument& d) { CutAlbumItem(d, 0); }, "la coupe"},
        {"paste", [](AlbumDocument& d) { ASSERT_EQ(PasteAlbumItem(d, 2, FittedPhoto(d, "c.bmp", 9)), 2); },
         "le collage"},
        {"move back", [](AlbumDocument& d) { ASSERT_TRUE(MoveAlbumItem(d, 2, 0)); }, "le déplacement"},
        {"move to the end", [](AlbumDocument& d) { ASSERT_TRUE(MoveAlbumItem(d, 0, 2)); }, "le déplacement"},
        {"text", [](AlbumDocument& d) { SetTextItem(d, 1, "autre", DefaultAlbumFont(20), 9); },
         "la modification du texte"},
        {"description", [](AlbumDocument& d) { ASSERT_TRUE(SetItemDescription(d, 0, "Dune")); },
         "la modification de la description"},
        {"sound", [](AlbumDocument& d) { ASSERT_TRUE(SetItemSound(d, 2, "/sons/mer.wav")); },
         "l'association du son"},
        {"sound removed", [](AlbumDocument& d) { ASSERT_TRUE(RemoveItemSound(d, 0)); },
         "la suppression du son"},
        {"new tab",
         [](AlbumDocument& d) {
             ASSERT_EQ(d.AddTabBefore(1, std::make_unique<SectionTab>("Neige", 2)), AlbumDocument::TabEdit::Done);
         },
         "l'ajout d'un onglet"},
        {"tab deleted",
         [](AlbumDocument& d) { ASSERT_EQ(d.RemoveTab(1), AlbumDocument::TabEdit::Done); },
         "la suppression de l'onglet"},
        {"tab properties", [](AlbumDocument& d) { SetTabProperties(d, 1, "Nuit", 1, 2); },
         "la modification de l'onglet"},
        {"tabs off", [](AlbumDocument& d) { ToggleTabs(d); }, "la désactivation des onglets"},
        {"title and fonts",
         [](AlbumDocument& d) {
             AlbumSettings s = SettingsOf(d);
             s.title = "Hiver";
             s.fonts[kPhotosFont] = DefaultAlbumFont(9);
             ChangeAlbumSettings(d, s, SettingsKind::TitleAndFonts);
         },
         "la modification du titre et des polices"},
        {"properties, same box",
         [](AlbumDocument& d) {
             AlbumSettings s = SettingsOf(d);
             s.flyleaf = false;
             s.frameStyle = FrameStyle::Shadowed;
             s.password.clear();
             ASSERT_FALSE(ChangeAlbumSettings(d, s, SettingsKind::Properties));
         },
         "la modification des propriétés de l'album"},
        {"layout, previews remade",
         [](AlbumDocument& d) { ASSERT_TRUE(ChangeLayout(d, BookLayout::Poster)); },
         "la modification des propriétés de l'album"},
    };
    for (const EditCase& edit : cases) {
        SCOPED_TRACE(edit.what);
        AlbumDocument doc;
        ASSERT_TRUE(doc.Open(dir.File("album.qza")));
        const std::vector<uint8_t> before = StoreToBytes(doc);
        edit.apply(doc);
        const std::vector<uint8_t> after = StoreToBytes(doc);
        ASSERT_NE(after, before);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_EQ(doc.History().StepCount(), 1u);
        EXPECT_EQ(UndoMenuLabel(doc.History()), std::string("&Annuler ") + edit.label);

        doc.Undo();
        EXPECT_EQ(StoreToBytes(doc), before);
        EXPECT_FALSE(doc.IsModified());  // back where it was saved
        EXPECT_EQ(RedoMenuLabel(doc.History()), std::string("&Rétablir ") + edit.label);
        doc.Redo();
        EXPECT_EQ(StoreToBytes(doc), after);
        EXPECT_TRUE(doc.IsModified());
        doc.Undo();
        EXPECT_EQ(StoreToBytes(doc), before);
    }
}

// The old previews come back from the step: with the pictures gone, a
// remake could not make them (the photos would leave the album).
TEST_F(EveryEdit, LayoutUndoAndRedoPutPreviewsBackWithoutRemakingThem)
{
    AlbumDocument doc;
    ASSERT_TRUE(doc.Open(dir.File("album.qza")));
    ASSERT_TRUE(ChangeLayout(doc, BookLayout::Poster));
    const std::vector<uint8_t> after = StoreToBytes(doc);
    ASSERT_EQ(doc.Items()[0]->preview.Width(), doc.Layout().boxWidth);
    for (const std::string& path : photos)
        std::filesystem::remove(path);
    test::RecordingProgress progress;

    doc.Undo();
    EXPECT_EQ(doc.ItemCount(), 3u);
    EXPECT_EQ(doc.Items()[0]->preview.Width(), 4);
    EXPECT_EQ(StoreToBytes(doc), StoreToBytes(sample));
    doc.Redo();
    EXPECT_EQ(StoreToBytes(doc), after);
    EXPECT_EQ(progress.begun, 0);  // nothing was read
}

// ---- a long random run ------------------------------------------------------------

// One edit, given by numbers that are valid for the album it is applied to.
struct Op {
    int kind = 0;
    int a = 0, b = 0;
};

constexpr int kOpKinds = 10;

void ApplyOp(AlbumDocument& doc, const Op& op)
{
    const std::string word = "t" + std::to_string(op.a) + "-" + std::to_string(op.b);
    switch (op.kind) {
    case 0: DeleteAlbumItem(doc, op.a); break;
    case 1: CutAlbumItem(doc, op.a); break;
    case 2: InsertTextItem(doc, op.a, word, DefaultTextFont(), static_cast<Rgb>(op.b)); break;
    case 3: PasteAlbumItem(doc, op.a, FittedPhoto(doc, word, static_cast<uint8_t>(op.b))); break;
    case 4: MoveAlbumItem(doc, op.a, op.b); break;
    case 5: SetItemDescription(doc, op.a, word); break;
    case 6: doc.AddTabBefore(static_cast<size_t>(op.a), std::make_unique<SectionTab>(word, op.b)); break;
    case 7: doc.RemoveTab(static_cast<size_t>(op.a)); break;
    case 8: SetTabProperties(doc, op.a, word, static_cast<Rgb>(op.b), 7); break;
    case 9: ToggleTabs(doc); break;
    }
}

Op RandomOp(const AlbumDocument& doc, std::mt19937& random)
{
    const auto below = [&](size_t n) { return n == 0 ? 0 : static_cast<int>(random() % n); };
    Op op;
    op.kind = below(kOpKinds);
    const size_t items = doc.ItemCount();
    if (op.kind == 0 || op.kind == 1 || op.kind == 5)
        op.a = below(items);
    if (op.kind == 2 || op.kind == 3) {
        op.a = below(items + 1);
        op.b = below(250);
    }
    if (op.kind == 4) {
        op.a = below(items);
        op.b = below(items);
    }
    if (op.kind == 6 || op.kind == 7 || op.kind == 8) {
        op.a = op.kind == 6 ? below(items) : below(doc.TabCount());
        op.b = below(6);
    }
    return op;
}

void FillLargeAlbum(AlbumDocument& doc)
{
    AlbumSettings settings = NewAlbumSettings();
    settings.useTabs = true;
    doc.Clear(settings);
    std::vector<std::unique_ptr<AlbumItem>> items;
    for (int i = 0; i < 200; ++i) {
        if (i % 3 == 2)
            items.push_back(std::make_unique<AlbumItem>("texte " + std::to_string(i), DefaultTextFont(), 0));
        else
            items.push_back(FittedPhoto(doc, "p" + std::to_string(i), static_cast<uint8_t>(i)));
        items.back()->tabIndex = static_cast<int16_t>(i / 40);
    }
    for (int t = 1; t < 5; ++t)
        test::AppendTab(doc, std::make_unique<SectionTab>("s" + std::to_string(t), t));
    test::AppendItems(doc, std::move(items));
}

TEST(RandomEditing, EndsAsAReplayOfTheEditsThatStayed)
{
    std::mt19937 random(20261210);
    AlbumDocument doc;
    FillLargeAlbum(doc);
    // The edits in force, as the history stands, and those undone.
    std::vector<Op> done, undone;
    for (int step = 0; step < 500; ++step) {
        const unsigned what = random() % 10;
        if (what < 2 && doc.History().CanUndo()) {
            doc.Undo();
            undone.push_back(done.back());
            done.pop_back();
        } else if (what < 3 && doc.History().CanRedo()) {
            doc.Redo();
            done.push_back(undone.back());
            undone.pop_back();
        } else {
            const Op op = RandomOp(doc, random);
            const size_t steps = doc.History().DoneCount();
            ApplyOp(doc, op);
            if (doc.History().DoneCount() > steps) {  // refused edits make no step
                done.push_back(op);
                undone.clear();
            }
        }
        ASSERT_EQ(done.size(), doc.History().DoneCount()) << "step " << step;
    }
    AlbumDocument replay;
    FillLargeAlbum(replay);
    for (const Op& op : done)
        ApplyOp(replay, op);
    EXPECT_EQ(StoreToBytes(doc), StoreToBytes(replay));
    EXPECT_GT(done.size(), 150u);

    // All the way back: the album as it began.
    doc.GoToStep(0);
    AlbumDocument fresh;
    FillLargeAlbum(fresh);
    EXPECT_EQ(StoreToBytes(doc), StoreToBytes(fresh));
}

// ---- the save point ---------------------------------------------------------------

TEST(SavePoint, FollowsTheHistory)
{
    TempDir dir;
    AlbumDocument doc;
    test::FillSampleAlbum(doc);
    InsertTextItem(doc, 0, "un", DefaultTextFont(), 0);
    InsertTextItem(doc, 0, "deux", DefaultTextFont(), 0);
    ASSERT_TRUE(doc.Save(dir.File("a.qza")));
    EXPECT_FALSE(doc.IsModified());

    doc.Undo();
    EXPECT_TRUE(doc.IsModified());
    doc.Redo();
    EXPECT_FALSE(doc.IsModified());  // back at the saved album: no question on close
    doc.Undo();
    doc.Undo();
    doc.Redo();
    EXPECT_TRUE(doc.IsModified());

    // An edit after undo drops the steps undone, the saved album among them.
    InsertTextItem(doc, 0, "trois", DefaultTextFont(), 0);
    EXPECT_FALSE(doc.History().CanRedo());
    EXPECT_EQ(doc.History().StepCount(), 2u);
    doc.Undo();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(RedoMenuLabel(doc.History()), "&Rétablir l'insertion d'un texte");
    doc.Undo();
    EXPECT_TRUE(doc.IsModified());  // the saved album had two texts
    EXPECT_EQ(UndoMenuLabel(doc.History()), "&Annuler");
}

TEST(SavePoint, AChangeOutsideTheHistoryLeavesTheAlbumModified)
{
    AlbumDocument doc;
    test::FillSampleAlbum(doc);
    InsertTextItem(doc, 0, "un", DefaultTextFont(), 0);
    doc.MarkSaved();
    doc.MarkModified();  // something changed that no step records
    doc.Undo();
    doc.Redo();
    EXPECT_TRUE(doc.IsModified());
}

// ---- steps that grow, and what steps keep ----------------------------------

TEST(Typing, ADescriptionIsOneStepUntilTheFieldIsLeft)
{
    AlbumDocument doc;
    test::FillSampleAlbum(doc);
    const std::string before = doc.Items()[0]->description;
    for (const char* typed : {"L", "Le", "Le p", "Le port"})
        SetItemDescription(doc, 0, typed, true);
    EXPECT_EQ(doc.History().StepCount(), 1u);
    doc.CloseStep();
    SetItemDescription(doc, 0, "Le port!", true);
    EXPECT_EQ(doc.History().StepCount(), 2u);
    doc.Undo();
    EXPECT_EQ(doc.Items()[0]->description, "Le port");
    doc.Undo();
    EXPECT_EQ(doc.Items()[0]->description, before);
}

TEST(Typing, APasteAfterAPasteIsAStepOfItsOwn)
{
    AlbumDocument doc;
    test::FillSampleAlbum(doc);
    PasteAlbumItem(doc, 0, FittedPhoto(doc, "x", 1));
    PasteAlbumItem(doc, 1, FittedPhoto(doc, "y", 2));
    EXPECT_EQ(doc.History().StepCount(), 2u);
}

TEST(HistoryMemory, DeletedPhotosAreKeptWithLittleBesides)
{
    AlbumDocument doc;
    FillLargeAlbum(doc);
    EditSettings(doc, [&](AlbumSettings& s) { s.useTabs = 0; });
    for (int i = 0; i < 100; ++i)
        DeleteAlbumItem(doc, 0);
    EXPECT_EQ(doc.History().HeldItems(), 100u);
    EXPECT_LE(doc.History().OverheadBytes(), 100u * 1024u);
    doc.GoToStep(0);
    EXPECT_EQ(doc.History().HeldItems(), 0u);
    EXPECT_EQ(doc.ItemCount(), 200u);
}

class CountingObserver final : public AlbumObserver {
public:
    void ItemsChanged(size_t first, size_t count) override { items.emplace_back(first, count); }
    void TabsChanged() override { ++tabs; }
    void ModifiedChanged(bool modified) override { marks.push_back(modified); }
    std::vector<std::pair<size_t, size_t>> items;
    int tabs = 0;
    std::vector<bool> marks;
};

TEST(Observers, AreToldWhatEachStepTouched)
{
    AlbumDocument doc;
    test::FillSampleAlbum(doc);
    doc.MarkSaved();
    CountingObserver observer;
    doc.AddObserver(&observer);
    ASSERT_TRUE(MoveAlbumItem(doc, 2, 1));
    SetItemDescription(doc, 0, "x");
    DeleteAlbumItem(doc, 0);
    doc.Undo();
    doc.RemoveObserver(&observer);
    doc.Undo();
    EXPECT_EQ(observer.items, (std::vector<std::pair<size_t, size_t>>{
                                  {1, 2}, {0, 1}, {0, AlbumChange::kToEnd}, {0, AlbumChange::kToEnd}}));
    EXPECT_EQ(observer.marks, std::vector<bool>{true});
}

}  // namespace
}  // namespace lumora
