// Writing and reading whole album files: the exact layout of a new album,
// round trips, and every way a file can be refused.
#include <array>
#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/album/album_document.h"
#include "core/album/load_progress.h"
#include "core/res/strings.h"
#include "core/platform/services.h"
#include "album_test_support.h"
#include "support/file_size_limit.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::Bytes;
using test::CapturingReporter;
using test::RecordingProgress;
using test::TempDir;

Bytes& DefaultFont(Bytes& b, int16_t height)
{
    b.U16(static_cast<uint16_t>(height)).U16(0).U16(0).U16(0).U16(400);
    b.U8(1).U8(0).U8(0).U8(0).U8(0).U8(0).U8(0).U8(0);
    return b.Short("Times New Roman");
}

TEST(AlbumFile, NewAlbumHasTheseExactBytes)
{
    AlbumDocument doc;
    doc.Clear();
    Bytes expected;
    expected.Raw("QZA20").U8(0);              // magic, reserved header text
    expected.U16(1).U16(1).U16(0).U16(0);     // header title, page numbers, frame, tabs
    expected.U16(1).U16(1).U32(0x808000);     // layout, flyleaf, desk
    expected.Short("Titre de l'album").U32(0x800000).U16(1);
    expected.Short("Description de l'album, date, auteur...");
    expected.U16(0).U8(0);                    // item total, no password
    for (const int16_t height : {-29, -16, -13, -13, -7})
        DefaultFont(expected, height);
    // One tab "Sans Nom", dark blue on white; no items.
    expected.U16(1).U16(0xFFFF).U16(3).U16(7).Raw("COnglet");
    expected.Short("Sans Nom").U8(0).U32(0x800000).U32(0xFFFFFF);
    expected.U16(0);
    EXPECT_EQ(test::StoreToBytes(doc), expected.data);
}

TEST(AlbumFile, TwoTabsAndThreePhotosCarryTheseTags)
{
    AlbumDocument doc;
    doc.Clear();
    test::AppendTab(doc, std::make_unique<SectionTab>("B", 1));
    std::vector<std::unique_ptr<AlbumItem>> items;
    for (const char* path : {"a", "b", "c"})
        items.push_back(std::make_unique<AlbumItem>(path));
    items[2]->tabIndex = 1;
    test::AppendItems(doc, std::move(items));
    const auto bytes = test::StoreToBytes(doc);

    Bytes tail;
    tail.U16(2).U16(0xFFFF).U16(3).U16(7).Raw("COnglet");
    tail.Short("Sans Nom").U8(0).U32(0x800000).U32(0xFFFFFF);
    tail.U16(0x8001).Short("B").U8(0).U32(0x008000).U32(0xFFFFFF);
    tail.U16(3).U16(0xFFFF).U16(2).U16(9).Raw("CMyObject");
    const auto photo = [&](const char* path, uint16_t tab) {
        tail.U16(0).Short(path).U8(0).U16(tab).U16(0).U16(0).U16(0).U32(0);
        tail.U8(0).U8(0).U32(0).U32(0);  // sound, text, colour, empty picture
    };
    photo("a", 0);
    tail.U16(0x8004);
    photo("b", 0);
    tail.U16(0x8004);
    photo("c", 1);
    ASSERT_GE(bytes.size(), tail.data.size());
    EXPECT_TRUE(std::equal(tail.data.begin(), tail.data.end(), bytes.end() - tail.data.size()));
}

TEST(AlbumFile, NewAlbumReadsBackWithNegativeFontHeights)
{
    AlbumDocument doc, read;
    doc.Clear();
    test::LoadFromBytes(read, test::StoreToBytes(doc));
    test::ExpectSameAlbum(doc, read);
    ASSERT_EQ(read.TabCount(), 1u);
    EXPECT_EQ(read.Tabs()[0]->name, "Sans Nom");
    EXPECT_TRUE(read.Items().empty());
    EXPECT_EQ(read.Settings().fonts[kTitleFont].height, -29);
    EXPECT_EQ(read.WrongFormat(), 0u);
}

TEST(AlbumFile, EveryFieldSurvivesSaveAndOpen)
{
    TempDir dir;
    AlbumDocument doc;
    test::FillSampleAlbum(doc);
    EditSettings(doc, [&](AlbumSettings& s) { s.fonts[kPhotosFont].height = -300; });
    EditSettings(doc, [&](AlbumSettings& s) { s.fonts[kTitleFont].faceName = "Ελληνικά"; });  // needs the Unicode form
    ItemContent content = ContentOf(doc.Item(0));
    content.description = "😀 emoji";
    doc.Perform(MakeContentChange(doc, 0, std::move(content), ContentKind::Description));
    ASSERT_TRUE(doc.Save(dir.File("a.qza")));
    EXPECT_FALSE(doc.IsModified());

    AlbumDocument read;
    ASSERT_TRUE(read.Open(dir.File("a.qza")));
    test::ExpectSameAlbum(doc, read);
    EXPECT_EQ(read.Path(), dir.File("a.qza"));
    EXPECT_TRUE(read.PasswordCheckPending());
    EXPECT_EQ(read.Tabs()[1]->tabColor, 0x010203u);
    EXPECT_EQ(read.Tabs()[1]->reserved, "réservé");
    EXPECT_FALSE(read.Items()[1]->IsPhoto());
    EXPECT_EQ(read.Items()[1]->font->weight, 700);

    // Written again, the file is the same byte for byte.
    ASSERT_TRUE(read.Save(dir.File("b.qza")));
    EXPECT_EQ(test::ReadBytes(dir.File("a.qza")), test::ReadBytes(dir.File("b.qza")));
}

TEST(AlbumFile, AnyKindOtherThanZeroIsAText)
{
    AlbumDocument doc;
    doc.Clear();
    auto text = std::make_unique<AlbumItem>("t", DefaultAlbumFont(10), 0);
    text->kind = -1;
    test::AppendItem(doc, std::move(text));
    AlbumDocument read;
    test::LoadFromBytes(read, test::StoreToBytes(doc));
    ASSERT_EQ(read.ItemCount(), 1u);
    EXPECT_EQ(read.Items()[0]->kind, -1);
    EXPECT_FALSE(read.Items()[0]->IsPhoto());
    EXPECT_TRUE(read.Items()[0]->preview.IsEmpty());
    ASSERT_TRUE(read.Items()[0]->font);
    EXPECT_EQ(read.Items()[0]->font->height, -13);
}

class AlbumOpenFailure : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.Clear();
        EditSettings(doc, [&](AlbumSettings& s) { s.title = "kept"; });
        test::AppendItem(doc, std::make_unique<AlbumItem>("kept.bmp"));
    }
    // Opens `bytes` as a file; the one message shown, or "" when it opened.
    std::string OpenBytes(const std::vector<uint8_t>& bytes)
    {
        test::WriteBytes(dir.File("x.qza"), bytes);
        CapturingReporter reporter;
        const AlbumFileResult opened = doc.Open(dir.File("x.qza"));
        EXPECT_TRUE(reporter.messages.empty());  // the caller tells the user
        EXPECT_EQ(opened.path, dir.File("x.qza"));
        return AlbumFileMessage(opened);
    }
    void ExpectUnchanged()
    {
        EXPECT_EQ(doc.Settings().title, "kept");
        ASSERT_EQ(doc.ItemCount(), 1u);
        EXPECT_EQ(doc.Items()[0]->imagePath, "kept.bmp");
    }
    TempDir dir;
    AlbumDocument doc;
    const std::string kUnexpected = "Format de fichier inattendu.";
    const std::string kCut = "Le fichier s'arrête au milieu d'un enregistrement (fichier tronqué).";
    const std::string kBeyond = "Le fichier annonce plus de données qu'il n'en contient.";
    std::string Unexpected(const std::string& cause) const { return kUnexpected + "\n" + cause; }
    const std::string kNotAlbum =
        "Le fichier spécifié n'est pas au format Lumora ou nécessite une version plus récente "
        "de Lumora.";
};

TEST_F(AlbumOpenFailure, WrongMagicOrTooShortIsNotAnAlbum)
{
    AlbumDocument sample;
    sample.Clear();
    auto bytes = test::StoreToBytes(sample);
    bytes[4] = '1';  // QZA21
    EXPECT_EQ(OpenBytes(bytes), kNotAlbum);
    EXPECT_EQ(doc.WrongFormat(), 1u);
    ExpectUnchanged();
    EXPECT_EQ(OpenBytes({'Q', 'Z', 'A'}), kNotAlbum);
    EXPECT_EQ(OpenBytes({}), kNotAlbum);
    ExpectUnchanged();
}

TEST_F(AlbumOpenFailure, LowerCaseMagicIsAccepted)
{
    AlbumDocument sample;
    sample.Clear();
    EditSettings(sample, [&](AlbumSettings& s) { s.title = "minuscules"; });
    auto bytes = test::StoreToBytes(sample);
    bytes[0] = 'q', bytes[1] = 'z', bytes[2] = 'a';
    EXPECT_EQ(OpenBytes(bytes), "");
    EXPECT_EQ(doc.Settings().title, "minuscules");
    EXPECT_EQ(doc.WrongFormat(), 0u);
}

TEST_F(AlbumOpenFailure, EveryTruncationIsALoadErrorAndChangesNothing)
{
    AlbumDocument sample;
    test::FillSampleAlbum(sample);
    const auto bytes = test::StoreToBytes(sample);
    for (size_t length = 0; length < bytes.size(); ++length) {
        const std::string message = OpenBytes({bytes.begin(), bytes.begin() + length});
        if (length < 5)
            EXPECT_EQ(message, kNotAlbum) << length;
        else  // the cause on a second line: cut inside a record, or a count beyond the end
            EXPECT_TRUE(message == Unexpected(kCut) || message == Unexpected(kBeyond)) << length << message;
        if (HasFailure())
            break;
    }
    ExpectUnchanged();
    EXPECT_EQ(OpenBytes(bytes), "");
    EXPECT_EQ(doc.ItemCount(), 3u);
}

TEST_F(AlbumOpenFailure, WrongSchemaAndUnknownClassAreLoadErrors)
{
    AlbumDocument sample;
    sample.Clear();
    const auto bytes = test::StoreToBytes(sample);
    // The tab array's announcement: 01 00 FF FF 03 00 07 00 "COnglet".
    const std::vector<uint8_t> marker = {0xFF, 0xFF, 0x03, 0x00, 0x07, 0x00, 'C', 'O'};
    const auto at = std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end());
    ASSERT_NE(at, bytes.end());
    const size_t offset = static_cast<size_t>(at - bytes.begin());

    auto wrongSchema = bytes;
    wrongSchema[offset + 2] = 2;
    EXPECT_EQ(OpenBytes(wrongSchema), Unexpected("Le fichier contient un objet d'une version inconnue."));
    auto unknownClass = bytes;
    unknownClass[offset + 7] = 'X';
    EXPECT_EQ(OpenBytes(unknownClass), Unexpected("Le fichier contient un type d'objet inconnu."));
    auto hugeCount = bytes;
    hugeCount[offset - 2] = 0xFF, hugeCount[offset - 1] = 0xFF;
    EXPECT_EQ(OpenBytes(hugeCount), Unexpected(kBeyond));
    ExpectUnchanged();
}

TEST_F(AlbumOpenFailure, MissingFileNamesThePath)
{
    const AlbumFileResult opened = doc.Open(dir.File("absent.qza"));
    EXPECT_EQ(opened.outcome, AlbumFileOutcome::PathNotFound);
    EXPECT_NE(AlbumFileMessage(opened).find(dir.File("absent.qza")), std::string::npos);
    ExpectUnchanged();
    EXPECT_EQ(doc.Open(dir.Path()).outcome, AlbumFileOutcome::PathNotFound);  // a folder
    ExpectUnchanged();
    EXPECT_TRUE(doc.Open(""));  // nothing to read
    ExpectUnchanged();
}

TEST_F(AlbumOpenFailure, ItemTotalOfZeroStillReadsEveryItem)
{
    AlbumDocument sample;
    test::FillSampleAlbum(sample);
    auto bytes = test::StoreToBytes(sample);
    // The item total follows the description "Été 2024" (8 Windows-1252 bytes).
    const std::vector<uint8_t> marker = {8, 0xC9, 't', 0xE9, ' ', '2', '0', '2', '4', 3, 0};
    const auto at = std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end());
    ASSERT_NE(at, bytes.end());
    at[9] = 0;  // total 0

    RecordingProgress progress;
    EXPECT_EQ(OpenBytes(bytes), "");
    EXPECT_EQ(doc.ItemCount(), 3u);
    EXPECT_EQ(progress.begun, 1);
    EXPECT_EQ(progress.ended, 1);
    ASSERT_EQ(progress.steps.size(), 3u);
    for (const auto& [done, total] : progress.steps)
        EXPECT_GE(total, std::max(done, 1L));
    EXPECT_EQ(progress.steps.back(), std::make_pair(3L, 3L));
}

TEST(AlbumSave, FailedSaveKeepsTheOldFileAndReports)
{
    TempDir dir;
    AlbumDocument doc;
    test::FillSampleAlbum(doc);
    const std::string path = dir.File("album.qza");
    ASSERT_TRUE(doc.Save(path));
    const auto before = test::ReadBytes(path);

    EditSettings(doc, [&](AlbumSettings& s) { s.title = "changé"; });
    doc.MarkModified();
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0500), 0);  // no new files in the folder
    const AlbumFileResult saved = doc.Save(path);
    ::chmod(dir.Path().c_str(), 0700);
    if (::geteuid() != 0) {
        EXPECT_EQ(saved.outcome, AlbumFileOutcome::CannotWrite);
        EXPECT_TRUE(doc.IsModified());
        EXPECT_NE(AlbumFileMessage(saved).find(path), std::string::npos);
        EXPECT_EQ(test::ReadBytes(path), before);
    }
    EXPECT_FALSE(doc.Save(dir.File("no/such/folder/a.qza")));

    // A good save replaces the file and leaves nothing else behind.
    ASSERT_TRUE(doc.Save(path));
    AlbumDocument read;
    ASSERT_TRUE(read.Open(path));
    EXPECT_EQ(read.Settings().title, "changé");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
}

// The on/off settings are bools; the file's words for them (other programs
// wrote 2, 0xFFFF...) and frame, effect or layout numbers no dialog offers are
// written back as they were read unless the user changes that setting.
TEST(AlbumSettingsFile, StoredWordsSurviveAndOnlyAChangedFlagIsRewritten)
{
    AlbumDocument doc;
    test::FillSampleAlbum(doc);
    std::vector<uint8_t> bytes = test::StoreToBytes(doc);
    // After "QZA20" and the empty reserved text: six 16-bit words.
    constexpr size_t kWords = 6;
    const auto word = [&](const std::vector<uint8_t>& b, size_t i) { return b[kWords + 2 * i] | b[kWords + 2 * i + 1] << 8; };
    const auto setWord = [&](size_t i, uint16_t value) {
        bytes[kWords + 2 * i] = value & 0xFF;
        bytes[kWords + 2 * i + 1] = value >> 8;
    };
    enum { kHeaderTitle, kPageNumbers, kFrame, kUseTabs, kLayout, kFlyleaf };
    setWord(kHeaderTitle, 2);
    setWord(kPageNumbers, 0);
    setWord(kFrame, 7);
    setWord(kUseTabs, 0xFFFF);
    setWord(kFlyleaf, 0x8001);
    setWord(kLayout, 9);
    AlbumDocument read;
    test::LoadFromBytes(read, bytes);
    const AlbumSettings& s = read.Settings();
    EXPECT_TRUE(s.headerTitle);
    EXPECT_FALSE(s.pageNumbers);
    EXPECT_EQ(static_cast<int>(s.frameStyle), 7);
    EXPECT_EQ(LayoutNumber(s.layout), 9);
    EXPECT_FALSE(IsKnownLayout(s.layout));
    EXPECT_EQ(&read.Layout(), &kLayouts[kDefaultLayout]);  // laid out as Maxi 2+2
    EXPECT_TRUE(s.useTabs);
    EXPECT_TRUE(s.flyleaf);
    EXPECT_EQ(test::StoreToBytes(read), bytes);  // byte for byte

    EditSettings(read, [](AlbumSettings& changed) {
        changed.flyleaf = false;
        changed.pageNumbers = true;
        changed.useTabs = true;  // as it was
    });
    const auto saved = test::StoreToBytes(read);
    const struct {
        size_t word;
        int expected;
    } words[] = {{kHeaderTitle, 2}, {kPageNumbers, 1}, {kFrame, 7}, {kUseTabs, 0xFFFF}, {kFlyleaf, 0}};
    for (const auto& w : words)
        EXPECT_EQ(word(saved, w.word), w.expected) << "word " << w.word;
    read.Undo();
    EXPECT_EQ(test::StoreToBytes(read), bytes);
}

// Every way opening or saving ends, and what the user reads of it: the
// string-table texts by number, the rest word for word.
TEST(AlbumFileMessages, EachOutcomeGivesTheProgramsText)
{
    const std::string p = "/home/anne/vacances.qza";
    const auto result = [&](AlbumFileOutcome outcome) {
        AlbumFileResult r;
        r.outcome = outcome;
        r.path = p;
        return r;
    };
    AlbumFileResult damaged = result(AlbumFileOutcome::Damaged);
    damaged.cause = ArchiveError::Cause::BadCount;
    AlbumFileResult locked = result(AlbumFileOutcome::Locked);
    locked.lockText = "Le fichier " + p + " est en cours de modification par un autre programme";
    AlbumFileResult readOnly = result(AlbumFileOutcome::ReadOnly);
    readOnly.failure = {WriteProblem::ReadOnly, 0};
    AlbumFileResult full = result(AlbumFileOutcome::CannotWrite);
    full.failure = {WriteProblem::System, ENOSPC};
    const struct {
        AlbumFileResult result;
        std::string text;
    } cases[] = {
        {result(AlbumFileOutcome::Done), ""},
        {result(AlbumFileOutcome::KeptOtherVersion), ""},
        {result(AlbumFileOutcome::PathNotFound),
         p + "\nChemin introuvable. Vérifiez que le chemin et le nom de fichier sont corrects."},  // 61729
        {result(AlbumFileOutcome::AccessDenied), "Impossible de lire " + p + " : l'accès au fichier est refusé."},
        {result(AlbumFileOutcome::NotRegularFile),
         p + " n'est pas un fichier ordinaire (périphérique, tube ou répertoire) : il n'a pas été ouvert."},
        {result(AlbumFileOutcome::CannotOpen), LoadString(61697)},
        {damaged, LoadString(61728) + "\nLe fichier annonce plus de données qu'il n'en contient."},
        {result(AlbumFileOutcome::NotAnAlbum), LoadString(55054)},
        {result(AlbumFileOutcome::OutOfMemory),
         "Mémoire insuffisante pour lire " + p + ". Fermez plusieurs applications puis recommencez."},
        {locked, locked.lockText},
        {readOnly, "Le fichier " + p + " est en lecture seule : il n'a pas été modifié. Enregistrez sous un autre nom."},
        {full, "Le disque de destination est plein : " + p + " n'a pas été modifié."},
    };
    EXPECT_EQ(LoadString(61731), "Impossible de lire %1 : l'accès au fichier est refusé.");
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.result.outcome));
        EXPECT_EQ(AlbumFileMessage(c.result), c.text);
        EXPECT_EQ(c.result.Succeeded(), c.result.outcome == AlbumFileOutcome::Done);
    }
}

TEST(AlbumSave, AlbumChangedByAnotherProgramIsNotOverwrittenUnasked)
{
    TempDir dir;
    const std::string path = dir.File("album.qza");
    {
        AlbumDocument first;
        test::FillSampleAlbum(first);
        ASSERT_TRUE(first.Save(path));
    }
    AlbumDocument window;
    ASSERT_TRUE(window.Open(path));
    // Another program changes the file while the window has it open.
    {
        AlbumDocument other;
        ASSERT_TRUE(other.Open(path));
        EditSettings(other, [&](AlbumSettings& s) { s.title = "par la ligne de commande"; });
        ASSERT_TRUE(other.Save(path));
    }
    const auto theirs = test::ReadBytes(path);
    EditSettings(window, [&](AlbumSettings& s) { s.title = "dans la fenêtre"; });
    window.MarkModified();

    // Without anyone to ask, the safe answer: nothing is written.
    const AlbumFileResult unasked = window.Save(path);
    EXPECT_EQ(unasked.outcome, AlbumFileOutcome::KeptOtherVersion);
    EXPECT_EQ(AlbumFileMessage(unasked), "");  // the user chose: nothing to tell
    EXPECT_TRUE(window.IsModified());
    EXPECT_EQ(test::ReadBytes(path), theirs);
    int asked = 0;
    EXPECT_EQ(window.Save(path, [&] { return ++asked, false; }).outcome, AlbumFileOutcome::KeptOtherVersion);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(test::ReadBytes(path), theirs);
    const auto yes = [&] { return ++asked, true; };
    ASSERT_TRUE(window.Save(path, yes));
    EXPECT_EQ(asked, 2);
    // Once saved, the window's own file is no stranger: no question.
    EditSettings(window, [&](AlbumSettings& s) { s.title = "encore"; });
    ASSERT_TRUE(window.Save(path, yes));
    EXPECT_EQ(asked, 2);
    AlbumDocument read;
    ASSERT_TRUE(read.Open(path));
    EXPECT_EQ(read.Settings().title, "encore");
}

TEST(AlbumSave, ReadOnlyAlbumAndFullDiskKeepTheFileAsItWas)
{
    TempDir dir;
    AlbumDocument doc;
    test::FillSampleAlbum(doc);
    const std::string path = dir.File("album.qza");
    ASSERT_TRUE(doc.Save(path));
    const auto before = test::ReadBytes(path);
    EditSettings(doc, [&](AlbumSettings& s) { s.title = "changé"; });

    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    {
        const AlbumFileResult saved = doc.Save(path);  // root too
        EXPECT_EQ(saved.outcome, AlbumFileOutcome::ReadOnly);
        EXPECT_NE(AlbumFileMessage(saved).find("est en lecture seule"), std::string::npos);
    }
    EXPECT_EQ(test::ReadBytes(path), before);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);

    // A write that fails halfway (the file size limit stands in for a
    // full disk): the album stays byte for byte, nothing is left beside it.
    AlbumFileResult saved64;
    {
        const test::FileSizeLimit limit(64);
        saved64 = doc.Save(path);
    }
    EXPECT_EQ(saved64.outcome, AlbumFileOutcome::CannotWrite);
    EXPECT_NE(AlbumFileMessage(saved64), "");
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              1);
    ASSERT_TRUE(doc.Save(path));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);  // the mode the user gave it
}

// Font records as other programs wrote them: every field the program does
// not interpret, and on/off bytes other than 0 and 1.
std::vector<LogFont> OddFontRecords()
{
    const auto record = [](int32_t height, int32_t width, int32_t escapement, int32_t orientation, int32_t weight,
                           std::array<uint8_t, 8> bytes, std::string face) {
        LogFont r;
        r.height = height;
        r.width = width;
        r.escapement = escapement;
        r.orientation = orientation;
        r.weight = weight;
        r.italic = bytes[0];
        r.underline = bytes[1];
        r.strikeOut = bytes[2];
        r.charSet = bytes[3];
        r.outPrecision = bytes[4];
        r.clipPrecision = bytes[5];
        r.quality = bytes[6];
        r.pitchAndFamily = bytes[7];
        r.faceName = std::move(face);
        return r;
    };
    return {
        record(-29, 11, 900, 900, 700, {0x80, 0, 0xFF, 0xEE, 3, 2, 1, 0x22}, "Arial"),
        record(16, -3, -450, 0, 0, {2, 0x40, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}, "Times New Roman"),
        record(-32768, 32767, 3600, -3600, 1000, {1, 1, 1, 0xA1, 0, 0, 4, 0x31}, "Ελληνικά"),
        record(0, 0, 0, 0, 400, {0, 0, 0, 0, 0, 0, 0, 0}, ""),
        record(-13, 5, 1, 2, 401, {0xFE, 0x7F, 0x01, 0x80, 7, 8, 9, 10}, "Courier New"),
    };
}

TEST(AlbumFonts, OddRecordsSurviveAReadAndWriteByteForByte)
{
    const std::vector<LogFont> odd = OddFontRecords();
    for (const LogFont& r : odd)
        EXPECT_EQ(RecordOf(FontOfRecord(r)), r) << r.faceName;
    AlbumDocument doc;
    doc.Clear();
    EditSettings(doc, [&](AlbumSettings& s) {
        for (size_t i = 0; i < odd.size(); ++i)
            s.fonts[i] = FontOfRecord(odd[i]);
    });
    test::AppendItem(doc, std::make_unique<AlbumItem>("texte", FontOfRecord(odd[0]), 0));
    const auto bytes = test::StoreToBytes(doc);
    AlbumDocument read;
    test::LoadFromBytes(read, bytes);
    for (size_t i = 0; i < odd.size(); ++i)
        EXPECT_EQ(RecordOf(read.Settings().fonts[i]), odd[i]) << i;
    ASSERT_TRUE(read.Item(0).font);
    EXPECT_EQ(RecordOf(*read.Item(0).font), odd[0]);
    EXPECT_TRUE(read.Item(0).font->italic);  // 0x80: italic
    EXPECT_EQ(test::StoreToBytes(read), bytes);
}

TEST(AlbumFonts, ChangingOneFontRewritesThatFontAlone)
{
    const std::vector<LogFont> odd = OddFontRecords();
    AlbumDocument doc;
    doc.Clear();
    EditSettings(doc, [&](AlbumSettings& s) {
        for (size_t i = 0; i < odd.size(); ++i)
            s.fonts[i] = FontOfRecord(odd[i]);
    });
    AlbumDocument read;
    test::LoadFromBytes(read, test::StoreToBytes(doc));
    EditSettings(read, [](AlbumSettings& s) {
        s.fonts[kTitleFont].height = -40;
        s.fonts[kTitleFont].italic = true;  // as it was: its byte stays 0x80
        s.fonts[kDescriptionFont].underline = false;
    });
    AlbumDocument again;
    test::LoadFromBytes(again, test::StoreToBytes(read));
    LogFont title = odd[kTitleFont];
    title.height = -40;
    title.width = 0;  // made for the old height
    EXPECT_EQ(RecordOf(again.Settings().fonts[kTitleFont]), title);
    LogFont description = odd[kDescriptionFont];
    description.underline = 0;
    EXPECT_EQ(RecordOf(again.Settings().fonts[kDescriptionFont]), description);
    for (int i = kPageTitleFont; i < kAlbumFontCount; ++i)
        EXPECT_EQ(RecordOf(again.Settings().fonts[static_cast<size_t>(i)]), odd[static_cast<size_t>(i)]) << i;
}

TEST(AlbumPagination, RunsAfterNewOpenAndEveryChange)
{
    TempDir dir;
    int calls = 0;
    AlbumDocument::SetDefaultPaginator([&](LayoutDocument& d) {
        ++calls;
        d.SetPageCount(2 + 2 * d.ItemCount());
    });
    AlbumDocument doc;
    AlbumDocument::SetDefaultPaginator(nullptr);
    doc.Clear();
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(doc.IsModified());
    std::vector<std::unique_ptr<AlbumItem>> one;
    one.push_back(std::make_unique<AlbumItem>("a"));
    doc.Perform(MakeInsertion(doc, 0, std::move(one), InsertionKind::Paste));
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(doc.PageCount(), 4);
    EXPECT_TRUE(doc.IsModified());
    ASSERT_TRUE(doc.Save(dir.File("p.qza")));
    doc.Undo();
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(doc.PageCount(), 2);
    ASSERT_TRUE(doc.Open(dir.File("p.qza")));
    EXPECT_EQ(calls, 4);
    EXPECT_EQ(doc.PageCount(), 4);
}

}  // namespace
}  // namespace lumora
