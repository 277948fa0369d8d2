#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QFile>
#include <QKeyEvent>
#include <QMenu>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPointer>
#include <QMessageBox>
#include <QSessionManager>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "gui/album/album_navigation.h"
#include "gui/album/album_zoom.h"
#include "gui/album/album_settings.h"
#include "gui/album/clipboard_commands.h"
#include "gui/album/album_view.h"
#include "gui/album/editing_commands.h"
#include "gui/album/photo_drag.h"
#include "gui/picture/picture_view.h"
#include "gui/picture/picture_window.h"
#include "gui/help/help_window.h"
#include "gui/print/page_setup.h"
#include "gui/properties/properties_window.h"
#include "gui/preferences/preferences_dialog.h"
#include "gui/platform/program_art.h"
#include "gui/platform/profile.h"
#include "gui/platform/screen_fit.h"
#include "core/sound/sounds.h"
#include "core/res/strings.h"
#include "gui/print/print_commands.h"
#include "gui/slideshow/slideshow_window.h"
#include "gui/gather/gather_command.h"
#include "gui/sound/sound_commands.h"
#include "app/frame_title.h"

namespace lumora {
namespace {

QString Text(int stringId)
{
    return QString::fromStdString(LoadString(stringId));
}

}  // namespace

MainWindow::MainWindow(Preferences& preferences, Profile& profile, QWidget* parent)
    : QMainWindow(parent), preferences_(preferences), profile_(profile)
{
    setWindowIcon(ProgramIcon());  // the document windows inside take it too
    resize(900, 650);
    setAcceptDrops(true);
    mdiArea_ = new QMdiArea(this);
    mdiArea_->setBackground(QColor(128, 128, 128));
    setCentralWidget(mdiArea_);
    KeepFrameTitle(*this, *mdiArea_);
    CreateActions();
    CreateToolBar();
    CreateStatusBar();
    InstallFrameCommands();
    InstallAlbumNavigation(*this);
    InstallAlbumZoomCommands(*this);
    InstallEditingCommands(*this);
    InstallAlbumSettingsCommands(*this);
    InstallClipboardCommands(*this);
    InstallPictureCommands(*this);
    InstallSoundCommands(*this);
    InstallSlideshowCommand(*this);
    InstallPrintCommands(*this);
    InstallGatherCommand(*this);
    UseMenu(FrameMenu());
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* window) {
        ShowWindowKind(window);
        // The area forgets a closed window only after it has said which one
        // is active next: look again once it is gone.
        if (!window)
            QTimer::singleShot(0, this, [this] { ShowWindowKind(mdiArea_->activeSubWindow()); });
    });

    // The placement is kept however the program ends: its own close, the
    // window manager's, or the desktop session going away (which may end
    // the program without closing its windows).
    connect(qApp, &QCoreApplication::aboutToQuit, this, &MainWindow::SavePlacement);
#ifndef QT_NO_SESSIONMANAGER
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { SavePlacement(); });
#endif

    // Update handlers run when a menu opens and at idle moments.
    auto* idle = new QTimer(this);
    connect(idle, &QTimer::timeout, this, &MainWindow::RefreshCommandStates);
    connect(idle, &QTimer::timeout, this, &MainWindow::DescribeActiveWindow);
    idle->start(250);
}

MainWindow::~MainWindow()
{
    // Document windows closing with the frame must not reach commands and
    // menus that are going away.
    mdiArea_->disconnect();
}

void MainWindow::ShowWindowKind(QMdiSubWindow* active)
{
    QWidget* widget = active ? active->widget() : nullptr;
    if (properties_)
        properties_->Describe(active);
    // The status text belongs to the active window: a picture's facts must
    // not stay once another window, or none, is active. (While the frame
    // itself is inactive, the area names no active window but keeps its
    // current one.)
    const QMdiSubWindow* current = active ? active : mdiArea_->currentSubWindow();
    if (!(current && qobject_cast<PictureView*>(current->widget())) && !ProgressRunning())
        SetStatusText(kStrReady);
    if (auto* album = qobject_cast<AlbumView*>(widget)) {
        // The properties window follows the selection of the active album.
        connect(album, &AlbumView::SelectionChanged, this, &MainWindow::DescribeActiveWindow,
                Qt::UniqueConnection);
        UseMenu(AlbumMenu());
        UseToolBar(AlbumToolBar());
    } else if (auto* picture = qobject_cast<PictureView*>(widget)) {
        UseMenu(ImageMenu());
        UseToolBar(ImageToolBar());
        ShowPictureStatus(*this, *picture);
    } else if (mdiArea_->subWindowList().isEmpty()) {
        UseMenu(FrameMenu());
        UseToolBar(AlbumToolBar());
    }
    RefreshCommandStates();
}

void MainWindow::DescribeActiveWindow()
{
    if (properties_)
        properties_->Describe(mdiArea_->activeSubWindow());
}

void MainWindow::OnPreferencesChanged(QObject* context, std::function<void()> slot)
{
    connect(this, &MainWindow::PreferencesChanged, context, std::move(slot));
}

void MainWindow::CreateActions()
{
    for (const CommandInfo& info : AllCommands()) {
        auto* action = new QAction(MenuLabel(info), this);
        action->setData(info.id);
        action->setShortcuts(info.keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setEnabled(false);
        action->setIcon(CommandIcon(info.id));
        // Buttons show the label without its accelerator mark.
        action->setToolTip(QString(info.label).remove('&').remove("..."));
        connect(action, &QAction::triggered, this, [this, id = info.id] {
            if (const Handler* handler = ActiveHandler(id))
                handler->run();
            // What the command changed may enable or disable others: the
            // next key pressed must find them right.
            RefreshCommandStates();
        });
        addAction(action);  // accelerators work whichever menu is shown
        actions_.insert(info.id, action);
    }
}

void MainWindow::CreateToolBar()
{
    toolBar_ = addToolBar("Barre d'outils");
    toolBar_->setObjectName("toolbar");
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(16, 16));
    UseToolBar(AlbumToolBar());
}

void MainWindow::UseToolBar(const QList<int>& buttons)
{
    toolBar_->clear();
    for (int id : buttons) {
        if (id == 0)
            toolBar_->addSeparator();
        else if (QAction* action = actions_.value(id))
            toolBar_->addAction(action);
    }
}

void MainWindow::CreateStatusBar()
{
    statusText_ = new QLabel(this);
    statusText_->setMinimumWidth(200);
    statusBar()->addWidget(statusText_, 1);
    gauge_ = new ProgressGauge(this);
    if (const QPixmap cells = GaugeCells(); !cells.isNull())
        gauge_->SetCellBitmap(cells);
    statusBar()->addPermanentWidget(gauge_);
    // Qt does not tell the lock-key states: the indicators stay dimmed.
    for (int id : {kStrIndicatorCaps, kStrIndicatorNum}) {
        auto* indicator = new QLabel(Text(id), this);
        indicator->setEnabled(false);
        indicator->setObjectName(id == kStrIndicatorCaps ? "capsIndicator" : "numIndicator");
        statusBar()->addPermanentWidget(indicator);
    }
}

void MainWindow::InstallFrameCommands()
{
    SetCommandHandler(kCmdAppExit, [this] { close(); }, [] { return true; });
    SetCommandHandler(kCmdAppAbout, [this] { ShowAbout(); }, [] { return true; });
    SetCommandHandler(kCmdPreferences, [this] { ShowPreferencesDialog(); }, [] { return true; });
    SetCommandHandler(kCmdFilePrintSetup, [this] { ShowPageSetup(this); }, [] { return true; });
    SetCommandHandler(
        kCmdPropertiesWindow, [this] { TogglePropertiesWindow(); }, [] { return true; },
        [this] { return preferences_.showProperties; });
    SetCommandHandler(
        kCmdViewToolBar, [this] { toolBar_->setVisible(!toolBar_->isVisible()); }, [] { return true; },
        [this] { return toolBar_->isVisible(); });
    SetCommandHandler(
        kCmdViewStatusBar, [this] { statusBar()->setVisible(!statusBar()->isVisible()); },
        [] { return true; }, [this] { return statusBar()->isVisible(); });
    for (int help : {int{kCmdHelpIndex}, int{kCmdHelpUsing}, int{kCmdHelp}, int{kCmdContextHelp}})
        SetCommandHandler(help, [this] { (new HelpWindow(this))->show(); }, [] { return true; });
    // Tabs show one window at a time: nothing to cascade, tile or line up.
    auto hasFreeWindows = [this] { return !tabbedWindows_ && !mdiArea_->subWindowList().isEmpty(); };
    SetCommandHandler(kCmdWindowCascade, [this] { mdiArea_->cascadeSubWindows(); }, hasFreeWindows);
    SetCommandHandler(kCmdWindowTile, [this] { mdiArea_->tileSubWindows(); }, hasFreeWindows);
    SetCommandHandler(
        kCmdTabbedWindows, [this] { SetTabbedWindows(!tabbedWindows_); }, [] { return true; },
        [this] { return tabbedWindows_; });
    SetCommandHandler(
        kCmdWindowArrange,
        [this] {
            // Lines the minimised windows up along the bottom of the area.
            int x = 0;
            for (QMdiSubWindow* w : mdiArea_->subWindowList())
                if (w->isMinimized()) {
                    w->move(x, mdiArea_->viewport()->height() - w->height());
                    x += w->width();
                }
        },
        hasFreeWindows);
}

void MainWindow::SetCommandHandler(int commandId, std::function<void()> run,
                                   std::function<bool()> enabled, std::function<bool()> checked)
{
    if (!run)
        return;
    auto& route = handlers_[commandId];
    route.append({std::move(run), std::move(enabled), std::move(checked)});
    if (QAction* action = actions_.value(commandId))
        action->setCheckable(action->isCheckable() || static_cast<bool>(route.last().checked));
    RefreshCommandStates();
}

const MainWindow::Handler* MainWindow::ActiveHandler(int commandId) const
{
    const auto route = handlers_.constFind(commandId);
    if (route == handlers_.constEnd())
        return nullptr;
    for (const Handler& handler : *route)
        if (!handler.enabled || handler.enabled())
            return &handler;
    return nullptr;
}

void MainWindow::RefreshCommandStates()
{
    for (auto it = actions_.constBegin(); it != actions_.constEnd(); ++it) {
        const Handler* handler = ActiveHandler(it.key());
        it.value()->setEnabled(handler != nullptr);
        if (handler && handler->checked)
            it.value()->setChecked(handler->checked());
    }
}

void MainWindow::UseMenu(const QList<MenuPopup>& menu)
{
    currentMenu_ = menu;
    menuBar()->clear();
    for (const MenuPopup& popup : menu) {
        QMenu* m = menuBar()->addMenu(popup.title);
        connect(m, &QMenu::aboutToShow, this, &MainWindow::RefreshCommandStates);
        for (int id : popup.items) {
            if (id == 0)
                m->addSeparator();
            else if (id == kCmdFileMru && !recentFiles_.isEmpty())
                AddRecentFileEntries(m);
            else if (id == kMenuWindowList)
                connect(m, &QMenu::aboutToShow, this, [this, m] { ListWindowsIn(m); });
            else if (QAction* action = actions_.value(id))
                m->addAction(action);
        }
    }
}

void MainWindow::ListWindowsIn(QMenu* menu)
{
    // Entries of the last opening go; the menu's own items stay.
    for (QAction* action : menu->actions())
        if (action->property("windowEntry").toBool())
            delete action;
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList();
    if (windows.isEmpty())
        return;
    auto mark = [](QAction* action) {
        action->setProperty("windowEntry", true);
        return action;
    };
    mark(menu->addSeparator());
    const QMdiSubWindow* active = mdiArea_->currentSubWindow();
    for (int i = 0; i < windows.size(); ++i) {
        QMdiSubWindow* window = windows[i];
        // Numbers 1 to 9 are the entries' keys, as the first nine windows'.
        const QString number = i < 9 ? QString("&%1").arg(i + 1) : QString::number(i + 1);
        QString title = window->windowTitle();
        title.replace("[*]", window->isWindowModified() ? "*" : "");
        QAction* entry = mark(menu->addAction(number + ' ' + title.replace('&', "&&")));
        entry->setCheckable(true);
        entry->setChecked(window == active);
        connect(entry, &QAction::triggered, this, [this, target = QPointer<QMdiSubWindow>(window)] {
            if (target)
                mdiArea_->setActiveSubWindow(target);
        });
    }
}

void MainWindow::SetTabbedWindows(bool tabbed)
{
    tabbedWindows_ = tabbed;
    mdiArea_->setViewMode(tabbed ? QMdiArea::TabbedView : QMdiArea::SubWindowView);
    mdiArea_->setTabsClosable(true);
    mdiArea_->setTabsMovable(true);
    mdiArea_->setDocumentMode(true);
}

void MainWindow::AddRecentFileEntries(QMenu* menu)
{
    for (int i = 0; i < recentFiles_.size(); ++i) {
        const QString path = recentFiles_[i];
        menu->addAction(QString("&%1 %2").arg(i + 1).arg(path), this,
                        [this, path] { emit RecentFileChosen(path); });
    }
}

void MainWindow::SetRecentFiles(const QStringList& paths)
{
    recentFiles_ = paths;
    UseMenu(currentMenu_);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    // A photo dragged out of an album moves within the book or goes to
    // another program; let go over the menus it opens nothing.
    const QMimeData& data = *event->mimeData();
    if (data.hasUrls() && !data.hasFormat(kBookItemMimeType))
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    OpenFiles(paths);
}

void MainWindow::OpenFiles(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    activateWindow();
    emit FilesDropped(paths);
}

void MainWindow::BeginProgress() { gauge_->Begin(); }
void MainWindow::SetProgress(unsigned current, unsigned total) { gauge_->SetProgress(current, total); }
void MainWindow::EndProgress() { gauge_->End(); }

void MainWindow::SetStatusText(const QString& text)
{
    statusText_->setText(text);
    statusText_->repaint();  // on screen before a long operation blocks
}

void MainWindow::SetStatusText(int stringId) { SetStatusText(Text(stringId)); }
void MainWindow::SaveStatusText() { savedStatusText_ = statusText_->text(); }
void MainWindow::RestoreStatusText() { SetStatusText(savedStatusText_); }

void MainWindow::RestorePlacement(const WindowPlacement& placement)
{
    toolBar_->setVisible(placement.toolBar);
    statusBar()->setVisible(placement.statusBar);
    SetTabbedWindows(placement.tabbedWindows);
    // A placement saved under another screen or scale factor is brought
    // back onto the screen it now opens on.
    if (placement.normal && placement.normal->isValid())
        setGeometry(FitInside(*placement.normal, AvailableGeometryFor(*placement.normal)));
    if (placement.maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

WindowPlacement MainWindow::CurrentPlacement() const
{
    WindowPlacement placement;
    placement.normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    placement.maximized = isMaximized() || (isMinimized() && (windowState() & Qt::WindowMaximized));
    // Whether the bars are shown, not whether they are on screen now: the
    // placement is also saved after the window has closed.
    placement.toolBar = !toolBar_->isHidden();
    placement.statusBar = !statusBar()->isHidden();
    placement.tabbedWindows = tabbedWindows_;
    return placement;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    mdiArea_->closeAllSubWindows();
    if (!mdiArea_->subWindowList().isEmpty()) {
        event->ignore();  // a document refused to close
        return;
    }
    KeepPropertiesPosition();
    StopSound();
    SavePlacement();
    event->accept();
}

void MainWindow::SavePlacement()
{
    SaveWindowPlacement(profile_, CurrentPlacement());
    profile_.Sync();
}

void MainWindow::contextMenuEvent(QContextMenuEvent* event)
{
    // Only on the empty client area: document windows have their own menus.
    if (!mdiArea_->viewport()->geometry().contains(mdiArea_->mapFrom(this, event->pos())))
        return;
    QMenu menu(this);
    menu.addAction("&Nouveau", this, [this] { Action(kCmdFileNew)->trigger(); })
        ->setEnabled(Action(kCmdFileNew)->isEnabled());
    menu.addAction("&Ouvrir...", this, [this] { Action(kCmdFileOpen)->trigger(); })
        ->setEnabled(Action(kCmdFileOpen)->isEnabled());
    menu.addAction("&Configurer l'impression...", this, [this] { Action(kCmdFilePrintSetup)->trigger(); })
        ->setEnabled(Action(kCmdFilePrintSetup)->isEnabled());
    menu.addAction("Préférences...", this, [this] { ShowPreferencesDialog(); });
    menu.exec(event->globalPos());
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & Qt::KeypadModifier) {
        const QKeySequence pressed(QKeyCombination(event->modifiers(), Qt::Key(event->key())));
        for (QAction* action : std::as_const(actions_))
            if (action->shortcuts().contains(pressed)) {
                RefreshCommandStates();
                if (action->isEnabled())
                    action->trigger();
                event->accept();
                return;
            }
    }
    QMainWindow::keyPressEvent(event);
}

void MainWindow::TogglePropertiesWindow()
{
    StopSound();
    if (preferences_.showProperties)
        HidePropertiesWindow();
    else
        ShowPropertiesWindow();
}

void MainWindow::ShowPropertiesWindow()
{
    preferences_.showProperties = true;
    if (!properties_) {
        properties_ = new PropertiesWindow(this);
        connect(properties_, &RollupWindow::Closed, this, &MainWindow::HidePropertiesWindow);
        if (preferences_.propertiesX != -1 && preferences_.propertiesY != -1)
            properties_->move(preferences_.propertiesX, preferences_.propertiesY);
        KeepOnScreen(*properties_);
    }
    properties_->show();
    properties_->Describe(mdiArea_->activeSubWindow());
}

void MainWindow::HidePropertiesWindow()
{
    preferences_.showProperties = false;
    KeepPropertiesPosition();
    delete properties_;
    properties_ = nullptr;
}

void MainWindow::KeepPropertiesPosition()
{
    if (!properties_)
        return;
    preferences_.propertiesX = properties_->x();
    preferences_.propertiesY = properties_->y();
}

void MainWindow::ShowPreferencesDialog()
{
    StopSound();
    PreferencesDialog dialog(preferences_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    dialog.Apply(preferences_);
    emit PreferencesChanged();
    for (QMdiSubWindow* w : mdiArea_->subWindowList())
        w->update();
}

void MainWindow::ShowAbout()
{
    QMessageBox box(this);
    box.setWindowTitle("A propos de Lumora");
    box.setIconPixmap(windowIcon().pixmap(48, 48));
    box.setText("<b>Lumora 2.0</b><br>Albums photo pour Linux.");
    box.setInformativeText(QString::fromStdString(LoadString(kStrFreeMemory)).replace("%ld", QString::number(AvailableMemoryKb())));
    box.exec();
}

void FrameProgressSink::SetProgress(long done, long total)
{
    if (total <= 0)
        return;
    frame_.SetProgress(static_cast<unsigned>(std::max(done, 0L)), static_cast<unsigned>(total));
}

long AvailableMemoryKb()
{
    QFile meminfo("/proc/meminfo");
    if (!meminfo.open(QIODevice::ReadOnly))
        return 0;
    while (!meminfo.atEnd()) {
        const QByteArray line = meminfo.readLine();
        if (line.startsWith("MemAvailable:"))
            return line.mid(13).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

}  // namespace lumora
