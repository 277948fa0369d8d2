#include "gui/picture/picture_window.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

#include "gui/platform/commands.h"
#include "gui/platform/command_host.h"
#include "gui/platform/commands.h"
#include <QAction>
#include <QMdiArea>
#include "gui/picture/picture_printing.h"
#include "gui/picture/picture_view.h"
#include "gui/picture/full_screen_window.h"
#include "gui/picture/load_error_dialog.h"
#include "core/album/find_album_file.h"
#include "core/sound/sounds.h"

namespace lumora {
namespace {

QColor ColorFromRef(Rgb colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace

void ShowPictureStatus(CommandHost& frame, const PictureView& view)
{
    // The gauge of a long operation owns the status bar meanwhile.
    if (!frame.ProgressRunning())
        frame.SetStatusText(view.StatusText());
}

namespace {

std::shared_ptr<PictureDocument> LoadDocument(CommandHost& frame, QString path)
{
    auto document = std::make_shared<PictureDocument>();
    for (;;) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool loaded = document->OnOpenDocument(path.toStdString());
        QApplication::restoreOverrideCursor();
        ShowHeldMessages(document->OpenMessages());
        if (loaded)
            break;
        const std::optional<QString> another = AskLoadErrorPath(frame.HostWidget(), path);
        if (!another)
            return nullptr;
        path = *another;
    }
    document->SetPathName(path.toStdString());
    return document;
}

}  // namespace

PictureView* ActiveDibView(CommandHost& frame)
{
    QMdiSubWindow* window = frame.MdiArea()->activeSubWindow();
    if (!window)
        window = frame.MdiArea()->currentSubWindow();  // the frame itself is not active
    return window ? qobject_cast<PictureView*>(window->widget()) : nullptr;
}

void ShowFullScreen(CommandHost& frame, const PictureView& view)
{
    FullScreenWindow& window = FullScreenWindow::Of(*frame.HostWidget());
    const QImage picture = view.Image();
    const QScreen* screen = frame.HostWidget()->screen();
    const QSize screenSize = screen ? screen->size() : QSize();
    const double windowZoom = view.ZoomedInByUser() ? view.ZoomPercent() / 100.0 : 0.0;
    window.ShowPicture(picture, FullScreenScale(picture.size(), screenSize, frame.Prefs().slideshowRealSize, windowZoom));
}

void InstallPictureCommands(CommandHost& frame)
{
    CommandHost* f = &frame;
    auto withView = [f](auto action) {
        return [f, action] {
            if (PictureView* view = ActiveDibView(*f))
                action(*view);
        };
    };
    auto when = [f](auto test) {
        return [f, test] {
            const PictureView* view = ActiveDibView(*f);
            return view && test(*view);
        };
    };
    frame.SetCommandHandler(kCmdEditCopy, withView([](PictureView& v) { v.CopyToClipboard(); }),
                            when([](const PictureView& v) { return v.CanCopy(); }));
    frame.SetCommandHandler(kCmdFullScreen, withView([f](PictureView& v) { ShowFullScreen(*f, v); }),
                            when([](const PictureView& v) { return v.HasImage(); }));
    frame.SetCommandHandler(kCmdZoomFit, withView([](PictureView& v) { v.ZoomToFit(); }),
                            when([](const PictureView& v) { return !v.IsFitted(); }));
    frame.SetCommandHandler(kCmdZoomIn, withView([](PictureView& v) { v.ZoomIn(); }),
                            when([](const PictureView& v) { return v.CanZoomIn(); }));
    frame.SetCommandHandler(kCmdZoomOut, withView([](PictureView& v) { v.ZoomOut(); }),
                            when([](const PictureView& v) { return v.CanZoomOut(); }));
    frame.SetCommandHandler(kCmdFilePrint, withView([](PictureView& v) {
                                StopSound();
                                ShowPicturePrintDialog(&v, v.Document());
                            }),
                            when([](const PictureView& v) { return v.CanCopy(); }));
    frame.SetCommandHandler(kCmdFilePrintPreview, withView([](PictureView& v) {
                                StopSound();
                                ShowPicturePrintPreview(&v, v.Document());
                            }),
                            when([](const PictureView& v) { return v.CanCopy(); }));
    // Poster printing and its preview are the print commands'
    // (gui/print/print_commands).
}

QMdiSubWindow* OpenPictureWindow(CommandHost& frame, const QString& path,
                                 const QString& description, const QString& albumPath)
{
    QString start = path;
    if (!albumPath.isEmpty()) {
        const std::string found = FindAlbumImage(path.toStdString(), albumPath.toStdString());
        if (!found.empty())
            start = QString::fromStdString(found);
    }
    std::shared_ptr<PictureDocument> document = LoadDocument(frame, start);
    if (!document)
        return nullptr;
    document->SetDescription(description.toStdString());

    Preferences& prefs = frame.Prefs();
    auto* view = new PictureView(document, [&prefs] { return ColorFromRef(prefs.ViewerColor()); });
    auto* window = new DocumentWindow(prefs.maximiseOnOpen);
    window->setWidget(view);
    window->setWindowTitle(QString::fromStdString(document->Title()));
    frame.MdiArea()->addSubWindow(window);
    QObject::connect(view, &PictureView::ZoomChanged, frame.HostWidget(), [&frame, view] {
        ShowPictureStatus(frame, *view);
        frame.RefreshCommandStates();
    });
    window->show();
    frame.MdiArea()->setActiveSubWindow(window);
    view->setFocus();
    ShowPictureStatus(frame, *view);
    frame.RefreshCommandStates();
    return window;
}

}  // namespace lumora
