// lumora-artwork: draws the program's own pictures - the book pieces in a
// 256-colour and a 16-colour set, the splash picture, cursors, toolbar
// icons, the gauge cells and the dialog button pictures - and writes them
// into the given directory (the committed copy lives in src/gui/artwork).
// With --preview DIR it also puts the book together as the album view does
// and writes those scenes as PNG files for a visual check. With
// --desktop-icons DIR it writes the program's and the album files' icons in
// the hicolor theme's sizes instead (committed in src/app/icons). With
// --sharp-book DIR it writes the 256-colour set's five book pieces in true
// colour at kSharpBookScale times their size, as JPEG files, for books
// drawn larger than the classic size (made at build time, not committed).
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "artwork/book.h"
#include "artwork/compose.h"
#include "artwork/desktop_icons.h"
#include "artwork/icons.h"
#include "artwork/quantize.h"
#include "artwork/splash.h"
#include "artwork/writers.h"
#include "core/picture/app_palette.h"

namespace {

using namespace lumora::art;

std::vector<lumora::ColorTriple> AppColors()
{
    return {lumora::kAppPaletteColors.begin(), lumora::kAppPaletteColors.end()};
}

std::vector<lumora::ColorTriple> SixteenColors()
{
    return {lumora::kSixteenColors.begin(), lumora::kSixteenColors.end()};
}

bool WriteBookSet(const std::string& dir, int first, const BookStyle& style,
                  const std::vector<lumora::ColorTriple>& colors, int bits, int edgeWidth)
{
    const Image pieces[] = {RenderLeather(style), RenderSpine(style), RenderPageSheet(style),
                            RenderEdge(style).Crop(0, 0, edgeWidth, kBookHeight), RenderTitlePlate(style)};
    for (int i = 0; i < 5; ++i) {
        const std::string path = dir + "/" + std::to_string(first + i) + ".gif";
        const ColorChoice choice = i == 2 ? ColorChoice::GreysOnly : ColorChoice::GreysWhereGrey;
        if (!WriteGif87a(path, DiffuseOnto(pieces[i], colors, choice), bits)) {
            std::fprintf(stderr, "lumora-artwork: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

// Enough for a book four times the classic size on a screen of pixel
// ratio 2; smaller levels are decoded from these by the JPEG reader's DCT
// scaling.
constexpr int kSharpBookScale = 8;
constexpr int kSharpBookQuality = 90;

bool WriteSharpBook(const std::string& dir)
{
    std::filesystem::create_directories(dir);
    const BookStyle style{false, kSharpBookScale};
    const std::pair<const char*, Image> pieces[] = {
        {"leather.jpg", RenderLeather(style)},
        {"spine.jpg", RenderSpine(style)},
        {"page.jpg", RenderPageSheet(style)},
        {"edge.jpg", RenderEdge(style)},
        {"plate.jpg", RenderTitlePlate(style)},
    };
    for (const auto& [name, image] : pieces) {
        const std::string path = dir + "/" + name;
        if (!WriteJpeg(path, image, kSharpBookQuality)) {
            std::fprintf(stderr, "lumora-artwork: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

bool WritePngs(const std::string& dir, const std::vector<NamedImage>& images)
{
    for (const NamedImage& item : images) {
        const std::filesystem::path path = std::filesystem::path(dir) / item.name;
        std::filesystem::create_directories(path.parent_path());
        if (!WritePng(path.string(), item.image)) {
            std::fprintf(stderr, "lumora-artwork: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

// Small pictures side by side on one light sheet, enlarged, to judge them
// together.
Image IconSheet(const std::vector<NamedImage>& all, int factor)
{
    Image sheet(factor == 1 ? 300 : 560, 300, Rgb8(236, 233, 226));
    int x = 4, y = 4, rowHeight = 0;
    for (const NamedImage& item : all) {
        if (x + item.image.Width() + 4 > sheet.Width()) {
            x = 4;
            y += rowHeight + 6;
            rowHeight = 0;
        }
        sheet.Draw(item.image, x, y);
        x += item.image.Width() + 6;
        rowHeight = std::max(rowHeight, item.image.Height());
    }
    return Enlarge(sheet.Crop(0, 0, sheet.Width(), y + rowHeight + 4), factor);
}

bool WritePreview(const std::string& outDir, const std::string& previewDir)
{
    std::filesystem::create_directories(previewDir);
    std::vector<NamedImage> all = RenderToolbarIcons(), small;
    for (const NamedImage& icon : all)
        if (icon.image.Width() == 16)
            small.push_back(icon);
    for (auto& group : {RenderCursors(), RenderControlBitmaps()})
        all.insert(all.end(), group.begin(), group.end());
    if (!WritePng(previewDir + "/icons.png", IconSheet(all, 2)) ||
        !WritePng(previewDir + "/icons16.png", Enlarge(IconSheet(small, 1).Crop(0, 0, 300, 60), 4)))
        return false;
    for (int first : {1, 6}) {
        BookPieces pieces;
        if (!LoadBookPieces(outDir, first, pieces))
            return false;
        const BookPictures book = ComposeBook(pieces);
        const std::string tag = first == 1 ? "256" : "16";
        if (!WritePng(previewDir + "/cover_" + tag + ".png", CoverScene(book)) ||
            !WritePng(previewDir + "/flyleaf_" + tag + ".png", FlyleafScene(book)) ||
            !WritePng(previewDir + "/spread_" + tag + ".png", SpreadScene(book)) ||
            !WritePng(previewDir + "/splash.png", ReadGif(outDir + "/11.gif")) ||
            !WritePng(previewDir + "/rings_" + tag + ".png", Enlarge(SpreadScene(book).Crop(236, 50, 100, 60), 5)) ||
            !WritePng(previewDir + "/corner_" + tag + ".png", Enlarge(CoverScene(book).Crop(130, 0, 100, 80), 5)))
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::string(argv[1]) == "--desktop-icons")
        return WritePngs(argv[2], RenderDesktopIcons()) ? 0 : 1;
    if (argc == 3 && std::string(argv[1]) == "--sharp-book")
        return WriteSharpBook(argv[2]) ? 0 : 1;
    if (argc != 2 && !(argc == 4 && std::string(argv[2]) == "--preview")) {
        std::fprintf(stderr, "usage: lumora-artwork OUTDIR [--preview PREVIEWDIR] | --desktop-icons ICONDIR | --sharp-book DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::filesystem::create_directories(dir);

    const bool ok = WriteBookSet(dir, 1, BookStyle{false}, AppColors(), 8, kEdgeWidth) &&
                    WriteBookSet(dir, 6, BookStyle{true}, SixteenColors(), 4, kEdgeWidth - 1) &&
                    WriteSplash(dir + "/11.gif") && WritePngs(dir, RenderCursors()) &&
                    WritePngs(dir, RenderToolbarIcons()) && WritePngs(dir, RenderControlBitmaps());
    if (!ok)
        return 1;
    if (argc == 4 && !WritePreview(dir, argv[3])) {
        std::fprintf(stderr, "lumora-artwork: cannot write the preview\n");
        return 1;
    }
    return 0;
}
