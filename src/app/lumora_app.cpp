#include "app/lumora_app.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <cstdlib>
#include <ctime>

#include "album/album_document.h"
#include "app/album_gui_hooks.h"
#include "app/color_button.h"
#include "app/document_manager.h"
#include "app/main_frame.h"
#include "app/splash_window.h"
#include "imaging/load_settings.h"
#include "imaging/qt/picture_window.h"
#include "platform/qt/profile.h"
#include "platform/qt/qt_user_interface.h"
#include "platform/screen.h"
#include "view/qt/album_navigation.h"
#include "view/qt/album_view.h"
#include "view/qt/editing_commands.h"
#include "view/qt/text_dialog.h"

namespace lumora {

CLumoraApp::CLumoraApp(const QString& iniPath) : profile_(std::make_unique<Profile>(iniPath)) {}

CLumoraApp::~CLumoraApp()
{
    RemoveAlbumGuiHooks();
    UseProgramCustomColors(nullptr);
    InstallErrorReporter(nullptr);
    InstallPrompter(nullptr);
    InstallProgressSink(nullptr);
}

bool CLumoraApp::InitInstance(const QStringList& arguments)
{
    programDirectory_ = QCoreApplication::applicationDirPath() + '/';
    // New tabs take random colours.
    std::srand(static_cast<unsigned>(std::time(nullptr)));

    preferences_.Load(*profile_);
    const QScreen* screen = QGuiApplication::primaryScreen();
    preferences_.ClampPropertiesPosition(screen ? screen->size() : QSize(1024, 768));
    ApplyReadingPreferences();
    // Colours added in any colour dialog are kept at once.
    UseProgramCustomColors(&preferences_.customColors,
                           [this] { SaveCustomColors(*profile_, preferences_.customColors); });

    frame_ = std::make_unique<CMainFrame>(preferences_, *profile_);
    documents_ = std::make_unique<DocumentManager>(*frame_, *profile_);
    documents_->LoadRecentFiles();
    documents_->SetAlbumWindowOpener([this](std::unique_ptr<CLumoraDoc> doc) {
        return OpenAlbumWindow(*frame_, *this, std::shared_ptr<CLumoraDoc>(std::move(doc))) != nullptr;
    });
    documents_->SetActiveAlbumFinder([this]() -> CLumoraDoc* {
        CLumoraView* view = ActiveAlbumView(*frame_);
        return view ? &view->Document() : nullptr;
    });
    // Viewing an album's photo opens its picture, looked for beside the
    // album first; a text is shown in a dialog.
    frame_->SetCommandHandler(
        kCmdViewItem,
        [this] {
            CLumoraView* view = ActiveAlbumView(*frame_);
            ShowSelectedItem(*view);
            const CLumoraDoc& doc = view->Document();
            const CMyObject& item = *doc.items[static_cast<size_t>(view->State().Selection())];
            if (item.IsPhoto())
                OpenPictureWindow(*frame_, *this, QString::fromStdString(item.imagePath),
                                  QString::fromStdString(item.description),
                                  QString::fromStdString(doc.PathName()));
            else
                CViewTextDialog(item.text, frame_.get()).exec();
        },
        [this] {
            const CLumoraView* view = ActiveAlbumView(*frame_);
            return view && !view->Document().items.empty();
        });
    // "Nouvelle fenêtre": another view of the active album, moving on its own.
    frame_->SetCommandHandler(
        kCmdWindowNew,
        [this] { OpenAlbumWindow(*frame_, *this, ActiveAlbumView(*frame_)->SharedDocument()); },
        [this] { return ActiveAlbumView(*frame_) != nullptr; });
    documents_->SetPictureWindowOpener(
        [this](const QString& path) { return OpenPictureWindow(*frame_, *this, path) != nullptr; });
    reporter_ = std::make_unique<MessageBoxReporter>(frame_.get());
    prompter_ = std::make_unique<MessageBoxPrompter>(frame_.get());
    progress_ = std::make_unique<FrameProgressSink>(*frame_);
    InstallErrorReporter(reporter_.get());
    InstallPrompter(prompter_.get());
    InstallProgressSink(progress_.get());
    InstallAlbumGuiHooks(*frame_, preferences_);
    QObject::connect(frame_.get(), &CMainFrame::PreferencesChanged, frame_.get(), [this] {
        ApplyReadingPreferences();
        InstallAlbumGuiHooks(*frame_, preferences_);
    });

    selectCursor_ = LoadProgramCursor(ProgramCursor::Select);
    nextPageCursor_ = LoadProgramCursor(ProgramCursor::NextPage);
    previousPageCursor_ = LoadProgramCursor(ProgramCursor::PreviousPage);

    frame_->RestorePlacement(LoadWindowPlacement(*profile_));
    frame_->show();
    if (arguments.isEmpty())
        if (SplashWindow* splash = SplashWindow::Create(frame_.get()))
            splash->show();

    if (!BuildBookPictures()) {
        ReportStop("Unable to load Lumora resources. Terminating application.", "Fatal error");
        return false;
    }
    if (!arguments.isEmpty())
        documents_->OpenDocumentFile(arguments.first());
    else if (preferences_.newOnStartup)
        documents_->FileNew();
    return true;
}

bool CLumoraApp::BuildBookPictures()
{
    frame_->SetStatusText(55006);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ScopedLoadProgressOff readersQuiet;
    frame_->BeginProgress();
    book_ = LoadBookPictures(programDirectory_, ScreenDepth(), [this](int done, int total) {
        frame_->SetProgress(static_cast<unsigned>(done), static_cast<unsigned>(total));
    });
    frame_->EndProgress();
    frame_->SetStatusText(57345);  // the idle text
    QApplication::restoreOverrideCursor();
    return book_.has_value();
}

const QCursor& CLumoraApp::Cursor(ProgramCursor which) const
{
    switch (which) {
    case ProgramCursor::Select: return selectCursor_;
    case ProgramCursor::NextPage: return nextPageCursor_;
    case ProgramCursor::PreviousPage: break;
    }
    return previousPageCursor_;
}

void CLumoraApp::ExitInstance()
{
    preferences_.Save(*profile_);
    if (documents_)
        documents_->SaveRecentFiles();
    profile_->Sync();
}

void CLumoraApp::ApplyReadingPreferences()
{
    LoadSettings().jpeg256 = preferences_.jpeg256;
    LoadSettings().photoCDSize = preferences_.photoCDSize;
}

}  // namespace lumora
