#include "gui/album/file_drop.h"

#include <sys/stat.h>

#include <QApplication>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <cctype>
#include <optional>

#include "core/album/album_commands.h"
#include "core/album/album_document.h"
#include "core/album/album_layout.h"
#include "core/formats/image_format.h"
#include "core/import/folder_import.h"
#include "core/layout/book_hits.h"
#include "core/platform/file_uri.h"
#include "core/platform/services.h"
#include "core/res/strings.h"
#include "core/sound/sound_file.h"
#include "core/sound/sounds.h"
#include "gui/album/album_view.h"
#include "gui/album/drop_mark.h"
#include "gui/album/editing_commands.h"
#include "gui/album/gauge_insert_progress.h"
#include "gui/album/item_drag.h"
#include "gui/album/item_drop.h"
#include "gui/album/photo_drag.h"
#include "gui/platform/command_host.h"

namespace lumora {
namespace {

enum class DroppedKind { Album, Picture, Folder, Sound, Other };

bool EndsWithIgnoringCase(const std::string& text, std::string_view end)
{
    if (text.size() < end.size())
        return false;
    for (size_t i = 0; i < end.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[text.size() - end.size() + i]);
        if (std::tolower(c) != end[i])
            return false;
    }
    return true;
}

// By name, as the main window opens them, except sounds, known by their
// first bytes (their names say little: .wav, .mid, .rmi, .kar...).
DroppedKind KindOf(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return DroppedKind::Folder;
    if (EndsWithIgnoringCase(path, ".qza"))
        return DroppedKind::Album;
    if (ImageFormat(path) != kFormatUnknown)
        return DroppedKind::Picture;
    if (SoundFileKindOf(path) != SoundFileKind::None)
        return DroppedKind::Sound;
    return DroppedKind::Other;
}

// The files of a drag, their bytes as the dragging program gave them.
std::vector<std::string> LocalPaths(const QMimeData& data)
{
    if (data.hasFormat("text/uri-list"))
        return LocalPathsOfUriList(data.data("text/uri-list").toStdString());
    std::vector<std::string> paths;
    for (const QUrl& url : data.urls())
        if (url.isLocalFile())
            paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
    return paths;
}

// Where a drop at a point goes: the place of pictures (none off the open
// pages) and the photo a sound would go to (-1: none).
struct DropTarget {
    std::optional<DropPlace> place;
    int photo = -1;
};

DropTarget TargetAt(AlbumView& view, QPointF viewportPoint)
{
    AlbumDocument& doc = view.Document();
    const Point at = view.BookPointAt(viewportPoint);
    DropTarget target;
    target.place = DropPlaceAt(doc, view.State(), at, {0, 0});
    if (!target.place)
        return target;
    const BookHit hit = HitTestBook(AlbumLayout(doc), view.State(), doc.Settings().flyleaf, at, {0, 0});
    if (hit.kind == BookHit::Item && doc.Items()[static_cast<size_t>(hit.index)]->IsPhoto())
        target.photo = hit.index;
    return target;
}

// The item of this album that a drag of our own carries (it moves), or -1.
int MovedItem(const AlbumView& view, const QDropEvent& event)
{
    const auto* source = event.source() ? qobject_cast<const AlbumView*>(event.source()->parent()) : nullptr;
    if (!source || &source->Document() != &view.Document() || !event.mimeData()->hasFormat(kBookItemMimeType))
        return -1;
    bool ok = false;
    const int index = event.mimeData()->data(kBookItemMimeType).toInt(&ok);
    return ok ? index : -1;
}

void InsertDroppedPictures(AlbumView& view, const std::vector<std::string>& pictures, const DropPlace& place)
{
    const std::shared_ptr<AlbumDocument> doc = view.SharedDocument();
    const QPointer<AlbumView> alive(&view);
    CommandHost* host = HostOf(&view);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    size_t inserted = 0;
    if (host) {
        host->SaveStatusText();
        host->SetStatusText(QString::fromStdString(LoadString(kStrAddingPictures)));
        host->BeginProgress();
        {
            GaugeInsertProgress progress(*host);
            inserted = InsertImagesBefore(*doc, pictures, static_cast<size_t>(place.before), place.section, &progress);
        }
        host->EndProgress();
        host->RestoreStatusText();
    } else {
        inserted = InsertImagesBefore(*doc, pictures, static_cast<size_t>(place.before), place.section, nullptr);
    }
    QApplication::restoreOverrideCursor();
    if (alive && inserted > 0) {
        alive->SetSelection(place.before);
        ShowSelectedItem(*alive);
    }
}

class FileDropper final : public QObject {
public:
    explicit FileDropper(AlbumView& view) : QObject(&view), view_(view), mark_(new DropMark(view))
    {
        view.viewport()->setAcceptDrops(true);
        view.viewport()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::DragEnter: Enter(static_cast<QDragEnterEvent&>(*event)); return true;
        case QEvent::DragMove: Move(static_cast<QDragMoveEvent&>(*event)); return true;
        case QEvent::DragLeave: Leave(); return true;
        case QEvent::Drop: Drop(static_cast<QDropEvent&>(*event)); return true;
        default: return false;
        }
    }

private:
    void Enter(QDragEnterEvent& event)
    {
        kinds_.clear();
        const std::vector<std::string> paths = LocalPaths(*event.mimeData());
        for (const std::string& path : paths)
            kinds_.push_back(KindOf(path));
        if (paths.empty() && MovedItem(view_, event) < 0) {
            event.ignore();
            return;
        }
        Move(event);
    }

    bool Brings(DroppedKind kind) const { return std::find(kinds_.begin(), kinds_.end(), kind) != kinds_.end(); }

    void Move(QDragMoveEvent& event)
    {
        const DropTarget target = TargetAt(view_, event.position());
        const bool moving = MovedItem(view_, event) >= 0;
        if (target.place && (moving || Brings(DroppedKind::Picture) || Brings(DroppedKind::Folder)))
            mark_->ShowBar(target.place->mark);
        else if (target.photo >= 0 && Brings(DroppedKind::Sound))
            mark_->ShowFrame(ItemBoxAt(view_.Document(), target.photo, {0, 0}));
        else
            mark_->hide();
        // Never a move: the files stay where they are.
        event.setDropAction(Qt::CopyAction);
        event.accept();
    }

    void Leave() { mark_->hide(); }

    void Drop(QDropEvent& event)
    {
        mark_->hide();
        event.setDropAction(Qt::CopyAction);
        event.accept();
        const QPointF at = event.position();
        if (const int moved = MovedItem(view_, event); moved >= 0) {
            MoveItemTo(view_, moved, at);
            return;
        }
        QTimer::singleShot(0, &view_, [view = &view_, paths = LocalPaths(*event.mimeData()), at] {
            DropFiles(*view, paths, at);
        });
    }

    AlbumView& view_;
    DropMark* mark_;
    std::vector<DroppedKind> kinds_;  // of the files dragged now
};

}  // namespace

void InstallFileDrop(AlbumView& view) { new FileDropper(view); }

// A folder brings its pictures where it stands in the drop, in the order
// they were taken; reading their dates is the long part before the photos.
std::vector<std::string> FolderPictures(const std::string& folder, CommandHost* host)
{
    if (host) {
        host->SaveStatusText();
        host->SetStatusText(QString::fromStdString(LoadString(kStrReadingCaptureDates)));
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::string error;
    std::vector<std::string> pictures = FolderPicturesInCaptureOrder(folder, error);
    QApplication::restoreOverrideCursor();
    if (host)
        host->RestoreStatusText();
    if (!error.empty())
        ReportStop(error);
    return pictures;
}

void DropFiles(AlbumView& view, const std::vector<std::string>& paths, QPointF viewportPoint)
{
    const DropTarget target = TargetAt(view, viewportPoint);
    CommandHost* host = HostOf(&view);
    std::vector<std::string> pictures;
    std::optional<std::string> sound;
    QStringList toOpen;
    for (const std::string& path : paths) {
        const DroppedKind kind = KindOf(path);
        if (target.place && kind == DroppedKind::Picture) {
            pictures.push_back(path);
        } else if (target.place && kind == DroppedKind::Folder) {
            for (std::string& picture : FolderPictures(path, host))
                pictures.push_back(std::move(picture));
        } else if (target.photo >= 0 && kind == DroppedKind::Sound && !sound) {
            sound = path;
        } else {
            toOpen << QFile::decodeName(QByteArray::fromStdString(path));
        }
    }
    // The sound first: the photo's index is the one the pointer was on.
    if (sound) {
        StopSound();
        SetItemSound(view.Document(), target.photo, *sound);
        view.SetSelection(target.photo);
        ShowSelectedItem(view);
    }
    if (!pictures.empty())
        InsertDroppedPictures(view, pictures, *target.place);
    if (!toOpen.isEmpty() && host)
        host->OpenFiles(toOpen);
}

}  // namespace lumora
