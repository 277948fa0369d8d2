#include "gui/print/print_commands.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPaintEngine>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include "core/album/album_document.h"
#include "core/picture_document/image_document.h"
#include "core/sound/sounds.h"
#include "gui/album/album_command_support.h"
#include "gui/picture/picture_printing.h"
#include "gui/picture/picture_view.h"
#include "gui/picture/picture_window.h"
#include "gui/platform/commands.h"
#include "gui/platform/dib_painter.h"
#include "gui/print/page_setup.h"
#include "gui/print/album_print.h"
#include "gui/print/album_print_dialog.h"
#include "gui/print/pdf_export.h"
#include "gui/print/poster_dialog.h"
#include "gui/print/poster_print.h"

namespace lumora {
namespace {

// PDF files are drawn at this resolution: photos keep print quality
// without making the file needlessly large.
constexpr int kPdfDpi = 300;

// The sheets' gauge in the status bar; the windows stay painted meanwhile.
std::function<bool(int, int)> GaugeOf(CommandHost& frame)
{
    return [&frame](int done, int total) {
        frame.SetProgress(static_cast<unsigned>(done), static_cast<unsigned>(std::max(total, 1)));
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    };
}

class ScopedGauge {
public:
    explicit ScopedGauge(CommandHost& frame) : frame_(frame)
    {
        frame_.BeginProgress();
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~ScopedGauge()
    {
        QApplication::restoreOverrideCursor();
        frame_.EndProgress();
    }
    ScopedGauge(const ScopedGauge&) = delete;
    ScopedGauge& operator=(const ScopedGauge&) = delete;

private:
    CommandHost& frame_;
};

// The print preview draws on a recording engine; only then are photos
// drawn from their previews.
bool IsPreviewDevice(QPrinter& printer)
{
    return printer.paintEngine() && printer.paintEngine()->type() == QPaintEngine::Picture;
}

// The sheets the print dialog asked for.
std::pair<int, int> ChosenRange(const QPrinter& printer, int count)
{
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0)
        return {printer.fromPage(), std::min(printer.toPage(), count)};
    return {1, count};
}

// "Impression d'un album"; false on Cancel (its choices are kept anyway).
bool AskAlbumPrintOptions(CommandHost& frame)
{
    AlbumPrintDialog dialog(frame.Prefs(), frame.HostWidget());
    return dialog.exec() == QDialog::Accepted;
}

AlbumPrintOptions CurrentAlbumOptions(CommandHost& frame, bool preview)
{
    return {AlbumCoverMode(), frame.Prefs().printDescriptions, preview};
}

void PrintAlbum(CommandHost& frame, AlbumView& view)
{
    StopSound();
    if (!AskAlbumPrintOptions(frame))
        return;
    StopSound();  // printing begins
    const AlbumSheets sheets(view.Document(), &view.Book(), CurrentAlbumOptions(frame, false));
    QPrinter& printer = ApplicationPrinter();
    printer.setDocName(QString::fromStdString(view.Document().Settings().title));
    printer.setFromTo(0, 0);
    QPrintDialog dialog(&printer, frame.HostWidget());
    dialog.setMinMax(1, sheets.Count());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto [first, last] = ChosenRange(printer, sheets.Count());
    ScopedGauge gauge(frame);
    PrintAlbumSheets(printer, sheets, first, last, GaugeOf(frame));
}

void PreviewAlbum(CommandHost& frame, AlbumView& view)
{
    StopSound();
    if (!AskAlbumPrintOptions(frame))
        return;
    // The properties window stays out of the preview's way and comes back
    // when the preview closes.
    const bool propertiesShown = frame.Prefs().showProperties;
    if (propertiesShown)
        frame.Action(kCmdPropertiesWindow)->trigger();  // hides the properties window
    const AlbumDocument& doc = view.Document();
    const AlbumSheets previewSheets(doc, &view.Book(), CurrentAlbumOptions(frame, true));
    const AlbumSheets paperSheets(doc, &view.Book(), CurrentAlbumOptions(frame, false));
    QPrinter& printer = ApplicationPrinter();
    printer.setDocName(QString::fromStdString(doc.Settings().title));
    printer.setFromTo(0, 0);
    QPrintPreviewDialog preview(&printer, frame.HostWidget());
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* p) {
        StopSound();
        if (IsPreviewDevice(*p)) {
            PrintAlbumSheets(*p, previewSheets, 1, previewSheets.Count());
            return;
        }
        // Printed from the preview window: the photos from their files.
        const auto [first, last] = ChosenRange(*p, paperSheets.Count());
        ScopedGauge gauge(frame);
        PrintAlbumSheets(*p, paperSheets, first, last, GaugeOf(frame));
    });
    // The preview opens on the page the album window shows.
    if (auto* widget = preview.findChild<QPrintPreviewWidget*>()) {
        const int start = AlbumCoverMode() ? 1 : PreviewStartSheet(view.State().Position(), doc.PageCount());
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = QObject::connect(widget, &QPrintPreviewWidget::previewChanged, widget, [widget, start, connection] {
            QObject::disconnect(*connection);
            widget->setCurrentPage(start);
        });
    }
    preview.exec();
    if (propertiesShown && !frame.Prefs().showProperties)
        frame.Action(kCmdPropertiesWindow)->trigger();
}

// "Exporter en PDF...": a file name, then the pages as printed.
std::optional<std::string> AskPdfPath(CommandHost& frame, const std::string& besides)
{
    QString suggestion;
    if (!besides.empty()) {
        const QFileInfo info(QString::fromStdString(besides));
        suggestion = info.dir().filePath(info.completeBaseName() + ".pdf");
    }
    const QString path = QFileDialog::getSaveFileName(frame.HostWidget(), QStringLiteral("Exporter en PDF"),
                                                      suggestion, QStringLiteral("Documents PDF (*.pdf)"));
    if (path.isEmpty())
        return std::nullopt;
    return (path.endsWith(".pdf", Qt::CaseInsensitive) ? path : path + ".pdf").toStdString();
}

PdfSetup PdfSetupFor(const std::string& title)
{
    return {ApplicationPrinter().pageLayout(), kPdfDpi, QString::fromStdString(title)};
}

void ReportPdfFailure(CommandHost& frame, const std::optional<std::string>& failure)
{
    if (failure)
        QMessageBox::critical(frame.HostWidget(), QStringLiteral("Lumora"), QString::fromStdString(*failure));
}

void ExportAlbumPdf(CommandHost& frame, AlbumView& view)
{
    StopSound();
    if (!AskAlbumPrintOptions(frame))
        return;
    const auto path = AskPdfPath(frame, view.Document().Path());
    if (!path)
        return;
    const AlbumSheets sheets(view.Document(), &view.Book(), CurrentAlbumOptions(frame, false));
    ScopedGauge gauge(frame);
    ReportPdfFailure(frame, WritePdf(*path, PdfSetupFor(view.Document().Settings().title), [&](QPagedPaintDevice& device) {
                         return PrintAlbumSheets(device, sheets, 1, sheets.Count(), GaugeOf(frame));
                     }));
}

// "Impression d'un poster"; the width chosen, or nothing on Cancel.
std::optional<int> AskPosterWidth(CommandHost& frame, const PictureDocument& document)
{
    PosterDialog dialog(PosterWidthCm(), document.Width(), document.Height(), frame.HostWidget());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    PosterWidthCm() = dialog.WidthCm();
    return dialog.WidthCm();
}

QImage PosterPicture(const PictureDocument& document) { return DIBToQImage(document.Image().Image()); }

void PrintPosterCommand(CommandHost& frame, PictureView& view, bool preview)
{
    StopSound();
    const auto widthCm = AskPosterWidth(frame, view.Document());
    if (!widthCm)
        return;
    const QImage picture = PosterPicture(view.Document());
    QPrinter& printer = ApplicationPrinter();
    printer.setDocName(QString::fromStdString(view.Document().Title()));
    printer.setFromTo(0, 0);
    if (preview) {
        QPrintPreviewDialog dialog(&printer, frame.HostWidget());
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* p) {
            // Printed from the preview window: the sheets its print dialog chose.
            const int count = PosterSheetCount(*p, picture, *widthCm);
            const auto [first, last] = IsPreviewDevice(*p) ? std::pair{1, count} : ChosenRange(*p, count);
            PrintPosterSheets(*p, picture, *widthCm, first, last);
        });
        dialog.exec();
        return;
    }
    const int count = PosterSheetCount(printer, picture, *widthCm);
    QPrintDialog dialog(&printer, frame.HostWidget());
    dialog.setMinMax(1, std::max(count, 1));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const auto [first, last] = ChosenRange(printer, count);
    ScopedGauge gauge(frame);
    PrintPosterSheets(printer, picture, *widthCm, first, last, GaugeOf(frame));
}

void ExportPicturePdf(CommandHost& frame, PictureView& view)
{
    StopSound();
    const PictureDocument& document = view.Document();
    const auto path = AskPdfPath(frame, document.PathName());
    if (!path)
        return;
    ScopedGauge gauge(frame);
    ReportPdfFailure(frame, WritePdf(*path, PdfSetupFor(document.Title()), [&](QPagedPaintDevice& device) {
                         QPainter painter;
                         if (!painter.begin(&device))
                             return false;
                         const PrintSheet sheet = SheetOf(device);
                         RenderPicturePrintPage(painter, document, QSize(sheet.width, sheet.height), sheet.dpiX,
                                                sheet.dpiY);
                         return true;
                     }));
}

}  // namespace

void InstallPrintCommands(CommandHost& frame)
{
    const auto anyAlbum = WhenActiveAlbum(frame, AnyAlbum);
    frame.SetCommandHandler(kCmdFilePrint, OnActiveAlbum(frame, PrintAlbum), anyAlbum);
    frame.SetCommandHandler(kCmdFilePrintPreview, OnActiveAlbum(frame, PreviewAlbum), anyAlbum);
    frame.SetCommandHandler(kCmdExportPdf, OnActiveAlbum(frame, ExportAlbumPdf), anyAlbum);

    CommandHost* f = &frame;
    auto onPicture = [f](auto action) {
        return [f, action] {
            if (PictureView* view = ActiveDibView(*f))
                action(*f, *view);
        };
    };
    auto whenPicture = [f] {
        const PictureView* view = ActiveDibView(*f);
        return view && view->CanCopy();
    };
    frame.SetCommandHandler(
        kCmdPrintPoster, onPicture([](CommandHost& h, PictureView& v) { PrintPosterCommand(h, v, false); }),
        whenPicture);
    frame.SetCommandHandler(
        kCmdPosterPreview, onPicture([](CommandHost& h, PictureView& v) { PrintPosterCommand(h, v, true); }),
        whenPicture);
    frame.SetCommandHandler(kCmdExportPdf, onPicture(ExportPicturePdf), whenPicture);
}

}  // namespace lumora
