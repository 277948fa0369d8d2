#pragma once
// The application: preferences, the main frame, the core's user-interface
// hooks, start-up and exit.
#include <QCursor>
#include <QMdiSubWindow>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "gui/album/book_pictures.h"
#include "core/platform/services.h"
#include "gui/platform/ini_preferences.h"
#include "gui/platform/program_art.h"

namespace lumora {

class AlbumDocument;
class MainWindow;
class DocumentManager;
class Profile;
class MessageBoxReporter;
class MessageBoxPrompter;
class FrameProgressSink;
class SharpPhotos;

class LumoraApp {
public:
    // `iniPath` empty: the user's lumora.ini.
    explicit LumoraApp(const QString& iniPath = {});
    ~LumoraApp();

    // Start-up; false when the program cannot run.
    bool InitInstance(const QStringList& arguments);
    // Saves the preferences.
    void ExitInstance();

    Preferences& Prefs() { return preferences_; }
    MainWindow* MainFrame() const { return frame_.get(); }
    DocumentManager* Documents() const { return documents_.get(); }
    const QString& ProgramDirectory() const { return programDirectory_; }
    // The book artwork every album view draws with (built at start).
    const BookPictures* Book() const { return book_ ? &*book_ : nullptr; }
    const QCursor& Cursor(ProgramCursor which) const;
    // Opens the album in a new window of the main window; null when the
    // book artwork is missing.
    QMdiSubWindow* OpenAlbum(std::shared_ptr<AlbumDocument> doc);

private:
    // The start-up steps, in their order.
    void LoadUserPreferences();
    void CreateMainWindow();
    void ConnectDocuments();
    void InstallItemCommands();
    void InstallProgramServices();
    void LoadCursors();
    void ShowMainWindow(const QStringList& arguments);
    bool BuildBookPictures();
    void OpenStartDocument(const QStringList& arguments);

    QString programDirectory_;
    std::unique_ptr<Profile> profile_;
    Preferences preferences_;
    // The one sound player; outlives the windows that play through it.
    std::unique_ptr<SoundPlayer> sound_;
    std::unique_ptr<MainWindow> frame_;
    std::unique_ptr<DocumentManager> documents_;
    std::unique_ptr<MessageBoxReporter> reporter_;
    std::unique_ptr<MessageBoxPrompter> prompter_;
    std::unique_ptr<FrameProgressSink> progress_;
    std::optional<BookPictures> book_;
    // The photos read sharp for every album window: one cache, one limit,
    // one pool of reading threads for the whole program.
    std::shared_ptr<SharpPhotos> sharpPhotos_;
    QCursor selectCursor_, nextPageCursor_, previousPageCursor_;
};

}  // namespace lumora
