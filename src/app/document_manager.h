#pragma once
// Opening documents: new albums, album files and pictures from the File
// menu, the command line, drops on the main window and the recent-file list.
// The album and picture windows themselves are made by their own code,
// reached through two openers.
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>

#include "core/album/album_file_result.h"

namespace lumora {

class AlbumDocument;
class MainWindow;
class Profile;

class DocumentManager : public QObject {
    Q_OBJECT
public:
    static constexpr int kRecentFileCount = 4;

    using AlbumWindowOpener = std::function<bool(std::unique_ptr<AlbumDocument>)>;
    using PictureWindowOpener = std::function<bool(const QString& path)>;

    DocumentManager(MainWindow& frame, Profile& profile, QObject* parent = nullptr);

    void SetAlbumWindowOpener(AlbumWindowOpener opener) { openAlbumWindow_ = std::move(opener); }
    void SetPictureWindowOpener(PictureWindowOpener opener) { openPictureWindow_ = std::move(opener); }

    // File New: a new album in its own window.
    bool FileNew();
    // "Nouvel album à partir d'un dossier...": asks for a folder and opens
    // a new album of its pictures (see ImportFolder).
    void FileNewFromFolder();
    // The same without the dialog: false when no album was opened.
    bool NewAlbumFromFolder(const QString& folder);
    // File Open: the open dialog, albums and pictures.
    void FileOpen();
    // Opens an album (".qza") or a picture (by its extension); remembers it
    // in the recent-file list when it opened.
    bool OpenDocumentFile(const QString& path);

    // Saves the album under its name, or asks for one; false when it was
    // not saved.
    bool Save(AlbumDocument& doc);
    bool SaveAs(AlbumDocument& doc);
    // Before the last window of a changed album closes: "save changes?".
    // True when the window may close.
    bool SaveModified(AlbumDocument& doc);

    // The recent files, newest first, at most four.
    const QStringList& RecentFiles() const { return recentFiles_; }
    void AddToRecentFiles(const QString& path);
    void LoadRecentFiles();
    void SaveRecentFiles();

    // The filter of the open dialog, in Qt's form.
    static QString OpenDialogFilter();
    static bool IsAlbumPath(const QString& path);
    // The question asked before a changed album closes.
    static QString SaveChangesQuestion(const AlbumDocument& doc);

    // The active album window's document (for the File commands); set by
    // the album window code.
    using ActiveAlbumFinder = std::function<AlbumDocument*()>;
    void SetActiveAlbumFinder(ActiveAlbumFinder finder) { activeAlbum_ = std::move(finder); }

private:
    bool OpenAlbum(const QString& path);
    // Saves `doc` to `path`, asking before another program's version is
    // replaced, and tells the user of a failure.
    AlbumFileResult SaveTo(AlbumDocument& doc, const std::string& path);
    void RefreshRecentFileMenu();

    MainWindow& frame_;
    Profile& profile_;
    QStringList recentFiles_;
    AlbumWindowOpener openAlbumWindow_;
    PictureWindowOpener openPictureWindow_;
    ActiveAlbumFinder activeAlbum_;
};

// "label|patterns|label|patterns||" as Qt's "label (patterns);;label (patterns)".
QString ToQtFilter(const QString& windowsFilter);

}  // namespace lumora
