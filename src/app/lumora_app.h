#pragma once
// The application: preferences, the main frame, the core's user-interface
// hooks, start-up and exit.
#include <QCursor>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

#include "app/book_pictures.h"
#include "app/preferences.h"
#include "app/program_art.h"

namespace lumora {

class CMainFrame;
class DocumentManager;
class Profile;
class MessageBoxReporter;
class MessageBoxPrompter;
class FrameProgressSink;

// The MIME type under which albums exchange items through the clipboard.
inline constexpr const char* kClipboardFormat = "application/x-lumora-data";

class CLumoraApp {
public:
    // `iniPath` empty: the user's lumora.ini.
    explicit CLumoraApp(const QString& iniPath = {});
    ~CLumoraApp();

    // Start-up; false when the program cannot run.
    bool InitInstance(const QStringList& arguments);
    // Saves the preferences.
    void ExitInstance();

    Preferences& Prefs() { return preferences_; }
    CMainFrame* MainFrame() const { return frame_.get(); }
    DocumentManager* Documents() const { return documents_.get(); }
    const QString& ProgramDirectory() const { return programDirectory_; }
    // The book artwork every album view draws with (built at start).
    const BookPictures* Book() const { return book_ ? &*book_ : nullptr; }
    const QCursor& Cursor(ProgramCursor which) const;

private:
    void ApplyReadingPreferences();
    bool BuildBookPictures();

    QString programDirectory_;
    std::unique_ptr<Profile> profile_;
    Preferences preferences_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<DocumentManager> documents_;
    std::unique_ptr<MessageBoxReporter> reporter_;
    std::unique_ptr<MessageBoxPrompter> prompter_;
    std::unique_ptr<FrameProgressSink> progress_;
    std::optional<BookPictures> book_;
    QCursor selectCursor_, nextPageCursor_, previousPageCursor_;
};

}  // namespace lumora
