#include <gtest/gtest.h>

#include "album/album_document.h"
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

    CLumoraDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(album));
    EXPECT_EQ(doc.title, "Été");
    EXPECT_EQ(doc.layoutIndex, 0);
    EXPECT_EQ(doc.useTabs, 1u);
    EXPECT_EQ(doc.flyleaf, 0u);
    EXPECT_EQ(doc.deskColor, 0x102030u);
    EXPECT_EQ(doc.titleColor, 255u);
    EXPECT_EQ(doc.frameStyle, 2);
    EXPECT_EQ(doc.password, "pw");
    ASSERT_EQ(doc.items.size(), 3u);
    EXPECT_TRUE(doc.items[0]->IsPhoto());
    EXPECT_EQ(doc.items[0]->preview.Width(), 185);  // 127 x 64 in the poster box
    EXPECT_EQ(doc.items[1]->text, "Bonjour");
    EXPECT_EQ(doc.items[2]->tabIndex, 1);
    ASSERT_EQ(doc.tabs.size(), 2u);
    EXPECT_EQ(doc.tabs[1]->name, "Deux");

    std::string out;
    ASSERT_EQ(RunCli({"album", "info", album, "--json"}, &out), 0);
    for (const char* key : {"\"title\": \"Été\"", "\"usetabs\": true", "\"flyleaf\": false",
                            "\"desk\": 1056816", "\"password\": \"pw\"", "\"pagecount\": ",
                            "\"photos\": {\"height\": -7", "\"firstpage\": ", "\"kind\": \"text\"",
                            "\"preview\": null", "\"preview\": [185, 93]", "\"bpp\": 24"})
        EXPECT_NE(out.find(key), std::string::npos) << key << "\n" << out;
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
    CLumoraDoc doc;
    ASSERT_TRUE(doc.OnOpenDocument(album));
    EXPECT_EQ(doc.items.size(), 1u);  // the readable one was kept

    EXPECT_EQ(RunCli({"album", "add-tab", album, "--before", "0"}), 1);
    ASSERT_EQ(RunCli({"album", "add", album, TestDataPath("bmp/bmpsuite-g-pal8.bmp")}), 0);
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

}  // namespace
}  // namespace lumora
