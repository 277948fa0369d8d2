// lumora-cli thumbnail (the file managers' album covers) and album import
// (an album from a folder), run as the desktop runs them.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "core/album/album_document.h"
#include "core/formats/image_format.h"
#include "import/exif_bytes.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::RunCli;
using test::TestDataPath;

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

struct PngSize {
    uint32_t width = 0, height = 0;
};

PngSize ReadPngSize(const std::string& path)
{
    const auto bytes = test::ReadBytes(path);
    if (bytes.size() < 24)
        return {};
    const auto be32 = [&](size_t at) {
        return uint32_t(bytes[at]) << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3];
    };
    return {be32(16), be32(20)};
}

class ThumbnailTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string err;
        if (RunCli({"thumbnail"}, nullptr, &err) == 2 && err.find("inconnue") != std::string::npos)
            GTEST_SKIP() << "lumora-cli built without the GUI";
    }
    std::string Album(const std::string& name, const std::vector<std::string>& settings = {})
    {
        const std::string path = dir.File(name);
        EXPECT_EQ(RunCli({"album", "new", path, "--title", "Provence"}), 0);
        if (!settings.empty()) {
            std::vector<std::string> args = {"album", "set", path};
            args.insert(args.end(), settings.begin(), settings.end());
            EXPECT_EQ(RunCli(args), 0);
        }
        return path;
    }
    test::TempDir dir;
};

TEST_F(ThumbnailTest, DrawsTheLeatherCoverFittedInTheAskedSize)
{
    const std::string album = Album("a.qza");
    ASSERT_EQ(RunCli({"album", "add", album, TestDataPath("jpeg/imagers-progressive-cat.jpg")}), 0);
    const struct {
        std::vector<std::string> options;
        PngSize size;
    } cases[] = {
        {{}, {182, 256}},
        {{"--size", "64"}, {45, 64}},
        {{"--size", "512"}, {364, 512}},
        {{"--spread", "0"}, {256, 170}},
    };
    for (const auto& c : cases) {
        const std::string out = dir.File("out.png");
        std::vector<std::string> args = {"thumbnail", album, out};
        args.insert(args.end(), c.options.begin(), c.options.end());
        ASSERT_EQ(RunCli(args), 0);
        const PngSize size = ReadPngSize(out);
        EXPECT_EQ(size.width, c.size.width) << testing::PrintToString(c.options);
        EXPECT_EQ(size.height, c.size.height) << testing::PrintToString(c.options);
    }
    // The cover: red leather around, the gilt plate with the title above.
    ASSERT_EQ(RunCli({"thumbnail", album, dir.File("cover.png")}), 0);
    const Picture picture = ReadImageFile(dir.File("cover.png"), ReadOptions{}).picture;
    ASSERT_TRUE(picture);
    const auto rowFromTop = [&](uint32_t y) { return 255u - y; };  // bottom-up rows
    const ColorTriple leather = test::ColorAt(picture, 30, rowFromTop(220));
    EXPECT_GT(leather.red, leather.green + 40);
    const ColorTriple plate = test::ColorAt(picture, 50, rowFromTop(110));
    EXPECT_GT(plate.green, leather.green + 60);  // gold, not leather
}

TEST_F(ThumbnailTest, ProtectedDamagedAndForeignFilesGiveNoPicture)
{
    const std::string good = Album("good.qza");
    const auto bytes = test::ReadBytes(good);
    test::WriteBytes(dir.File("cut.qza"), {bytes.begin(), bytes.begin() + 20});
    test::WriteBytes(dir.File("empty.qza"), {});
    auto foreign = bytes;
    foreign[3] = '9';  // "QZA90": another program's version
    test::WriteBytes(dir.File("foreign.qza"), foreign);
    auto hugeTitle = bytes;
    hugeTitle[22] = 0xFF;  // a title length far beyond the file
    test::WriteBytes(dir.File("title.qza"), hugeTitle);
    ::mkfifo(dir.File("fifo.qza").c_str(), 0644);
    const std::string names[] = {Album("locked.qza", {"password=secret"}), dir.File("cut.qza"),
                                 dir.File("empty.qza"), dir.File("foreign.qza"), dir.File("title.qza"),
                                 dir.File("fifo.qza"), dir.File("missing.qza")};
    for (const std::string& album : names) {
        const auto start = std::chrono::steady_clock::now();
        std::string err;
        EXPECT_EQ(RunCli({"thumbnail", album, dir.File("no.png")}, nullptr, &err), 1) << album;
        EXPECT_FALSE(Exists(dir.File("no.png"))) << album;
        EXPECT_FALSE(err.empty()) << album;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << album;
    }
}

TEST_F(ThumbnailTest, AnAlbumWithoutPhotosAndOneCutAfterItsHeadingStillShowTheirCover)
{
    // Only the heading is read for the cover: photos cost nothing, and a
    // file whose pages are lost still shows what its cover says.
    const std::string album = Album("a.qza");
    EXPECT_EQ(RunCli({"thumbnail", album, dir.File("a.png")}), 0);
    auto bytes = test::ReadBytes(album);
    ASSERT_GT(bytes.size(), 4u);
    bytes.erase(bytes.end() - 4, bytes.end());
    test::WriteBytes(dir.File("cut.qza"), bytes);
    EXPECT_EQ(RunCli({"thumbnail", dir.File("cut.qza"), dir.File("cut.png")}), 0);
    EXPECT_EQ(test::ReadBytes(dir.File("a.png")), test::ReadBytes(dir.File("cut.png")));
    // The whole file is needed for a spread: there a cut album fails.
    EXPECT_EQ(RunCli({"thumbnail", dir.File("cut.qza"), dir.File("s.png"), "--spread", "0"}), 1);
    EXPECT_FALSE(Exists(dir.File("s.png")));
}

TEST_F(ThumbnailTest, WrongOptionsAreUsageErrors)
{
    const std::string album = Album("a.qza");
    for (const auto& options : std::vector<std::vector<std::string>>{
             {"--size", "8"}, {"--size", "big"}, {"--spread", "2"}, {"--zoom", "2"}}) {
        std::vector<std::string> args = {"thumbnail", album, dir.File("o.png")};
        args.insert(args.end(), options.begin(), options.end());
        EXPECT_EQ(RunCli(args), 2) << options[0];
    }
    EXPECT_EQ(RunCli({"thumbnail", album}), 2);
}

TEST(CliAlbumImport, MakesADatedAlbumOfAFolderAndRefusesToOverwrite)
{
    test::TempDir dir;
    const std::string folder = dir.File("Vacances");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    const auto jpeg = test::ReadBytes(TestDataPath("jpeg/imagers-progressive-cat.jpg"));
    test::WriteBytes(folder + "/b.jpg", test::JpegWithExif(jpeg, test::TiffWithDate("2025:06:14 10:00:00")));
    test::WriteBytes(folder + "/a.jpg", test::JpegWithExif(jpeg, test::TiffWithDate("2025:06:15 10:00:00")));
    test::WriteBytes(folder + "/c.jpg", {0xFF, 0xD8});
    const std::string album = dir.File("v.qza");
    std::string err;
    ASSERT_EQ(RunCli({"album", "import", album, folder}, nullptr, &err), 0);
    EXPECT_NE(err.find("c.jpg : aucune image n'a pu être lue (fichier endommagé, ignorée)"), std::string::npos)
        << err;  // listed as left out, with why
    AlbumDocument doc;
    ASSERT_TRUE(doc.Open(album));
    EXPECT_EQ(doc.Settings().title, "Vacances");
    ASSERT_EQ(doc.ItemCount(), 2u);
    EXPECT_EQ(doc.Items()[0]->imagePath, folder + "/b.jpg");
    ASSERT_EQ(doc.TabCount(), 2u);
    EXPECT_EQ(doc.Tabs()[1]->name, "15 juin 2025");  // shortened to fit its tab
    EXPECT_TRUE(doc.Settings().useTabs);

    EXPECT_EQ(RunCli({"album", "import", album, folder}), 1);
    EXPECT_EQ(RunCli({"album", "import", album, folder, "--by-day", "off", "--force"}), 0);
    AlbumDocument flat;
    ASSERT_TRUE(flat.Open(album));
    EXPECT_FALSE(flat.Settings().useTabs);
    EXPECT_EQ(flat.TabCount(), 1u);

    const std::string empty = dir.File("vide");
    ASSERT_EQ(::mkdir(empty.c_str(), 0755), 0);
    EXPECT_EQ(RunCli({"album", "import", dir.File("e.qza"), empty}), 1);
    EXPECT_FALSE(Exists(dir.File("e.qza")));
    EXPECT_EQ(RunCli({"album", "import", dir.File("e.qza"), empty, "--by-day", "maybe"}), 2);
}

}  // namespace
}  // namespace lumora
