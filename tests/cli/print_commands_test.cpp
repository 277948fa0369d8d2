// lumora-cli album print and poster: PDF files checked with poppler's
// pdfinfo and pdftoppm.
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "core/formats/bmp_writer.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::RunCli;

// The standard output of a shell command; empty when it failed.
std::string Output(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            out += buffer;
        if (pclose(pipe) != 0)
            out.clear();
    }
    return out;
}

bool HasPoppler() { return !Output("pdfinfo -v >/dev/null 2>&1 && echo yes").empty(); }

// pdfinfo's "Pages:" and "Page size:" lines.
struct PdfInfo {
    int pages = 0;
    std::string pageSize;
};
PdfInfo InfoOf(const std::string& pdf)
{
    PdfInfo info;
    std::istringstream lines(Output("pdfinfo '" + pdf + "'"));
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Pages:", 0) == 0)
            info.pages = std::stoi(line.substr(6));
        else if (line.rfind("Page size:", 0) == 0)
            info.pageSize = line;
    }
    return info;
}

// One page of the PDF at `dpi` as a binary PPM: width, height, RGB bytes.
struct Raster {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    const unsigned char* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};
Raster PageOf(const std::string& pdf, int page, int dpi, const std::string& stem)
{
    Output("pdftoppm -r " + std::to_string(dpi) + " -f " + std::to_string(page) + " -l " + std::to_string(page) +
           " -singlefile '" + pdf + "' '" + stem + "'");
    std::ifstream in(stem + ".ppm", std::ios::binary);
    Raster r;
    std::string magic;
    int maxValue = 0;
    in >> magic >> r.width >> r.height >> maxValue;
    in.get();
    r.rgb.resize(static_cast<size_t>(r.width) * r.height * 3);
    in.read(reinterpret_cast<char*>(r.rgb.data()), static_cast<std::streamsize>(r.rgb.size()));
    return in && magic == "P6" ? r : Raster{};
}

class CliPrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string err;
        if (RunCli({"poster"}, nullptr, &err) == 2 && err.find("inconnue") != std::string::npos)
            GTEST_SKIP() << "lumora-cli built without the GUI";
        if (!HasPoppler())
            GTEST_SKIP() << "pdfinfo/pdftoppm missing (poppler-utils)";
        photo = dir.File("red.bmp");
        ASSERT_TRUE(WriteBMPFile(photo, test::MakeRgbPicture(200, 100, [](int32_t, int32_t) {
                                     return ColorTriple{230, 0, 0};
                                 })));
        album = dir.File("a.qza");
        ASSERT_EQ(RunCli({"album", "new", album, "--title", "Essai", "--layout", "1"}), 0);
        ASSERT_EQ(RunCli({"album", "add", album, photo, photo, photo}), 0);
    }

    test::TempDir dir;
    std::string photo, album;
};

TEST_F(CliPrint, AlbumPagesAndCoversBecomePdfPages)
{
    const std::string pdf = dir.File("a.pdf");
    std::string out;
    ASSERT_EQ(RunCli({"album", "print", album, pdf, "--dpi", "150"}, &out), 0);
    EXPECT_NE(out.find("pages : 2"), std::string::npos);
    const PdfInfo info = InfoOf(pdf);
    EXPECT_EQ(info.pages, 2);
    EXPECT_NE(info.pageSize.find("(A4)"), std::string::npos) << info.pageSize;

    // The first photo of page 1: the slot's centre lies 104.6 mm across and
    // 80 mm down an A4 sheet with 5 mm margins (a 200 x 284 mm page model).
    const Raster page = PageOf(pdf, 1, 30, dir.File("p1"));
    ASSERT_GT(page.width, 0);
    const int x = static_cast<int>(104.6 / 25.4 * 30), y = static_cast<int>(80 / 25.4 * 30);
    EXPECT_GT(page.At(x, y)[0], 180);
    EXPECT_LT(page.At(x, y)[1], 60);
    EXPECT_EQ(page.At(2, 2)[1], 255);  // the margin stays blank

    ASSERT_EQ(RunCli({"album", "print", album, dir.File("c.pdf"), "--covers", "--paper", "Letter"}), 0);
    const PdfInfo covers = InfoOf(dir.File("c.pdf"));
    EXPECT_EQ(covers.pages, 3);
    EXPECT_NE(covers.pageSize.find("letter"), std::string::npos) << covers.pageSize;
}

TEST_F(CliPrint, PosterSheetsMatchTheDryRunsTiling)
{
    const std::string vga = dir.File("vga.bmp");
    ASSERT_TRUE(WriteBMPFile(vga, test::MakeRgbPicture(640, 480, [](int32_t x, int32_t) {
                                 return ColorTriple{static_cast<uint8_t>(x % 256), 80, 160};
                             })));
    std::string out;
    ASSERT_EQ(RunCli({"poster", vga, "--width-cm", "64", "--dry-run", "--printable", "2400x3300", "--dpi", "300"},
                     &out),
              0);
    EXPECT_EQ(out, "colonnes : 4\nrangées : 2\nfeuilles : 8\ntuile : 203 x 279 pixels de l'image\n");

    ASSERT_EQ(RunCli({"poster", vga, "--width-cm", "64", "--dry-run"}, &out), 0);
    const size_t at = out.find("feuilles : ");
    ASSERT_NE(at, std::string::npos);
    const int sheets = std::stoi(out.substr(at + 11));
    ASSERT_EQ(RunCli({"poster", vga, dir.File("p.pdf"), "--width-cm", "64"}), 0);
    EXPECT_EQ(InfoOf(dir.File("p.pdf")).pages, sheets);
    ASSERT_EQ(RunCli({"poster", vga, dir.File("small.pdf"), "--width-cm", "10"}), 0);
    EXPECT_EQ(InfoOf(dir.File("small.pdf")).pages, 1);
}

TEST_F(CliPrint, RefusesWrongArguments)
{
    EXPECT_EQ(RunCli({"album", "print", album}), 2);
    EXPECT_EQ(RunCli({"album", "print", album, dir.File("x.pdf"), "--dpi", "10"}), 2);
    EXPECT_EQ(RunCli({"album", "print", album, dir.File("x.pdf"), "--paper", "A3"}), 2);
    EXPECT_EQ(RunCli({"album", "print", album, dir.File("x.pdf"), "--descriptions", "maybe"}), 2);
    EXPECT_EQ(RunCli({"album", "print", dir.File("none.qza"), dir.File("x.pdf")}), 1);
    EXPECT_EQ(RunCli({"poster", photo, dir.File("x.pdf")}), 2);  // no width
    EXPECT_EQ(RunCli({"poster", photo, dir.File("x.pdf"), "--width-cm", "1001"}), 2);
    EXPECT_EQ(RunCli({"poster", photo, dir.File("x.pdf"), "--width-cm", "20", "--printable", "10x10"}), 2);
    EXPECT_EQ(RunCli({"poster", dir.File("none.bmp"), "--width-cm", "20", "--dry-run"}), 1);
}

}  // namespace
}  // namespace lumora
