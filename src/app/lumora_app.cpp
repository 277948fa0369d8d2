#include "app/lumora_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

#include "core/album/album_document.h"
#include "gui/album/album_services.h"
#include "gui/widgets/color_button.h"
#include "app/document_manager.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "gui/picture/picture_window.h"
#include "gui/platform/profile.h"
#include "gui/platform/screen_fit.h"
#include "gui/platform/message_services.h"
#include "gui/sound/sound_service.h"
#include "core/sound/sounds.h"
#include "core/platform/screen.h"
#include "core/res/strings.h"
#include "gui/album/album_navigation.h"
#include "gui/album/album_view.h"
#include "gui/album/sharp_photos.h"
#include "gui/album/editing_commands.h"
#include "gui/album/text_dialog.h"

namespace lumora {

LumoraApp::LumoraApp(const QString& iniPath) : profile_(std::make_unique<Profile>(iniPath)) {}

LumoraApp::~LumoraApp()
{
    RemoveAlbumServices();
    UseProgramCustomColors(nullptr);
    InstallServices({});
}

bool LumoraApp::InitInstance(const QStringList& arguments)
{
    programDirectory_ = QCoreApplication::applicationDirPath() + '/';
    LoadUserPreferences();
    CreateMainWindow();
    ConnectDocuments();
    InstallItemCommands();
    InstallProgramServices();
    LoadCursors();
    ShowMainWindow(arguments);
    if (!BuildBookPictures()) {
        ReportStop("Unable to load Lumora resources. Terminating application.", "Fatal error");
        return false;
    }
    OpenStartDocument(arguments);
    return true;
}

void LumoraApp::LoadUserPreferences()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    // The screen's own depth, or less when LUMORA_SCREEN_DEPTH asks for it.
    LoadPreferences(preferences_, *profile_, std::min(ScreenDepth(), screen ? screen->depth() : 24));
    const QSize screenSize = screen ? screen->size() : QSize(1024, 768);
    preferences_.ClampPropertiesPosition(screenSize.width(), screenSize.height());
    // Colours added in any colour dialog are kept at once.
    UseProgramCustomColors(&preferences_.customColors,
                           [this] { SaveCustomColors(*profile_, preferences_.customColors); });
}

void LumoraApp::CreateMainWindow()
{
    frame_ = std::make_unique<MainWindow>(preferences_, *profile_);
    documents_ = std::make_unique<DocumentManager>(*frame_, *profile_);
    documents_->LoadRecentFiles();
}

void LumoraApp::ConnectDocuments()
{
    documents_->SetAlbumWindowOpener([this](std::unique_ptr<AlbumDocument> doc) {
        return OpenAlbum(std::shared_ptr<AlbumDocument>(std::move(doc))) != nullptr;
    });
    documents_->SetActiveAlbumFinder([this]() -> AlbumDocument* {
        AlbumView* view = ActiveAlbumView(*frame_);
        return view ? &view->Document() : nullptr;
    });
    documents_->SetPictureWindowOpener(
        [this](const QString& path) { return OpenPictureWindow(*frame_, path) != nullptr; });
}

void LumoraApp::InstallItemCommands()
{
    // Viewing an album's photo opens its picture, looked for beside the
    // album first; a text is shown in a dialog.
    frame_->SetCommandHandler(
        kCmdViewItem,
        [this] {
            AlbumView* view = ActiveAlbumView(*frame_);
            ShowSelectedItem(*view);
            const AlbumDocument& doc = view->Document();
            const AlbumItem& item = *doc.Items()[static_cast<size_t>(view->State().Selection())];
            if (item.IsPhoto())
                OpenPictureWindow(*frame_, QString::fromStdString(item.imagePath),
                                  QString::fromStdString(item.description),
                                  QString::fromStdString(doc.Path()));
            else
                ViewTextDialog(item.text, frame_.get()).exec();
        },
        [this] {
            const AlbumView* view = ActiveAlbumView(*frame_);
            return view && !view->Document().Items().empty();
        });
    // "Nouvelle fenêtre": another view of the active album, moving on its own.
    frame_->SetCommandHandler(
        kCmdWindowNew,
        [this] { OpenAlbum(ActiveAlbumView(*frame_)->SharedDocument()); },
        [this] { return ActiveAlbumView(*frame_) != nullptr; });
}

void LumoraApp::InstallProgramServices()
{
    reporter_ = std::make_unique<MessageBoxReporter>(frame_.get());
    prompter_ = std::make_unique<MessageBoxPrompter>(frame_.get());
    progress_ = std::make_unique<FrameProgressSink>(*frame_);
    sound_ = MakeEventLoopSoundPlayer();
    ChangeServices([this](Services& services) {
        services.sound = sound_.get();
        services.errors = reporter_.get();
        services.prompter = prompter_.get();
        services.progress = progress_.get();
    });
    InstallAlbumServices(*frame_, preferences_);
    QObject::connect(frame_.get(), &MainWindow::PreferencesChanged, frame_.get(), [this] {
        InstallAlbumServices(*frame_, preferences_);
    });
}

void LumoraApp::LoadCursors()
{
    selectCursor_ = LoadProgramCursor(ProgramCursor::Select);
    nextPageCursor_ = LoadProgramCursor(ProgramCursor::NextPage);
    previousPageCursor_ = LoadProgramCursor(ProgramCursor::PreviousPage);
}

void LumoraApp::ShowMainWindow(const QStringList& arguments)
{
    frame_->RestorePlacement(LoadWindowPlacement(*profile_));
    frame_->show();
    KeepOnScreen(*frame_);  // now that its frame is known
    if (preferences_.showProperties)
        frame_->ShowPropertiesWindow();
    if (arguments.isEmpty())
        if (SplashWindow* splash = SplashWindow::Create(frame_.get()))
            splash->show();
}

void LumoraApp::OpenStartDocument(const QStringList& arguments)
{
    // The desktop hands over every file selected (Exec=lumora %F).
    for (const QString& path : arguments)
        documents_->OpenDocumentFile(path);
    if (arguments.isEmpty() && preferences_.newOnStartup)
        documents_->FileNew();
}

QMdiSubWindow* LumoraApp::OpenAlbum(std::shared_ptr<AlbumDocument> doc)
{
    if (!book_)
        return nullptr;
    if (!sharpPhotos_)
        sharpPhotos_ = std::make_shared<SharpPhotos>(kDefaultSharpCacheBytes);
    QMdiSubWindow* window = OpenAlbumWindow(*frame_, *book_, preferences_, std::move(doc), sharpPhotos_);
    auto* view = window ? qobject_cast<AlbumView*>(window->widget()) : nullptr;
    if (auto* frameWindow = qobject_cast<DocumentWindow*>(window); frameWindow && view) {
        // The last window of a changed album asks whether to save it.
        frameWindow->SetCloseGuard([this, view] {
            StopSound();
            return view->DocumentUsers() > 1 || documents_->SaveModified(view->Document());
        });
    }
    return window;
}

bool LumoraApp::BuildBookPictures()
{
    frame_->SetStatusText(kStrInitialising);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    frame_->BeginProgress();
    book_ = LoadBookPictures(programDirectory_, ScreenDepth(), [this](int done, int total) {
        frame_->SetProgress(static_cast<unsigned>(done), static_cast<unsigned>(total));
    });
    frame_->EndProgress();
    frame_->SetStatusText(kStrReady);
    QApplication::restoreOverrideCursor();
    return book_.has_value();
}

const QCursor& LumoraApp::Cursor(ProgramCursor which) const
{
    switch (which) {
    case ProgramCursor::Select: return selectCursor_;
    case ProgramCursor::NextPage: return nextPageCursor_;
    case ProgramCursor::PreviousPage: break;
    }
    return previousPageCursor_;
}

void LumoraApp::ExitInstance()
{
    SavePreferences(preferences_, *profile_);
    if (documents_)
        documents_->SaveRecentFiles();
    profile_->Sync();
}

}  // namespace lumora
