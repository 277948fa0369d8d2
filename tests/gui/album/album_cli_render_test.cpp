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

TEST_F(CliRender, AFixedZoomInALargerWindowCentresTheClassicBook)
{
    QImage image;
    ASSERT_EQ(Render({"--size", "800x600", "--zoom", "1", "--position", "0"}, &image), 0);
    ASSERT_EQ(image.size(), QSize(800, 600));
    const auto book = LoadBookPictures("/nonexistent/", 24, [](int, int) {});
    ASSERT_TRUE(book.has_value());
    // Without a flyleaf position 0 shows the inside of the front cover.
    EXPECT_EQ(image.pixel(110 + 100, 104 + 100), book->openBook.toImage().pixel(90, 90));
}

// --size is a window's client area, the book fitted in it; --zoom a fixed
// zoom; --dpr makes the picture that many times larger, its ratio noted.
TEST_F(CliRender, OutputSizesFollowSizeZoomAndRatio)
{
    struct Case {
        std::vector<std::string> options;
        QSize pixels;
        const char* ratio;
    };
    const Case cases[] = {
        {{}, {580, 392}, "1"},
        {{"--zoom", "2"}, {1160, 784}, "1"},
        {{"--zoom", "2,5"}, {1450, 980}, "1"},
        {{"--dpr", "2"}, {1160, 784}, "2"},
        {{"--size", "1920x1080", "--dpr", "1.5"}, {2880, 1620}, "1.5"},
        {{"--size", "640x480", "--zoom", "3", "--dpr", "2"}, {1280, 960}, "2"},
    };
    for (const Case& c : cases) {
        QImage image;
        ASSERT_EQ(Render(c.options, &image), 0);
        EXPECT_EQ(image.size(), c.pixels) << c.options.size();
        EXPECT_EQ(image.text("DevicePixelRatio"), c.ratio);
    }
}

TEST_F(CliRender, TheFittedBookFillsTheWindowHeight)
{
    QImage image;
    ASSERT_EQ(Render({"--size", "1920x1080", "--position", "0"}, &image), 0);
    ASSERT_EQ(image.size(), QSize(1920, 1080));
    // The desk shows left and right of the book, never above or below it:
    // the top and bottom rows in the middle are the book's.
    const QRgb desk = image.pixel(5, 540);
    EXPECT_EQ(image.pixel(1914, 540), desk);
    int bookRows = 0;
    for (int y = 0; y < image.height(); ++y)
        bookRows += image.pixel(960, y) != desk;
    EXPECT_GE(bookRows, 1080 * 85 / 100);
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
    EXPECT_EQ(Render({"--zoom", "0.4"}), 2);
    EXPECT_EQ(Render({"--zoom", "5"}), 2);
    EXPECT_EQ(Render({"--zoom", "deux"}), 2);
    EXPECT_EQ(Render({"--dpr", "0.5"}), 2);
    EXPECT_EQ(Render({"--dpr", "nan"}), 2);
    EXPECT_EQ(Render({"--size", "8000x100", "--dpr", "3"}), 2);  // 16384 device pixels a side at most
    EXPECT_EQ(test::RunCli({"album", "render", dir.File("missing.qza"), dir.File("x.png")}), 1);
}

}  // namespace
}  // namespace lumora
