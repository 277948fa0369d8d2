// lumora-cli album render: an album drawn into a PNG file by the same code
// as its window, with the program's own book artwork.
#include <QImage>
#include <gtest/gtest.h>

#include "gui/album/book_pictures.h"
#include "support/test_support.h"

namespace lumora {
namespace {

class CliRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        album = dir.File("a.qza");
        ASSERT_EQ(test::RunCli({"album", "new", album, "--title", "Essai", "--flyleaf", "off"}), 0);
        ASSERT_EQ(test::RunCli({"album", "add-text", album, "Bonjour"}), 0);
        // The command only exists when the program is built with its GUI.
        std::string err;
        if (test::RunCli({"album", "render", album, dir.File("probe.png")}, nullptr, &err) == 2 &&
            err.find("render") != std::string::npos && err.find("inconnue") != std::string::npos)
            GTEST_SKIP() << "lumora-cli built without the GUI";
    }

    int Render(std::vector<std::string> extra, QImage* image = nullptr)
    {
        const std::string out = dir.File("out.png");
        std::vector<std::string> args{"album", "render", album, out};
        args.insert(args.end(), extra.begin(), extra.end());
        const int code = test::RunCli(args);
        if (image)
            *image = QImage(QString::fromStdString(out));
        return code;
    }

    test::TempDir dir;
    std::string album;
};

TEST_F(CliRender, DrawsTheCoverWithTheProgramsArtwork)
{
    QImage image;
    ASSERT_EQ(Render({}, &image), 0);
    ASSERT_EQ(image.size(), QSize(580, 392));
    const auto book = LoadBookPictures("/nonexistent/", 24, [](int, int) {});
    ASSERT_TRUE(book.has_value());
    const QImage cover = book->cover.toImage();
    EXPECT_EQ(image.pixel(140, 10), cover.pixel(0, 0));
    EXPECT_EQ(image.pixel(404, 381), cover.pixel(264, 371));
    EXPECT_EQ(image.pixel(160, 300), cover.pixel(20, 290));
}

TEST_F(CliRender, SizeMovesTheBookToTheCentre)
{
    QImage image;
    ASSERT_EQ(Render({"--size", "800x600", "--position", "0"}, &image), 0);
    ASSERT_EQ(image.size(), QSize(800, 600));
    const auto book = LoadBookPictures("/nonexistent/", 24, [](int, int) {});
    ASSERT_TRUE(book.has_value());
    // Without a flyleaf position 0 shows the inside of the front cover.
    EXPECT_EQ(image.pixel(110 + 100, 104 + 100), book->openBook.toImage().pixel(90, 90));
}

TEST_F(CliRender, RefusesPositionsTheAlbumCannotShow)
{
    EXPECT_EQ(Render({"--position", "-1"}), 2);  // no flyleaf
    EXPECT_EQ(Render({"--position", "1"}), 2);
    EXPECT_EQ(Render({"--position", "4"}), 2);   // page count 2
    EXPECT_EQ(Render({"--position", "-3"}), 2);
    EXPECT_EQ(Render({"--position", "2"}), 0);
    EXPECT_EQ(Render({"--selection", "1"}), 2);
    EXPECT_EQ(Render({"--size", "0x10"}), 2);
    EXPECT_EQ(Render({"--size", "big"}), 2);
    EXPECT_EQ(Render({"--size", "9000x100"}), 2);  // 8192 pixels a side at most
    EXPECT_EQ(Render({"--position"}), 2);
    EXPECT_EQ(test::RunCli({"album", "render", dir.File("missing.qza"), dir.File("x.png")}), 1);
}

}  // namespace
}  // namespace lumora
