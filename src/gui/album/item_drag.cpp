#include "gui/album/item_drag.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "core/album/album_commands.h"
#include "core/album/album_document.h"
#include "core/album/album_layout.h"
#include "core/layout/book_hits.h"
#include "gui/album/album_view.h"
#include "gui/album/drop_mark.h"
#include "gui/album/editing_commands.h"
#include "gui/album/item_drop.h"
#include "gui/album/photo_drag.h"

namespace lumora {
namespace {

class ItemDragger final : public QObject {
public:
    explicit ItemDragger(AlbumView& view) : QObject(&view), view_(view), mark_(new DropMark(view))
    {
        view.viewport()->installEventFilter(this);
        view.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress: Press(static_cast<QMouseEvent&>(*event)); return false;
        case QEvent::MouseMove: return watched == view_.viewport() && Move(static_cast<QMouseEvent&>(*event));
        case QEvent::MouseButtonRelease: return Release(static_cast<QMouseEvent&>(*event));
        case QEvent::KeyPress:
            if (dragging_ && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                Stop();
                return true;
            }
            return false;
        default: return false;
        }
    }

private:
    void Press(const QMouseEvent& event)
    {
        Stop();
        if (event.button() != Qt::LeftButton)
            return;
        AlbumDocument& doc = view_.Document();
        const BookHit hit = HitTestBook(AlbumLayout(doc), view_.State(), doc.Settings().flyleaf,
                                        view_.BookPointAt(event.position()), {0, 0});
        if (hit.kind == BookHit::Item) {
            from_ = hit.index;
            pressedAt_ = event.position().toPoint();
        }
    }

    bool Move(const QMouseEvent& event)
    {
        if (from_ < 0 || !(event.buttons() & Qt::LeftButton))
            return false;
        const QPoint at = event.position().toPoint();
        if (!dragging_ && (at - pressedAt_).manhattanLength() < QApplication::startDragDistance())
            return false;
        dragging_ = true;
        if (!view_.viewport()->rect().contains(at) && IsPhoto(from_)) {
            // Out of the window the photo is offered to other programs; back
            // over a view of this album it moves all the same.
            const int from = from_;
            Stop();
            DragPhotoOut(view_, from);
            return true;
        }
        view_.viewport()->setCursor(Qt::DragMoveCursor);
        if (const auto place = PlaceAt(at))
            mark_->ShowBar(place->mark);
        else
            mark_->hide();
        return true;
    }

    bool Release(const QMouseEvent& event)
    {
        if (!dragging_ || event.button() != Qt::LeftButton) {
            Stop();
            return false;
        }
        const int from = from_;
        Stop();
        MoveItemTo(view_, from, event.position());
        return true;
    }

    std::optional<DropPlace> PlaceAt(QPoint viewportPoint) const
    {
        return DropPlaceAt(view_.Document(), view_.State(), view_.BookPointAt(viewportPoint), {0, 0});
    }

    bool IsPhoto(int index) const
    {
        const auto& items = view_.Document().Items();
        return index >= 0 && static_cast<size_t>(index) < items.size() && items[static_cast<size_t>(index)]->IsPhoto();
    }

    void Stop()
    {
        if (dragging_)
            view_.viewport()->unsetCursor();
        dragging_ = false;
        from_ = -1;
        mark_->hide();
    }

    AlbumView& view_;
    DropMark* mark_;
    int from_ = -1;
    QPoint pressedAt_;
    bool dragging_ = false;
};

}  // namespace

void InstallItemDrag(AlbumView& view) { new ItemDragger(view); }

bool MoveItemTo(AlbumView& view, int from, QPointF viewportPoint)
{
    AlbumDocument& doc = view.Document();
    const auto place = DropPlaceAt(doc, view.State(), view.BookPointAt(viewportPoint), {0, 0});
    if (!place || from < 0 || static_cast<size_t>(from) >= doc.ItemCount())
        return false;
    const int to = DropTargetIndex(from, *place, doc.Items()[static_cast<size_t>(from)]->tabIndex);
    if (to < 0 || !MoveAlbumItem(doc, from, to, place->section))
        return false;
    view.SetSelection(to);
    ShowSelectedItem(view);
    return true;
}

}  // namespace lumora
