#include "imaging/qt/picture_window.h"

#include <QApplication>
#include <QTimer>

#include "app/commands.h"
#include "app/lumora_app.h"
#include "app/main_frame.h"
#include "imaging/qt/dib_view.h"
#include "imaging/qt/full_screen_window.h"
#include "imaging/qt/load_error_dialog.h"
#include "present/find_album_file.h"

namespace lumora {
namespace {

constexpr const char* kCommandsInstalled = "lumoraPictureCommands";

QColor ColorFromRef(ColorRef colour)
{
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

void ShowStatus(CMainFrame& frame, const CDibView& view)
{
    // The gauge of a long operation owns the status bar meanwhile.
    if (!frame.Gauge() || !frame.Gauge()->IsRunning())
        frame.SetStatusText(view.StatusText());
}

std::shared_ptr<CDibDoc> LoadDocument(CMainFrame& frame, QString path)
{
    auto document = std::make_shared<CDibDoc>();
    for (;;) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool loaded = document->OnOpenDocument(path.toStdString());
        QApplication::restoreOverrideCursor();
        if (loaded)
            break;
        const std::optional<QString> another = AskLoadErrorPath(&frame, path);
        if (!another)
            return nullptr;
        path = *another;
    }
    document->SetPathName(path.toStdString());
    return document;
}

// The menus and toolbar of the active window's kind; the frame's own when
// the last window has gone.
void ShowWindowKind(CMainFrame& frame, QMdiSubWindow* active)
{
    if (auto* view = active ? qobject_cast<CDibView*>(active->widget()) : nullptr) {
        frame.UseMenu(ImageMenu());
        frame.UseToolBar(ImageToolBar());
        ShowStatus(frame, *view);
    } else if (frame.MdiArea()->subWindowList().isEmpty()) {
        frame.UseMenu(FrameMenu());
        frame.UseToolBar(AlbumToolBar());
    }
    frame.RefreshCommandStates();
}

void FollowActiveWindow(CMainFrame& frame)
{
    QObject::connect(frame.MdiArea(), &QMdiArea::subWindowActivated, &frame,
                     [&frame](QMdiSubWindow* window) { ShowWindowKind(frame, window); });
}

}  // namespace

CDibView* ActiveDibView(CMainFrame& frame)
{
    QMdiSubWindow* window = frame.MdiArea()->activeSubWindow();
    if (!window)
        window = frame.MdiArea()->currentSubWindow();  // the frame itself is not active
    return window ? qobject_cast<CDibView*>(window->widget()) : nullptr;
}

void InstallPictureCommands(CMainFrame& frame)
{
    if (frame.property(kCommandsInstalled).toBool())
        return;
    frame.setProperty(kCommandsInstalled, true);
    CMainFrame* f = &frame;
    auto withView = [f](auto action) {
        return [f, action] {
            if (CDibView* view = ActiveDibView(*f))
                action(*view);
        };
    };
    auto when = [f](auto test) {
        return [f, test] {
            const CDibView* view = ActiveDibView(*f);
            return view && test(*view);
        };
    };
    frame.SetCommandHandler(kCmdEditCopy, withView([](CDibView& v) { v.CopyToClipboard(); }),
                            when([](const CDibView& v) { return v.CanCopy(); }));
    frame.SetCommandHandler(
        kCmdFullScreen, withView([f](CDibView& v) { CFullScreenWnd::Of(*f).ShowPicture(v.Image()); }),
        when([](const CDibView& v) { return v.HasImage(); }));
    frame.SetCommandHandler(kCmdZoomIn, withView([](CDibView& v) { v.ZoomIn(); }),
                            when([](const CDibView& v) { return v.CanZoomIn(); }));
    frame.SetCommandHandler(kCmdZoomOut, withView([](CDibView& v) { v.ZoomOut(); }),
                            when([](const CDibView& v) { return v.CanZoomOut(); }));
    frame.SetCommandHandler(kCmdFilePrint, withView([](CDibView& v) { v.ShowPrintDialog(); }),
                            when([](const CDibView& v) { return v.CanCopy(); }));
    frame.SetCommandHandler(kCmdFilePrintPreview, withView([](CDibView& v) { v.ShowPrintPreview(); }),
                            when([](const CDibView& v) { return v.CanCopy(); }));
    // Poster printing (kCmdPrintPoster, kCmdPosterPreview) has no handler
    // yet and so stays disabled.
    FollowActiveWindow(frame);
}

QMdiSubWindow* OpenPictureWindow(CMainFrame& frame, CLumoraApp& app, const QString& path,
                                 const QString& description, const QString& albumPath)
{
    InstallPictureCommands(frame);
    QString start = path;
    if (!albumPath.isEmpty()) {
        const std::string found = FindAlbumImage(path.toStdString(), albumPath.toStdString());
        if (!found.empty())
            start = QString::fromStdString(found);
    }
    std::shared_ptr<CDibDoc> document = LoadDocument(frame, start);
    if (!document)
        return nullptr;
    document->SetDescription(description.toStdString());

    Preferences& prefs = app.Prefs();
    auto* view = new CDibView(document, [&prefs] { return ColorFromRef(prefs.ViewerColor()); });
    auto* window = new CCorvantMDI(prefs.maximiseOnOpen);
    window->setWidget(view);
    window->setWindowTitle(QString::fromStdString(document->Title()));
    frame.MdiArea()->addSubWindow(window);
    QObject::connect(view, &CDibView::ZoomChanged, &frame, [&frame, view] {
        ShowStatus(frame, *view);
        frame.RefreshCommandStates();
    });
    // The area forgets a closed window only after it has said which one is
    // active next: look again once it is gone.
    QObject::connect(window, &QObject::destroyed, &frame, [&frame] {
        QTimer::singleShot(0, &frame, [&frame] { ShowWindowKind(frame, frame.MdiArea()->activeSubWindow()); });
    });
    window->show();
    frame.MdiArea()->setActiveSubWindow(window);
    view->setFocus();
    ShowStatus(frame, *view);
    frame.RefreshCommandStates();
    return window;
}

}  // namespace lumora
