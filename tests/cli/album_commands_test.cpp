#include <chrono>
#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <gtest/gtest.h>

#include "core/album/album_document.h"
#include "core/formats/bmp_writer.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::RunCli;
using test::TempDir;
using test::TestDataPath;

TEST(CliAlbum, BuildsAnAlbumThatTheDocumentReadsBack)
{
    TempDir dir;
    const std::string album = dir.File("a.qza");
    ASSERT_EQ(RunCli({"album", "new", album, "--title", "Été", "--layout", "0", "--tabs", "on"}), 0);
    ASSERT_EQ(RunCli({"album", "add", album, TestDataPath("bmp/bmpsuite-g-pal8.bmp"),
                      TestDataPath("bmp/bmpsuite-g-rgb24.bmp")}),
              0);
    ASSERT_EQ(RunCli({"album", "add-text", album, "Bonjour", "--at", "1"}), 0);
    ASSERT_EQ(RunCli({"album", "add-tab", album, "--before", "2", "--name", "Deux"}), 0);
    ASSERT_EQ(RunCli({"album", "set", album, "desk=0x102030", "flyleaf=off", "password=pw",
                      "titlecolor=255", "frame=2"}),
              0);

    AlbumDocument doc;
    ASSERT_TRUE(doc.Open(album));
    EXPECT_EQ(doc.Settings().title, "Été");
    EXPECT_EQ(doc.Settings().layout, BookLayout::Poster);
    EXPECT_EQ(doc.Settings().useTabs, 1u);
    EXPECT_EQ(doc.Settings().flyleaf, 0u);
    EXPECT_EQ(doc.Settings().deskColor, 0x102030u);
    EXPECT_EQ(doc.Settings().titleColor, 255u);
    EXPECT_EQ(doc.Settings().frameStyle, FrameStyle::Shadowed);
    EXPECT_EQ(doc.Settings().password, "pw");
    ASSERT_EQ(doc.ItemCount(), 3u);
    EXPECT_TRUE(doc.Items()[0]->IsPhoto());
    EXPECT_EQ(doc.Items()[0]->preview.Width(), 185);  // 127 x 64 in the poster box
    EXPECT_EQ(doc.Items()[1]->text, "Bonjour");
    EXPECT_EQ(doc.Items()[2]->tabIndex, 1);
    ASSERT_EQ(doc.TabCount(), 2u);
    EXPECT_EQ(doc.Tabs()[1]->name, "Deux");

    std::string out;
    ASSERT_EQ(RunCli({"album", "info", album, "--json"}, &out), 0);
    for (const char* key : {"\"title\": \"Été\"", "\"usetabs\": true", "\"flyleaf\": false",
                            "\"desk\": 1056816", "\"protected\": true", "\"pagecount\": ",
                            "\"photos\": {\"height\": -7", "\"firstpage\": ", "\"kind\": \"text\"",
                            "\"preview\": null", "\"preview\": [185, 93]", "\"bpp\": 24"})
        EXPECT_NE(out.find(key), std::string::npos) << key << "\n" << out;
    // The password itself is never printed, in either form.
    EXPECT_EQ(out.find("\"pw\""), std::string::npos) << out;
    ASSERT_EQ(RunCli({"album", "info", album}, &out), 0);
    EXPECT_NE(out.find("mot de passe : oui\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("pw"), std::string::npos) << out;
    ASSERT_EQ(RunCli({"album", "set", album, "password="}), 0);
    ASSERT_EQ(RunCli({"album", "info", album, "--json"}, &out), 0);
    EXPECT_NE(out.find("\"protected\": false"), std::string::npos) << out;
}

// True-colour previews unless asked for the smaller 256-colour ones.
TEST(CliAlbum, PreviewDepthFollowsThePreviews256Option)
{
    TempDir dir;
    const std::string album = dir.File("a.qza");
    const std::string photo = TestDataPath("bmp/bmpsuite-g-rgb24.bmp");
    ASSERT_EQ(RunCli({"album", "new", album}), 0);
    ASSERT_EQ(RunCli({"album", "add", album, photo}), 0);
    ASSERT_EQ(RunCli({"album", "add", album, photo, "--previews256", "on"}), 0);
    EXPECT_EQ(RunCli({"album", "add", album, photo, "--previews256", "peut-être"}), 2);
    AlbumDocument doc;
    ASSERT_TRUE(doc.Open(album));
    ASSERT_EQ(doc.ItemCount(), 2u);
    EXPECT_EQ(doc.Items()[0]->preview.Image().BitCount(), 24);
    EXPECT_EQ(doc.Items()[1]->preview.Image().BitCount(), 8);
}

TEST(CliAlbum, ReportsBadImagesAndTabRulesWithExitOne)
{
    TempDir dir;
    const std::string album = dir.File("a.qza");
    ASSERT_EQ(RunCli({"album", "new", album}), 0);
    std::string err;
    EXPECT_EQ(RunCli({"album", "add", album, dir.File("missing.bmp"),
                      TestDataPath("bmp/bmpsuite-g-pal8.bmp")},
                     nullptr, &err),
              1);
    EXPECT_NE(err.find("missing.bmp"), std::string::npos);
    AlbumDocument doc;
    ASSERT_TRUE(doc.Open(album));
    EXPECT_EQ(doc.ItemCount(), 0u);  // all or nothing

    EXPECT_EQ(RunCli({"album", "add-tab", album, "--before", "0"}), 1);
    ASSERT_EQ(RunCli({"album", "add", album, TestDataPath("bmp/bmpsuite-g-pal8.bmp"),
                      TestDataPath("bmp/bmpsuite-g-pal8.bmp")}),
              0);
    ASSERT_EQ(RunCli({"album", "add-tab", album, "--before", "1"}), 0);
    EXPECT_EQ(RunCli({"album", "add-tab", album, "--before", "1"}, nullptr, &err), 1);
    EXPECT_NE(err.find("Il n'est pas possible d'insérer un onglet"), std::string::npos) << err;
    EXPECT_EQ(RunCli({"album", "set", album, "password=a\xC2\x81"}), 1);
}

TEST(CliAlbum, UnreadableFilesGiveTheProgramsOwnMessage)
{
    TempDir dir;
    test::WriteBytes(dir.File("short.qza"), {'Q', 'Z', 'A'});
    test::WriteBytes(dir.File("cut.qza"), {'Q', 'Z', 'A', '2', '0', 5, 'a'});
    std::string err;
    EXPECT_EQ(RunCli({"album", "info", dir.File("short.qza")}, nullptr, &err), 1);
    EXPECT_NE(err.find("n'est pas au format Lumora"), std::string::npos) << err;
    EXPECT_EQ(RunCli({"album", "info", dir.File("cut.qza")}, nullptr, &err), 1);
    EXPECT_NE(err.find("Format de fichier inattendu."), std::string::npos) << err;
    EXPECT_NE(err.find("\nLe fichier annonce plus de données"), std::string::npos) << err;  // the cause
    EXPECT_EQ(test::ReadBytes(dir.File("cut.qza")).size(), 7u);
}

TEST(CliAlbum, WrongArgumentsExitWithTwo)
{
    TempDir dir;
    const std::string album = dir.File("a.qza");
    ASSERT_EQ(RunCli({"album", "new", album}), 0);
    EXPECT_EQ(RunCli({"album"}), 2);
    EXPECT_EQ(RunCli({"album", "frob", album}), 2);
    EXPECT_EQ(RunCli({"album", "new", dir.File("b.qza"), "--layout", "7"}), 2);
    EXPECT_EQ(RunCli({"album", "set", album, "frame=3"}), 2);
    EXPECT_EQ(RunCli({"album", "set", album, "flyleaf=maybe"}), 2);
    EXPECT_EQ(RunCli({"album", "set", album, "desk=0x1000000"}), 2);
    EXPECT_EQ(RunCli({"album", "set", album, "nosuchkey=1"}), 2);
    EXPECT_EQ(RunCli({"album", "add-tab", album}), 2);
    EXPECT_EQ(RunCli({"album", "add", album, "x.bmp", "--at", "-1"}), 2);
}

TEST(CliAlbum, InfoShowsTheAlbumAfterPagination)
{
    TempDir dir;
    const std::string album = dir.File("p.qza");
    ASSERT_EQ(RunCli({"album", "new", album, "--tabs", "on"}), 0);  // Maxi 2+2
    ASSERT_EQ(RunCli({"album", "add", album, TestDataPath("bmp/bmpsuite-g-pal8.bmp"),
                      TestDataPath("bmp/bmpsuite-g-rgb24.bmp"), TestDataPath("bmp/pillow-hopper.bmp")}),
              0);
    ASSERT_EQ(RunCli({"album", "add-tab", album, "--before", "2", "--name", "Suite"}), 0);
    std::string out;
    ASSERT_EQ(RunCli({"album", "info", album, "--json"}, &out), 0);
    // Two photos on page 0, the new section starts on the next right page.
    EXPECT_NE(out.find("\"pagecount\": 4"), std::string::npos) << out;
    EXPECT_NE(out.find("\"name\": \"Suite\""), std::string::npos) << out;
    EXPECT_NE(out.find("\"firstpage\": 2"), std::string::npos) << out;
    ASSERT_EQ(RunCli({"album", "describe", album, "1", "Le port, au matin"}), 0);
    EXPECT_EQ(RunCli({"album", "describe", album, "9", "x"}), 1);
    EXPECT_EQ(RunCli({"album", "describe", album, "un", "x"}), 2);
    ASSERT_EQ(RunCli({"album", "info", album, "--json"}, &out), 0);
    EXPECT_NE(out.find("\"description\": \"Le port, au matin\""), std::string::npos) << out;
    // The second photo (127 x 64 in a 185 x 140 box) sits centred in the
    // lower slot of the right page: (316, 184) + (0, (140 - 93) / 2).
    EXPECT_NE(out.find("[316, 207, 501, 300]"), std::string::npos) << out;
}


// ---- all or nothing, refusals and their messages ------------------------------

TEST(CliSafety, ExitCodesAndMessagesOfRefusedCommands)
{
    TempDir dir;
    const std::string album = dir.File("a.qza");
    const std::string good = TestDataPath("bmp/bmpsuite-g-pal8.bmp");
    const std::string missing = dir.File("missing.bmp");
    const std::string damaged = dir.File("damaged.bmp");
    test::WriteBytes(damaged, [&] {
        auto bytes = test::ReadBytes(good);
        bytes.resize(60);
        return bytes;
    }());
    ASSERT_EQ(RunCli({"album", "new", album}), 0);
    const auto empty = test::ReadBytes(album);
    struct Case {
        std::vector<std::string> args;
        int code;
        const char* message;  // in stderr
    };
    const Case cases[] = {
        {{"album", "add", album, good, missing}, 1, "missing.bmp : aucune image n'a pu être lue (fichier introuvable)"},
        {{"album", "add", album, damaged, good}, 1, "damaged.bmp : aucune image n'a pu être lue (fichier endommagé)"},
        {{"album", "add", album, missing, good}, 1, "inchangé : 1 image(s) illisible(s)"},
        {{"album", "new", album}, 1, "existe déjà"},
        {{"album", "new", good}, 1, "existe déjà"},
        {{"album", "new", "/dev/null", "--force"}, 1, "n'est pas un fichier ordinaire"},
        {{"album", "info", "/dev/zero"}, 1, "n'est pas un fichier ordinaire"},
        {{"convert", good, dir.File("x.bmp"), "--size", "0x0"}, 2, "taille invalide"},
    };
    for (const Case& c : cases) {
        std::string err;
        EXPECT_EQ(RunCli(c.args, nullptr, &err), c.code) << c.args[1] << " " << c.args[2];
        EXPECT_NE(err.find(c.message), std::string::npos) << c.message << "\n" << err;
        EXPECT_EQ(test::ReadBytes(album), empty) << c.args[1];
    }
    // --skip-unreadable adds the readable ones, warns for the others.
    std::string err;
    EXPECT_EQ(RunCli({"album", "add", album, good, missing, "--skip-unreadable"}, nullptr, &err), 0);
    EXPECT_NE(err.find("missing.bmp : aucune image n'a pu être lue (fichier introuvable, ignorée)"), std::string::npos)
        << err;
    AlbumDocument doc;
    ASSERT_TRUE(doc.Open(album));
    EXPECT_EQ(doc.ItemCount(), 1u);
    // --force replaces an album by a new one.
    ASSERT_EQ(RunCli({"album", "new", album, "--force"}), 0);
    ASSERT_TRUE(doc.Open(album));
    EXPECT_EQ(doc.ItemCount(), 0u);
}

TEST(CliSafety, FifoAlbumIsRefusedWithoutBlocking)
{
    TempDir dir;
    const std::string fifo = dir.File("f.qza");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const auto start = std::chrono::steady_clock::now();
    std::string err;
    EXPECT_EQ(RunCli({"album", "info", fifo}, nullptr, &err), 1);
    EXPECT_NE(err.find("n'est pas un fichier ordinaire"), std::string::npos) << err;
    EXPECT_EQ(RunCli({"album", "add-text", fifo, "t"}), 1);
    // Pictures too, whatever the reader.
    const std::string album = dir.File("a.qza");
    ASSERT_EQ(RunCli({"album", "new", album}), 0);
    for (const char* name : {"p.jpg", "p.tif", "p.gif"}) {
        ASSERT_EQ(::mkfifo(dir.File(name).c_str(), 0644), 0);
        EXPECT_EQ(RunCli({"info", dir.File(name)}), 1) << name;
        EXPECT_EQ(RunCli({"album", "add", album, dir.File(name)}), 1) << name;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(CliSafety, TwoWritersAtOnceLoseNoEdit)
{
    TempDir dir;
    const std::string album = dir.File("a.qza");
    ASSERT_EQ(RunCli({"album", "new", album}), 0);
    // Eight commands at once, each adding one text: every one is kept or
    // refused with a message, never silently lost.
    std::string script;
    for (int i = 0; i < 8; ++i)
        script += std::string(LUMORA_CLI_PATH) + " album add-text '" + album + "' t" +
                  std::to_string(i) + " 2>>'" + dir.File("err") + "'; echo $? >>'" +
                  dir.File("codes") + "' &\n";
    script += "wait\n";
    ASSERT_EQ(std::system(script.c_str()), 0);
    const auto codes = test::ReadBytes(dir.File("codes"));
    const int succeeded = static_cast<int>(std::count(codes.begin(), codes.end(), '0'));
    AlbumDocument doc;
    ASSERT_TRUE(doc.Open(album));
    EXPECT_EQ(static_cast<int>(doc.ItemCount()), succeeded);
    EXPECT_GT(succeeded, 0);
}

TEST(CliSafety, InfoJsonIsValidUtf8ForAnyNameBytes)
{
    TempDir dir;
    const std::string album = dir.File("a.qza");
    // A picture whose name holds bytes that are no UTF-8.
    const std::string odd = dir.File("caf\xE9-\xff.bmp");
    std::filesystem::copy_file(TestDataPath("bmp/bmpsuite-g-pal8.bmp"), odd);
    ASSERT_EQ(RunCli({"album", "new", album, "--title", "Été \"2024\""}), 0);
    ASSERT_EQ(RunCli({"album", "add", album, odd}), 0);
    ASSERT_EQ(RunCli({"album", "add-text", album, "ligne\x01\tun\xC3"}), 0);
    ASSERT_EQ(RunCli({"album", "info", album, "--json"}, nullptr), 0);
    const std::string command = std::string(LUMORA_CLI_PATH) + " album info '" + album +
                                "' --json | python3 -c 'import json,sys; d=json.load(sys.stdin); "
                                "p=d[\"items\"][0][\"image\"]; "
                                "sys.exit(0 if p.encode(\"utf-8\",\"surrogateescape\").endswith("
                                "b\"caf\\xe9-\\xff.bmp\") else 3)'";
    EXPECT_EQ(std::system(command.c_str()), 0);
}


// ---- editing commands --------------------------------------------------------

// An album with tabs on: three small photos, a text, and a second section
// that starts at item 2 (sections 0, 0, 1, 1).
class CliEditing : public ::testing::Test {
protected:
    void SetUp() override
    {
        picture = dir.File("p.bmp");
        ASSERT_TRUE(WriteBMPFile(picture, test::MakeRgbPicture(16, 12, [](int32_t x, int32_t y) {
                                     return ColorTriple{static_cast<uint8_t>(x * 10), static_cast<uint8_t>(y * 20), 80};
                                 })));
        album = dir.File("e.qza");
        ASSERT_EQ(RunCli({"album", "new", album, "--tabs", "on"}), 0);
        ASSERT_EQ(RunCli({"album", "add", album, picture, picture, picture}), 0);
        ASSERT_EQ(RunCli({"album", "add-text", album, "Fin"}), 0);
        ASSERT_EQ(RunCli({"album", "add-tab", album, "--before", "2", "--name", "Deux"}), 0);
    }
    std::unique_ptr<AlbumDocument> Reopen()
    {
        auto doc = std::make_unique<AlbumDocument>();
        EXPECT_TRUE(doc->Open(album));
        return doc;
    }
    std::vector<int16_t> Sections()
    {
        std::vector<int16_t> sections;
        const auto doc = Reopen();
        for (const auto& item : doc->Items())
            sections.push_back(item->tabIndex);
        return sections;
    }
    // Runs a command that must fail with `code` and leave the file as it was.
    void ExpectRefused(const std::vector<std::string>& args, int code, const std::string& message = {})
    {
        const auto before = test::ReadBytes(album);
        std::string err;
        EXPECT_EQ(RunCli(args, nullptr, &err), code) << args[1];
        EXPECT_FALSE(err.empty());
        if (!message.empty()) {
            EXPECT_NE(err.find(message), std::string::npos) << err;
        }
        EXPECT_EQ(test::ReadBytes(album), before) << args[1];
    }
    TempDir dir;
    std::string picture, album;
};

TEST_F(CliEditing, DeleteFollowsTheSectionRules)
{
    ASSERT_EQ(Sections(), (std::vector<int16_t>{0, 0, 1, 1}));
    std::string out;
    ASSERT_EQ(RunCli({"album", "delete", album, "3"}, &out), 0);  // the text
    EXPECT_EQ(out, "");
    EXPECT_EQ(Sections(), (std::vector<int16_t>{0, 0, 1}));
    // Item 2 is now alone in its section: its tab goes with it.
    ASSERT_EQ(RunCli({"album", "delete", album, "2"}, &out), 0);
    EXPECT_NE(out.find("« Deux »"), std::string::npos) << out;
    EXPECT_EQ(Sections(), (std::vector<int16_t>{0, 0}));
    EXPECT_EQ(Reopen()->TabCount(), 1u);
    ASSERT_EQ(RunCli({"album", "delete", album, "0"}), 0);
    ASSERT_EQ(RunCli({"album", "delete", album, "0"}), 0);
    EXPECT_TRUE(Reopen()->Items().empty());
    EXPECT_EQ(Reopen()->TabCount(), 1u);

    ExpectRefused({"album", "delete", album, "0"}, 1, "n'existe pas");
    ExpectRefused({"album", "delete", album, "-1"}, 2);
    ExpectRefused({"album", "delete", album}, 2);
    ExpectRefused({"album", "delete", album, "0", "--at", "1"}, 2, "option inconnue");
}

TEST_F(CliEditing, DeleteTabJoinsItsItemsToThePreviousSectionButKeepsTheFirst)
{
    ExpectRefused({"album", "delete-tab", album, "0"}, 1,
                  "Il n'est pas possible de supprimer le premier onglet de l'album.");
    ExpectRefused({"album", "delete-tab", album, "2"}, 1, "n'existe pas");
    ExpectRefused({"album", "delete-tab", album, "un"}, 2);
    ASSERT_EQ(RunCli({"album", "delete-tab", album, "1"}), 0);
    EXPECT_EQ(Sections(), (std::vector<int16_t>{0, 0, 0, 0}));
    EXPECT_EQ(Reopen()->TabCount(), 1u);
}

TEST_F(CliEditing, TabChangesNameAndColoursAndKeepsWhatIsNotGiven)
{
    ASSERT_EQ(RunCli({"album", "tab", album, "1", "--name", "Nuit", "--namecolor", "0x00FFFF"}), 0);
    auto doc = Reopen();
    const Rgb tabColor = doc->Tabs()[1]->tabColor;
    EXPECT_EQ(doc->Tabs()[1]->name, "Nuit");
    EXPECT_EQ(doc->Tabs()[1]->nameColor, 0x00FFFFu);
    ASSERT_EQ(RunCli({"album", "tab", album, "1", "--color", "255"}), 0);
    doc = Reopen();
    EXPECT_EQ(doc->Tabs()[1]->name, "Nuit");
    EXPECT_EQ(doc->Tabs()[1]->tabColor, 255u);
    EXPECT_NE(tabColor, 255u);  // it did change

    ExpectRefused({"album", "tab", album, "1"}, 2, "rien à changer");
    ExpectRefused({"album", "tab", album, "1", "--color", "0x1000000"}, 2);
    ExpectRefused({"album", "tab", album, "1", "--name"}, 2);
    ExpectRefused({"album", "tab", album, "7", "--name", "x"}, 1, "n'existe pas");
}

TEST_F(CliEditing, TextChangesATextItemOnly)
{
    ASSERT_EQ(RunCli({"album", "text", album, "3", "--text", "Au revoir", "--color", "0xFF0000",
                      "--font", "Arial:-20:bold:italic"}),
              0);
    auto doc = Reopen();
    const AlbumItem& text = *doc->Items()[3];
    EXPECT_EQ(text.text, "Au revoir");
    EXPECT_EQ(text.textColor, 0xFF0000u);
    ASSERT_TRUE(text.font);
    EXPECT_EQ(text.font->faceName, "Arial");
    EXPECT_EQ(text.font->height, -20);
    EXPECT_EQ(text.font->weight, 700);
    EXPECT_TRUE(text.font->italic);

    ASSERT_EQ(RunCli({"album", "text", album, "3", "--font", "Liberation Serif:-13"}), 0);
    doc = Reopen();
    EXPECT_EQ(doc->Items()[3]->text, "Au revoir");
    EXPECT_EQ(doc->Items()[3]->font->faceName, "Liberation Serif");
    EXPECT_EQ(doc->Items()[3]->font->weight, 400);
    EXPECT_FALSE(doc->Items()[3]->font->italic);

    ExpectRefused({"album", "text", album, "0", "--text", "x"}, 1, "n'est pas un texte");
    ExpectRefused({"album", "text", album, "9", "--text", "x"}, 1, "n'est pas un texte");
    ExpectRefused({"album", "text", album, "3"}, 2, "rien à changer");
    for (const char* font : {"Arial", "Arial:0", ":-16", "Arial:-16:souligné", "Arial:-1001"})
        ExpectRefused({"album", "text", album, "3", "--font", font}, 2, "--font");
    ExpectRefused({"album", "text", album, "3", "--color", "rouge"}, 2);
}

TEST_F(CliEditing, SetLayoutRemakesThePreviewsForAnotherBoxOnly)
{
    ASSERT_EQ(Reopen()->Items()[0]->preview.Width(), 185);  // Maxi 2+2: 185 x 140
    ASSERT_EQ(RunCli({"album", "set", album, "layout=4"}), 0);  // Micro 12+12: 68 x 51
    auto doc = Reopen();
    EXPECT_EQ(doc->Settings().layout, BookLayout::Micro);
    for (const size_t photo : {0u, 1u, 2u}) {
        EXPECT_EQ(doc->Items()[photo]->preview.Width(), 68) << photo;
        EXPECT_EQ(doc->Items()[photo]->preview.Height(), 51) << photo;
    }

    ASSERT_EQ(RunCli({"album", "set", album, "layout=2"}), 0);  // Midi 3+3: 124 x 93
    ASSERT_EQ(Reopen()->Items()[0]->preview.Width(), 124);
    // Were the previews made again, the photos would leave the album.
    std::filesystem::remove(picture);
    ASSERT_EQ(RunCli({"album", "set", album, "layout=5"}), 0);  // Présentation en X: 124 x 93
    doc = Reopen();
    EXPECT_EQ(doc->Settings().layout, BookLayout::PresentationX);
    ASSERT_EQ(doc->ItemCount(), 4u);
    EXPECT_EQ(doc->Items()[0]->preview.Width(), 124);
}

TEST_F(CliEditing, DescribeLeavesAnUnchangedAlbumAlone)
{
    ASSERT_EQ(RunCli({"album", "describe", album, "0", "Matin"}), 0);
    EXPECT_EQ(Reopen()->Items()[0]->description, "Matin");
    const auto saved = std::filesystem::last_write_time(album);
    std::filesystem::last_write_time(album, saved - std::chrono::hours(1));
    ASSERT_EQ(RunCli({"album", "describe", album, "0", "Matin"}), 0);
    EXPECT_EQ(std::filesystem::last_write_time(album), saved - std::chrono::hours(1));
    ExpectRefused({"album", "describe", album, "3", "x"}, 1, "n'est pas une photo");
}

TEST(CliHelp, NamesTheEditingCommands)
{
    std::string out;
    ASSERT_EQ(RunCli({"--help"}, &out), 0);
    for (const char* usage : {"album delete FICHIER INDEX", "album delete-tab FICHIER ONGLET",
                              "album tab FICHIER ONGLET [--name NOM] [--color C] [--namecolor C]",
                              "album text FICHIER INDEX [--text T] [--color C]"})
        EXPECT_NE(out.find(usage), std::string::npos) << usage;
}

}  // namespace
}  // namespace lumora

namespace lumora {
namespace {

std::vector<std::string> ItemTexts(const std::string& album)
{
    AlbumDocument doc;
    EXPECT_TRUE(doc.Open(album));
    std::vector<std::string> texts;
    for (const auto& item : doc.Items())
        texts.push_back(item->text);
    return texts;
}

TEST(CliAlbum, MoveTakesTheItemToItsNewPlaceAndRefusesOthers)
{
    TempDir dir;
    const std::string album = dir.File("a.qza");
    ASSERT_EQ(RunCli({"album", "new", album}), 0);
    for (const char* text : {"a", "b", "c", "d"})
        ASSERT_EQ(RunCli({"album", "add-text", album, text}), 0);
    ASSERT_EQ(RunCli({"album", "move", album, "0", "2"}), 0);
    EXPECT_EQ(ItemTexts(album), (std::vector<std::string>{"b", "c", "a", "d"}));
    ASSERT_EQ(RunCli({"album", "move", album, "3", "0"}), 0);
    EXPECT_EQ(ItemTexts(album), (std::vector<std::string>{"d", "b", "c", "a"}));

    const auto before = std::filesystem::last_write_time(album);
    EXPECT_EQ(RunCli({"album", "move", album, "1", "1"}), 0);  // nothing to save
    EXPECT_EQ(std::filesystem::last_write_time(album), before);
    std::string err;
    EXPECT_EQ(RunCli({"album", "move", album, "1", "4"}, nullptr, &err), 1);
    EXPECT_EQ(RunCli({"album", "move", album, "1"}), 2);
    EXPECT_EQ(RunCli({"album", "move", album, "x", "1"}), 2);
    EXPECT_EQ(ItemTexts(album), (std::vector<std::string>{"d", "b", "c", "a"}));
}

}  // namespace
}  // namespace lumora
