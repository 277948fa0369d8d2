#include "app/document_manager.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>

#include "core/album/album_document.h"
#include "core/album/album_messages.h"
#include "app/main_window.h"
#include "core/formats/image_format.h"
#include "core/import/folder_import.h"
#include "gui/album/gauge_insert_progress.h"
#include "gui/platform/profile.h"
#include "core/platform/services.h"
#include "core/res/strings.h"
#include "gui/album/album_window_title.h"

namespace lumora {
namespace {

const QString kRecentSection = "Recent File List";

}  // namespace

QString ToQtFilter(const QString& windowsFilter)
{
    const QStringList parts = windowsFilter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break;
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        filters << parts[i].trimmed() + " (" + patterns + ")";
    }
    return filters.join(";;");
}

DocumentManager::DocumentManager(MainWindow& frame, Profile& profile, QObject* parent)
    : QObject(parent), frame_(frame), profile_(profile)
{
    frame_.SetCommandHandler(kCmdFileNew, [this] { FileNew(); }, [this] { return bool(openAlbumWindow_); });
    frame_.SetCommandHandler(kCmdFileOpen, [this] { FileOpen(); }, [] { return true; });
    frame_.SetCommandHandler(kCmdNewAlbumFromFolder, [this] { FileNewFromFolder(); },
                             [this] { return bool(openAlbumWindow_); });
    auto album = [this]() -> AlbumDocument* { return activeAlbum_ ? activeAlbum_() : nullptr; };
    frame_.SetCommandHandler(kCmdFileSave, [this, album] { Save(*album()); }, [album] { return album() != nullptr; });
    frame_.SetCommandHandler(kCmdFileSaveAs, [this, album] { SaveAs(*album()); },
                             [album] { return album() != nullptr; });
    frame_.SetCommandHandler(
        kCmdFileClose, [this] { frame_.MdiArea()->closeActiveSubWindow(); },
        [this] { return frame_.MdiArea()->currentSubWindow() != nullptr; });
    connect(&frame_, &MainWindow::FilesDropped, this, [this](const QStringList& paths) {
        for (const QString& path : paths)
            OpenDocumentFile(path);
    });
    connect(&frame_, &MainWindow::RecentFileChosen, this,
            [this](const QString& path) { OpenDocumentFile(path); });
}

bool DocumentManager::IsAlbumPath(const QString& path)
{
    return path.endsWith(".qza", Qt::CaseInsensitive);
}

QString DocumentManager::OpenDialogFilter()
{
    // Albums first, then the picture kinds.
    return "Albums (*.qza);;" +
           ToQtFilter(QString::fromStdString(LoadString(kStrPictureFilter) + LoadString(kStrPictureFilterMore)));
}

bool DocumentManager::FileNew()
{
    if (!openAlbumWindow_)
        return false;
    auto doc = std::make_unique<AlbumDocument>();
    doc->Clear();
    const bool opened = openAlbumWindow_(std::move(doc));
    frame_.SetStatusText(kStrReady);  // back to the idle text
    return opened;
}

void DocumentManager::FileNewFromFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(
        &frame_, QString::fromStdString(LoadString(kStrAlbumFromFolder)), QString());
    if (!folder.isEmpty())
        NewAlbumFromFolder(folder);
}

bool DocumentManager::NewAlbumFromFolder(const QString& folder)
{
    if (!openAlbumWindow_)
        return false;
    auto doc = std::make_unique<AlbumDocument>();
    doc->Clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    frame_.SaveStatusText();
    frame_.BeginProgress();
    FolderImportOutcome outcome;
    {
        // The gauge follows the photos; Échap stops the rest, what is in stays.
        GaugeInsertProgress progress(frame_);
        outcome = ImportFolder(*doc, folder.toStdString(), {}, &progress, FitsTabByWidth);
    }
    frame_.EndProgress();
    frame_.RestoreStatusText();
    QApplication::restoreOverrideCursor();
    if (!outcome.folderRead) {
        ReportStop(outcome.folderError);
        return false;
    }
    ShowHeldMessages(outcome.messages);
    if (!outcome.unreadable.empty()) {
        // One list at the end rather than a box for each file; each line
        // says why its file was left out.
        QStringList paths;
        for (const UnreadPicture& picture : outcome.unreadable)
            paths << QString::fromStdString(picture.error == ReadError::None
                                                ? picture.path
                                                : picture.path + " (" + ReadErrorWords(picture.error) + ")");
        ReportStop(QString::fromStdString(LoadString(kStrFilesLeftOut)).arg(paths.join('\n')).toStdString());
    }
    if (outcome.inserted == 0 && !outcome.stopped) {
        if (outcome.found == 0)
            ReportStop(QString::fromStdString(LoadString(kStrFolderHasNoPicture)).arg(folder).toStdString());
        return false;
    }
    const bool opened = openAlbumWindow_(std::move(doc));
    frame_.SetStatusText(kStrReady);  // back to the idle text, as after File New
    return opened;
}

void DocumentManager::FileOpen()
{
    const QStringList paths = QFileDialog::getOpenFileNames(&frame_, "Ouvrir", QString(), OpenDialogFilter());
    for (const QString& path : paths)
        OpenDocumentFile(path);
}

bool DocumentManager::OpenDocumentFile(const QString& path)
{
    bool opened = false;
    const bool album = IsAlbumPath(path);
    if (album) {
        opened = OpenAlbum(path);
    } else if (ImageFormat(path.toStdString()) != kFormatUnknown) {
        opened = openPictureWindow_ && openPictureWindow_(path);
    } else {
        // Neither an album nor a picture we read: say so rather than open
        // an empty window.
        const int text = QFileInfo::exists(path) ? kStrUnknownFileFormat : kStrPathNotFound;
        ReportStop(QString::fromStdString(LoadString(text)).arg(path).toStdString());
    }
    if (opened)
        AddToRecentFiles(QFileInfo(path).absoluteFilePath());
    // A picture window has put its size and zoom in the status bar; after
    // an album or a failure the bar goes back to the idle text.
    if (album || !opened)
        frame_.SetStatusText(kStrReady);
    return opened;
}

bool DocumentManager::OpenAlbum(const QString& path)
{
    if (!openAlbumWindow_)
        return false;
    auto doc = std::make_unique<AlbumDocument>();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const AlbumFileResult read = doc->Open(QFileInfo(path).absoluteFilePath().toStdString());
    QApplication::restoreOverrideCursor();
    if (!read) {
        ReportStop(AlbumFileMessage(read));
        return false;
    }
    return openAlbumWindow_(std::move(doc));
}

AlbumFileResult DocumentManager::SaveTo(AlbumDocument& doc, const std::string& path)
{
    // Another program's version of the file is replaced only if the user says so.
    const AlbumFileResult saved = doc.Save(path, [&] {
        return CurrentPrompter().AskYesNo(album_text::ChangedOnDiskQuestion(path), {});
    });
    const std::string message = AlbumFileMessage(saved);
    if (!message.empty())
        ReportStop(message);
    return saved;
}

bool DocumentManager::Save(AlbumDocument& doc)
{
    if (doc.Path().empty())
        return SaveAs(doc);
    const AlbumFileResult saved = SaveTo(doc, doc.Path());
    // A read-only album is not saved over: the message said so, the user
    // may keep the work under another name.
    if (saved.outcome == AlbumFileOutcome::ReadOnly)
        return SaveAs(doc);
    return saved.Succeeded();
}

bool DocumentManager::SaveAs(AlbumDocument& doc)
{
    QString path = QFileDialog::getSaveFileName(&frame_, "Enregistrer sous",
                                                QString::fromStdString(doc.Path()), "Albums (*.qza)");
    if (path.isEmpty())
        return false;
    if (!IsAlbumPath(path))
        path += ".qza";
    if (!SaveTo(doc, path.toStdString()))
        return false;
    AddToRecentFiles(QFileInfo(path).absoluteFilePath());
    RetitleAlbumWindows(*frame_.MdiArea(), doc);
    return true;
}

QString DocumentManager::SaveChangesQuestion(const AlbumDocument& doc)
{
    const QString name = doc.Path().empty() ? QString("Sans titre")
                                                : QFileInfo(QString::fromStdString(doc.Path())).fileName();
    return QString("Enregistrer les modifications apportées à %1 ?").arg(name);
}

bool DocumentManager::SaveModified(AlbumDocument& doc)
{
    if (!doc.IsModified())
        return true;
    const auto answer = QMessageBox::question(&frame_, "Lumora", SaveChangesQuestion(doc),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Cancel)
        return false;
    return answer == QMessageBox::No || Save(doc);
}

void DocumentManager::AddToRecentFiles(const QString& path)
{
    recentFiles_.removeAll(path);
    recentFiles_.prepend(path);
    while (recentFiles_.size() > kRecentFileCount)
        recentFiles_.removeLast();
    RefreshRecentFileMenu();
}

void DocumentManager::LoadRecentFiles()
{
    recentFiles_.clear();
    for (int i = 1; i <= kRecentFileCount; ++i) {
        const QString path = profile_.GetProfileString(kRecentSection, QString("File%1").arg(i), {});
        if (!path.isEmpty())
            recentFiles_ << path;
    }
    RefreshRecentFileMenu();
}

void DocumentManager::SaveRecentFiles()
{
    for (int i = 1; i <= kRecentFileCount; ++i)
        profile_.WriteProfileString(kRecentSection, QString("File%1").arg(i), recentFiles_.value(i - 1));
}

void DocumentManager::RefreshRecentFileMenu()
{
    frame_.SetRecentFiles(recentFiles_);
}

}  // namespace lumora
