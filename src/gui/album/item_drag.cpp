#include "gui/album/item_drag.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWidget>

#include "core/album/album_commands.h"
#include "core/album/album_document.h"
#include "core/album/album_layout.h"
#include "core/layout/book_hits.h"
#include "gui/album/album_view.h"
#include "gui/album/editing_commands.h"
#include "gui/album/item_drop.h"

namespace lumora {
namespace {

// The drop mark, painted over the viewport; the mouse goes through it.
class DropMark final : public QWidget {
public:
    explicit DropMark(QWidget* viewport) : QWidget(viewport)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        hide();
    }

    void ShowAt(const QRect& mark)
    {
        setGeometry(parentWidget()->rect());
        mark_ = mark;
        show();
        raise();
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(mark_, QColor(0, 0, 160));
    }

private:
    QRect mark_;
};

class ItemDragger final : public QObject {
public:
    explicit ItemDragger(AlbumView& view) : QObject(&view), view_(view), mark_(new DropMark(view.viewport()))
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
        const BookHit hit = HitTestBook(AlbumLayout(doc), view_.State(), doc.flyleaf != 0,
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
        view_.viewport()->setCursor(Qt::DragMoveCursor);
        if (const auto place = PlaceAt(at))
            mark_->ShowAt(ToViewport(place->mark));
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
        const auto place = PlaceAt(event.position().toPoint());
        const int from = from_;
        Stop();
        AlbumDocument& doc = view_.Document();
        if (!place || static_cast<size_t>(from) >= doc.items.size())
            return true;
        const int to = DropTargetIndex(from, *place, doc.items[static_cast<size_t>(from)]->tabIndex);
        if (to >= 0 && MoveAlbumItem(doc, from, to, place->section)) {
            view_.SetSelection(to);
            ShowSelectedItem(view_);
        }
        return true;
    }

    std::optional<DropPlace> PlaceAt(QPoint viewportPoint) const
    {
        return DropPlaceAt(view_.Document(), view_.State(), view_.BookPointAt(viewportPoint), {0, 0});
    }

    // The mark's book rectangle where the zoomed book stands in the window.
    QRect ToViewport(const Rect& book) const
    {
        const Rect covering = view_.Transform().CoveringWindowRect(book);
        return QRect(QPoint(covering.left, covering.top), QPoint(covering.right - 1, covering.bottom - 1));
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

}  // namespace lumora
