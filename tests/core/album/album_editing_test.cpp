// The album's editing operations: tabs and their rules, inserting photos
// with their previews, remaking previews, the password.
#include <cstdlib>
#include <fstream>
#include <filesystem>
#include <gtest/gtest.h>

#include "core/album/album_document.h"
#include "core/album/album_messages.h"
#include "core/album/preview_retry.h"
#include "core/platform/services.h"
#include "album_test_support.h"
#include "core/formats/bmp_writer.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::CapturingReporter;
using test::TabIndices;
using test::TempDir;

void AddItemsWithTabs(AlbumDocument& doc, std::initializer_list<int16_t> tabIndices)
{
    int16_t highest = 0;
    std::vector<std::unique_ptr<AlbumItem>> items;
    for (const int16_t t : tabIndices) {
        items.push_back(std::make_unique<AlbumItem>("x.bmp"));
        items.back()->tabIndex = t;
        highest = std::max(highest, t);
    }
    while (doc.TabCount() <= static_cast<size_t>(highest))
        test::AppendTab(doc, std::make_unique<SectionTab>("t", static_cast<int>(doc.TabCount())));
    test::AppendItems(doc, std::move(items));
}

TEST(AlbumTabs, NewTabsTakeTheirColourFromTheTable)
{
    EXPECT_EQ(SectionTab("a", 0).tabColor, 0x800000u);
    EXPECT_EQ(SectionTab("a", 5).tabColor, 0x008080u);
    EXPECT_EQ(SectionTab("a", 8).tabColor, 0x808080u);
    EXPECT_EQ(SectionTab("a", 8).nameColor, 0xFFFFFFu);
}

TEST(AlbumTabs, DeletingATabJoinsItsItemsToThePreviousSection)
{
    AlbumDocument doc;
    doc.Clear();
    AddItemsWithTabs(doc, {0, 0, 1, 2, 2, 3});
    const SectionTab& third = doc.Tab(2);
    doc.Perform(MakeTabChange(doc, 2, "deleted", third.tabColor, third.nameColor));
    EXPECT_EQ(doc.RemoveTab(2), AlbumDocument::TabEdit::Done);
    EXPECT_EQ(TabIndices(doc), (std::vector<int16_t>{0, 0, 1, 1, 1, 2}));
    ASSERT_EQ(doc.TabCount(), 3u);
    for (const auto& tab : doc.Tabs())
        EXPECT_NE(tab->name, "deleted");
    EXPECT_TRUE(doc.IsModified());
}

TEST(AlbumTabs, InsertingATabStartsASectionAtTheGivenItem)
{
    AlbumDocument doc;
    doc.Clear();
    AddItemsWithTabs(doc, {0, 1, 1, 1, 1});
    EXPECT_TRUE(doc.InsertTab(std::make_unique<SectionTab>("new", 3), 2, 3));
    EXPECT_EQ(TabIndices(doc), (std::vector<int16_t>{0, 1, 1, 2, 2}));
    EXPECT_EQ(doc.Tabs()[2]->name, "new");
    EXPECT_FALSE(doc.InsertTab(std::make_unique<SectionTab>("far", 0), 9, 0));
}

TEST(AlbumTabs, CommandRulesRefuseWithTheirMessages)
{
    AlbumDocument doc;
    doc.Clear();
    EXPECT_EQ(doc.AddTabBefore(0, std::make_unique<SectionTab>("a", 0)),
              AlbumDocument::TabEdit::NothingToDo);
    AddItemsWithTabs(doc, {0, 0, 1});
    doc.MarkSaved();
    CapturingReporter reporter;
    EXPECT_EQ(doc.AddTabBefore(0, std::make_unique<SectionTab>("a", 0)),
              AlbumDocument::TabEdit::NothingToDo);
    EXPECT_EQ(doc.AddTabBefore(2, std::make_unique<SectionTab>("a", 0)),
              AlbumDocument::TabEdit::Refused);
    EXPECT_EQ(doc.RemoveTab(0), AlbumDocument::TabEdit::Refused);
    EXPECT_TRUE(reporter.messages.empty());  // the caller tells the user, in these words:
    EXPECT_EQ(album_text::TabAlreadyThere(),
              "Il n'est pas possible d'insérer un onglet avant la première photo d'une section "
              "car un autre onglet existe déjà à cet endroit.");
    EXPECT_EQ(album_text::FirstTabStays(), "Il n'est pas possible de supprimer le premier onglet de l'album.");
    EXPECT_EQ(TabIndices(doc), (std::vector<int16_t>{0, 0, 1}));
    EXPECT_EQ(doc.TabCount(), 2u);
    EXPECT_FALSE(doc.IsModified());

    EXPECT_EQ(doc.AddTabBefore(1, std::make_unique<SectionTab>("b", 0)), AlbumDocument::TabEdit::Done);
    EXPECT_EQ(TabIndices(doc), (std::vector<int16_t>{0, 1, 2}));
    EXPECT_EQ(doc.Tabs()[1]->name, "b");
}

TEST(PreviewFitting, KeepsProportionsAndTouchesTheBox)
{
    struct Case {
        uint32_t W, H, w, h;
        int32_t width, height;
    };
    const Case cases[] = {
        {185, 140, 1000, 1000, 140, 140},
        {185, 297, 200, 100, 185, 92},
        {185, 297, 100, 400, 74, 297},
        {185, 140, 370, 280, 185, 140},
        {68, 51, 10, 5, 68, 34},       // enlarged
        {185, 140, 1, 30000, 1, 140},  // a sliver keeps one pixel
        {185, 140, 30000, 1, 185, 1},
    };
    for (const Case& c : cases) {
        const FittedSize size = FitPreview(c.W, c.H, c.w, c.h);
        EXPECT_EQ(size.width, c.width) << c.w << "x" << c.h;
        EXPECT_EQ(size.height, c.height) << c.w << "x" << c.h;
    }
}

class RetryWith final : public PreviewRetryHandler {
public:
    // Installed for the object's lifetime.
    ScopedServices installed_{[this](Services& services) { services.previewRetry = this; }};
    explicit RetryWith(std::vector<std::string> answers) : answers_(std::move(answers)) {}
    std::optional<std::string> AskRetry(const UnreadPicture& picture) override
    {
        asked.push_back(picture.path);
        reasons.push_back(picture.error);
        messages.insert(messages.end(), picture.messages.begin(), picture.messages.end());
        if (answers_.empty())
            return std::nullopt;
        std::string next = answers_.front();
        answers_.erase(answers_.begin());
        return next;
    }
    void Tell(const std::vector<HeldMessage>& said) override { told.insert(told.end(), said.begin(), said.end()); }
    std::vector<std::string> asked;
    std::vector<ReadError> reasons;
    std::vector<HeldMessage> messages, told;

private:
    std::vector<std::string> answers_;
};

class AlbumPhotos : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.Clear();
        wide = dir.File("wide.bmp");
        ASSERT_TRUE(WriteBMPFile(wide, test::MakeRgbPicture(400, 100, [](int32_t x, int32_t) {
                                     return ColorTriple{static_cast<uint8_t>(x), 0, 255};
                                 })));
        tall = dir.File("tall.bmp");
        ASSERT_TRUE(WriteBMPFile(tall, test::MakeRgbPicture(30, 60, [](int32_t, int32_t) {
                                     return ColorTriple{0, 255, 0};
                                 })));
    }
    TempDir dir;
    AlbumDocument doc;
    std::string wide, tall;
};

TEST_F(AlbumPhotos, InsertImageRecordsFactsAndFitsThePreview)
{
    ASSERT_TRUE(doc.InsertImage(wide, 0));
    ASSERT_EQ(doc.ItemCount(), 1u);
    const AlbumItem& item = *doc.Items()[0];
    EXPECT_TRUE(item.IsPhoto());
    EXPECT_EQ(item.imagePath, wide);
    EXPECT_EQ(item.imageWidth, 400);
    EXPECT_EQ(item.imageHeight, 100);
    EXPECT_EQ(item.bitsPerPixel, 24);
    EXPECT_EQ(item.imageFileSize, test::ReadBytes(wide).size());
    // Maxi 2+2: 185 x 140 box.
    EXPECT_EQ(item.preview.Width(), 185);
    EXPECT_EQ(item.preview.Height(), 46);
    // True-colour previews unless the preferences ask for 256 colours.
    EXPECT_EQ(item.preview.Image().BitCount(), 24);
    EXPECT_TRUE(doc.IsModified());

    Preferences classic;
    classic.previews256 = true;
    ScopedServices prefs([&](Services& s) { s.preferences = &classic; });
    ASSERT_TRUE(doc.InsertImage(wide, 1));
    EXPECT_EQ(doc.Items()[1]->preview.ColorCount(), 256);
    EXPECT_EQ(doc.Items()[1]->preview.Height(), 46);
}

TEST_F(AlbumPhotos, NewPhotosJoinTheSectionTheyAreInsertedInto)
{
    AddItemsWithTabs(doc, {0, 1, 2});
    ASSERT_TRUE(doc.InsertImage(tall, 1));
    ASSERT_TRUE(doc.InsertImage(tall, 99));  // appended
    EXPECT_EQ(TabIndices(doc), (std::vector<int16_t>{0, 1, 1, 2, 2}));
    EXPECT_EQ(doc.Items()[1]->imagePath, tall);
    EXPECT_EQ(doc.Items()[4]->imagePath, tall);
}

TEST_F(AlbumPhotos, UnreadableImageAsksForAnotherPathOrGivesUp)
{
    {
        const std::string missing = dir.File("missing.bmp");
        RetryWith handler({dir.File("also-missing.bmp"), tall});
        ASSERT_TRUE(doc.InsertImage(missing, 0));
        EXPECT_EQ(handler.asked,
                  (std::vector<std::string>{missing, dir.File("also-missing.bmp")}));
        EXPECT_EQ(handler.reasons, (std::vector<ReadError>{ReadError::NotFound, ReadError::NotFound}));
        EXPECT_EQ(doc.Items()[0]->imagePath, tall);  // the path that worked
    }
    doc.MarkSaved();
    EXPECT_FALSE(doc.InsertImage(dir.File("missing.bmp"), 0));  // no handler: abandon
    EXPECT_EQ(doc.ItemCount(), 1u);
    EXPECT_FALSE(doc.IsModified());
}

// The handler hears why a picture was not read, with the reader's own
// messages; nothing reaches the message boxes from the album itself.
TEST_F(AlbumPhotos, TheRetryQuestionCarriesTheReasonAndTheReadersMessages)
{
    const std::string damaged = dir.File("damaged.bmp");
    {
        std::ifstream in(wide, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        std::ofstream(damaged, std::ios::binary) << bytes.substr(0, 80);
    }
    const std::string large = dir.File("large.bmp");
    ASSERT_TRUE(WriteBMPFile(large, test::MakeRgbPicture(1100, 1000, [](int32_t, int32_t) {
                                 return ColorTriple{1, 2, 3};
                             })));
    CapturingReporter reporter;
    RetryWith handler({});
    EXPECT_FALSE(doc.InsertImage(damaged, 0));
    ::setenv("LUMORA_MAX_MEGAPIXELS", "1", 1);
    const bool insertedLarge = doc.InsertImage(large, 0);
    ::unsetenv("LUMORA_MAX_MEGAPIXELS");
    EXPECT_FALSE(insertedLarge);
    EXPECT_EQ(handler.reasons, (std::vector<ReadError>{ReadError::Damaged, ReadError::TooLarge}));
    ASSERT_EQ(handler.messages.size(), 1u);  // the damaged file's words are the caller's to choose
    EXPECT_NE(handler.messages[0].text.find("1100 x 1000"), std::string::npos) << handler.messages[0].text;
    EXPECT_TRUE(handler.told.empty());
    EXPECT_TRUE(reporter.messages.empty());
    EXPECT_TRUE(doc.Items().empty());
}

TEST_F(AlbumPhotos, RemakePreviewsFollowsTheLayoutAndDropsLostPictures)
{
    ASSERT_TRUE(doc.InsertImage(wide, 0));
    ASSERT_TRUE(doc.InsertImage(tall, 1));
    test::InsertItemAt(doc, 1, std::make_unique<AlbumItem>("texte", DefaultAlbumFont(10), 0));
    ASSERT_TRUE(doc.InsertImage(wide, 3));
    std::filesystem::copy_file(tall, dir.File("gone.bmp"));
    ASSERT_TRUE(doc.InsertImage(dir.File("gone.bmp"), 4));
    std::filesystem::remove(dir.File("gone.bmp"));

    AlbumSettings poster = doc.Settings();
    poster.layout = BookLayout::Poster;  // Poster 1+1: 185 x 297
    doc.Perform(MakeLayoutChange(doc, std::move(poster)));
    ASSERT_EQ(doc.ItemCount(), 4u);
    EXPECT_EQ(doc.Items()[0]->preview.Width(), 185);
    EXPECT_EQ(doc.Items()[0]->preview.Height(), 46);
    EXPECT_FALSE(doc.Items()[1]->IsPhoto());
    EXPECT_EQ(doc.Items()[2]->preview.Width(), 148);
    EXPECT_EQ(doc.Items()[2]->preview.Height(), 297);
    EXPECT_EQ(doc.Items()[3]->imagePath, wide);
}

TEST_F(AlbumPhotos, PastedPhotoKeepsAPreviewOfTheBoxSize)
{
    auto fitted = std::make_unique<AlbumItem>(dir.File("not-there.bmp"));
    fitted->preview.Attach(test::SmallPreview(185, 140, 3));
    ASSERT_TRUE(doc.InsertItem(std::move(fitted), 0));  // not reloaded
    EXPECT_EQ(doc.Items()[0]->preview.Height(), 140);

    auto other = std::make_unique<AlbumItem>(tall);
    other->preview.Attach(test::SmallPreview(10, 20, 3));
    ASSERT_TRUE(doc.InsertItem(std::move(other), 1));
    EXPECT_EQ(doc.Items()[1]->preview.Width(), 70);
    EXPECT_EQ(doc.Items()[1]->preview.Height(), 140);
}

class AnswerPassword final : public PasswordPrompt {
public:
    explicit AnswerPassword(std::optional<std::string> answer) : answer_(std::move(answer)) {}
    std::optional<std::string> AskPassword() override
    {
        ++asked;
        return answer_;
    }
    int asked = 0;

private:
    std::optional<std::string> answer_;
};

TEST(AlbumPassword, AskedOnceAndComparedExactly)
{
    using Check = AlbumDocument::PasswordCheck;
    struct Case {
        std::optional<std::string> typed;
        Check check;
    };
    const Case cases[] = {
        {"Secret", Check::Passed},
        {"secret", Check::Wrong},
        {"", Check::Wrong},                // Cancel
        {std::nullopt, Check::Cancelled},  // the dialog could not open
    };
    for (const Case& c : cases) {
        AlbumDocument doc;  // constructed: the check is pending
        EditSettings(doc, [&](AlbumSettings& s) { s.password = "Secret"; });
        AnswerPassword prompt(c.typed);
        CapturingReporter reporter;
        EXPECT_EQ(doc.CheckPassword(&prompt), c.check);
        EXPECT_EQ(doc.CheckPassword(&prompt), Check::Passed);  // only the first call asks
        EXPECT_EQ(prompt.asked, 1);
        EXPECT_TRUE(reporter.messages.empty());  // the window tells the user
    }
    EXPECT_EQ(album_text::WrongPassword(), "Mot de passe incorrect. Accès à l'album refusé.");
    AlbumDocument fresh;
    fresh.Clear();
    EditSettings(fresh, [&](AlbumSettings& s) { s.password = "x"; });
    AnswerPassword prompt("wrong");
    EXPECT_EQ(fresh.CheckPassword(&prompt), Check::Passed);  // a new album never asks
    EXPECT_EQ(prompt.asked, 0);
    AlbumDocument noDialog;
    EditSettings(noDialog, [&](AlbumSettings& s) { s.password = "x"; });
    EXPECT_EQ(noDialog.CheckPassword(nullptr), Check::Cancelled);
}

TEST(AlbumPassword, SettingRefusesTheCharacterTheFileCannotHold)
{
    AlbumDocument doc;
    doc.Clear();
    CapturingReporter reporter;
    EXPECT_TRUE(doc.SetPassword("Ελλάδα"));
    EXPECT_EQ(doc.Settings().password, "Ελλάδα");
    EXPECT_FALSE(doc.SetPassword("ab\xC2\x81"));
    EXPECT_EQ(doc.Settings().password, "Ελλάδα");
    EXPECT_TRUE(reporter.messages.empty());  // the dialog that asked says why

    AlbumDocument read;
    test::LoadFromBytes(read, test::StoreToBytes(doc));
    EXPECT_EQ(read.Settings().password, "Ελλάδα");
}

}  // namespace
}  // namespace lumora
