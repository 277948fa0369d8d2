#include "cli/album_print.h"
#include "cli/album_file.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <iostream>
#include <optional>

#include "cli/album_options.h"
#include "cli/offscreen_gui.h"
#include "core/album/album_document.h"
#include "core/picture_document/dib_object.h"
#include "core/platform/screen.h"
#include "core/print/poster_tiling.h"
#include "gui/album/book_pictures.h"
#include "gui/platform/dib_painter.h"
#include "gui/platform/ini_preferences.h"
#include "gui/platform/profile.h"
#include "gui/print/album_print.h"
#include "gui/print/pdf_export.h"
#include "gui/print/poster_print.h"

namespace lumora::cli {
namespace {

constexpr const char* kPrintUsage =
    "usage : lumora-cli album print FICHIER SORTIE.pdf [--covers] [--descriptions on|off] [--paper A4|Letter] [--dpi N]";
constexpr const char* kPosterUsage =
    "usage : lumora-cli poster IMAGE SORTIE.pdf --width-cm C [--paper A4|Letter] [--dpi N] [--dry-run [--printable LxH]]";

constexpr int kDefaultDpi = 300;
constexpr int kLowestDpi = 72;
constexpr int kHighestDpi = 1200;
// What a printer cannot reach around the sheet; the PDF keeps it blank.
constexpr double kMarginMm = 5.0;

// The sheet the PDF pages stand for: the paper, the resolution.
struct PaperChoice {
    QPageSize::PageSizeId paper = QPageSize::A4;
    int dpi = kDefaultDpi;
};

// --paper and --dpi.
PaperChoice ReadPaper(OptionReader& options)
{
    PaperChoice choice;
    if (const auto paper = options.Text("--paper")) {
        if (*paper == "A4" || *paper == "a4")
            choice.paper = QPageSize::A4;
        else if (*paper == "Letter" || *paper == "letter")
            choice.paper = QPageSize::Letter;
        else
            options.Problem("papier inconnu : " + *paper + " (A4 ou Letter)");
    }
    choice.dpi = options.Number("--dpi", kLowestDpi, kHighestDpi).value_or(kDefaultDpi);
    return choice;
}

PdfSetup SetupFor(const PaperChoice& choice, const std::string& title)
{
    PdfSetup setup;
    setup.layout = QPageLayout(QPageSize(choice.paper), QPageLayout::Portrait,
                               QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm), QPageLayout::Millimeter);
    setup.dpi = choice.dpi;
    setup.title = QString::fromStdString(title);
    return setup;
}

bool TerminalProgress(int done, int total)
{
    ShowCountOnTerminal(done, total);
    return true;
}

}  // namespace

int RunAlbumPrint(Arguments args)
{
    const bool covers = args.TakeFlag("--covers");
    OptionReader options(std::move(args));
    const std::optional<bool> describe = options.Flag("--descriptions");
    const PaperChoice paper = ReadPaper(options);
    if (!options.Finish(2, 2, kPrintUsage))
        return kExitUsage;
    const auto& words = options.Words();

    OffscreenGui gui;
    Preferences prefs;
    LoadPreferences(prefs, Profile());
    AlbumDocument doc;
    if (!OpenAlbumFile(doc, words[0]))
        return kExitFailed;
    std::optional<BookPictures> book;
    if (covers) {
        book = LoadBookPictures(QCoreApplication::applicationDirPath() + '/', ScreenDepth(), {});
        if (!book)
            return Fail(kExitFailed, "images du livre illisibles");
    }
    const AlbumSheets sheets(doc, book ? &*book : nullptr,
                             {covers, describe.value_or(prefs.printDescriptions), false});

    if (const auto failure = WritePdf(words[1], SetupFor(paper, doc.Settings().title), [&sheets](QPagedPaintDevice& device) {
            return PrintAlbumSheets(device, sheets, 1, sheets.Count(), TerminalProgress);
        }))
        return Fail(kExitFailed, *failure);
    std::cout << "pages : " << sheets.Count() << "\n";
    return kExitOk;
}

int RunPoster(Arguments args)
{
    const bool dryRun = args.TakeFlag("--dry-run");
    OptionReader options(std::move(args));
    const auto widthCm = options.Number("--width-cm", kPosterSmallestCm, kPosterLargestCm);
    const auto printable = options.Dimensions("--printable");
    const PaperChoice paper = ReadPaper(options);
    if (printable && !dryRun)
        options.Problem("--printable ne va qu'avec --dry-run");
    if (!options.Finish(dryRun ? 1 : 2, 2, kPosterUsage))
        return kExitUsage;
    if (!widthCm)
        return Fail(kExitUsage, kPosterUsage);
    const auto& words = options.Words();

    OffscreenGui gui;
    // A poster is printed from the picture's own colours.
    Dib picture;
    picture.Load(words[0], ReadOptions{});
    if (picture.IsEmpty())
        return Fail(kExitFailed, "image illisible : " + words[0]);

    const PdfSetup setup = SetupFor(paper, words[0]);
    const QRect area = setup.layout.paintRectPixels(paper.dpi);
    PrintSheet sheet{area.width(), area.height(), paper.dpi, paper.dpi};
    if (printable)
        sheet = {printable->width, printable->height, paper.dpi, paper.dpi};
    const PosterTiling tiling = TilePoster(picture.Width(), picture.Height(), static_cast<int>(*widthCm), sheet);
    if (dryRun) {
        std::cout << "colonnes : " << tiling.columns << "\nrangées : " << tiling.rows
                  << "\nfeuilles : " << tiling.Sheets() << "\ntuile : " << tiling.tileWidth << " x "
                  << tiling.tileHeight << " pixels de l'image\n";
        return kExitOk;
    }
    const QImage image = DIBToQImage(picture.Image());
    if (const auto failure = WritePdf(words[1], setup, [&](QPagedPaintDevice& device) {
            return PrintPoster(device, image, static_cast<int>(*widthCm));
        }))
        return Fail(kExitFailed, *failure);
    std::cout << "feuilles : " << tiling.Sheets() << "\n";
    return kExitOk;
}

}  // namespace lumora::cli
