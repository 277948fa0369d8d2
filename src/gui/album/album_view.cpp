#include "core/album/album_layout.h"

#include "gui/album/album_view.h"

#include "gui/platform/document_window.h"
#include "gui/album/album_navigation.h"
#include "gui/album/album_window_title.h"
#include "gui/album/item_drag.h"
#include "gui/album/editing_commands.h"

#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <thread>

#include "gui/album/album_settings.h"
#include "gui/platform/commands.h"
#include "gui/platform/command_host.h"
#include "gui/platform/commands.h"
#include <QAction>
#include <QMdiArea>
#include "gui/platform/ini_preferences.h"
#include "gui/platform/program_art.h"
#include "core/layout/book_geometry.h"
#include "core/layout/page_turn.h"
#include "gui/album/album_mouse.h"
#include "gui/album/fast_bitmap.h"
#include "gui/album/page_turn_frame.h"

namespace lumora {

AlbumView::AlbumView(std::shared_ptr<AlbumDocument> doc, const BookPictures& book,
                         const Preferences& prefs, QWidget* parent)
    : QAbstractScrollArea(parent),
      doc_(std::move(doc)),
      book_(book),
      prefs_(prefs),
      selectCursor_(LoadProgramCursor(ProgramCursor::Select)),
      nextPageCursor_(LoadProgramCursor(ProgramCursor::NextPage)),
      previousPageCursor_(LoadProgramCursor(ProgramCursor::PreviousPage))
{
    // Every pixel is painted by the view itself: nothing is erased first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setFrameShape(QFrame::NoFrame);
    viewport()->setMouseTracking(true);
    if (doc_) {
        doc_->AddView(this);
        doc_->AddObserver(this);
    }
    UpdateScrollBars();
}

AlbumView::~AlbumView()
{
    if (doc_) {
        doc_->RemoveView(this);
        doc_->RemoveObserver(this);
    }
}

void AlbumView::SetPosition(int position)
{
    state_.SetPosition(position);
    viewport()->update();
}

void AlbumView::SetSelection(int selection)
{
    const int before = state_.Selection();
    state_.SetSelection(selection);
    viewport()->update();
    if (state_.Selection() != before)
        emit SelectionChanged();
}

void AlbumView::keyPressEvent(QKeyEvent* event)
{
    const int count = static_cast<int>(doc_ ? doc_->items.size() : 0);
    if (count == 0) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    const int columns = doc_->Layout().columns;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* frame = HostOf(this))
            frame->Action(kCmdViewItem)->trigger();
        return;
    case Qt::Key_Home: SelectItem(*this, 0, 0); return;
    case Qt::Key_End: SelectItem(*this, 0, count - 1); return;
    case Qt::Key_Left: SelectItem(*this, -1, 0); return;
    case Qt::Key_Right: SelectItem(*this, 1, 0); return;
    case Qt::Key_Up: SelectItem(*this, -columns, 0); return;
    case Qt::Key_Down: SelectItem(*this, columns, 0); return;
    default: QAbstractScrollArea::keyPressEvent(event);
    }
}

void AlbumView::ClampToLayout()
{
    const int before = state_.Selection();
    if (doc_)
        state_.ClampToLayout(AlbumLayout(*doc_));
    if (state_.Selection() != before)
        emit SelectionChanged();
    UpdateLocationText(*this);
    viewport()->update();
}

void AlbumView::OnUpdate()
{
    if (doc_ && doc_->flyleaf == 0 && state_.Position() == kFlyleafPosition) {
        state_.SetPosition(0);
        UpdateLocationText(*this);
    }
    viewport()->update();
}

void UpdateAllViews(AlbumDocument& doc)
{
    for (LayoutViewObserver* observer : doc.Views())
        if (auto* view = dynamic_cast<AlbumView*>(observer))
            view->OnUpdate();
}

Point AlbumView::BookOriginNow() const
{
    const QSize client = viewport()->size();
    return BookOrigin({client.width(), client.height()});
}

void AlbumView::Paint(QPainter& painter) const
{
    painter.translate(-ScrollOffset());
    const AlbumPainter album(doc_.get(), book_, {prefs_.deskShadow, prefs_.fastBitmaps});
    album.OnDraw(painter, viewport()->size(), {state_.Position(), state_.Selection()});
}

QImage AlbumView::Render() const
{
    QImage image(viewport()->size(), QImage::Format_RGB32);
    QPainter painter(&image);
    Paint(painter);
    return image;
}

void AlbumView::RepaintNow()
{
    viewport()->repaint();
}

void AlbumView::MoveSelectionWithinSpread(int item)
{
    const int old = state_.Selection();
    state_.SetSelection(item);
    if (state_.Selection() != old)
        emit SelectionChanged();
    if (!doc_)
        return;
    const Point book = BookOriginNow();
    for (const int marked : {old, item}) {
        if (const QRect mark = SelectionMarkRect(*doc_, book, marked); !mark.isEmpty())
            viewport()->update(mark.translated(-ScrollOffset()));
    }
}

bool AlbumView::AnimatesPageTurns() const
{
    return doc_ && prefs_.animatePages && viewport()->isVisible();
}

void AlbumView::AnimatePageTurn(bool forward)
{
    const QImage shown = Render();
    const Point book = BookOriginNow();
    const QPoint scroll = ScrollOffset();
    QElapsedTimer clock;
    for (int frame = 0; frame < kPageTurnFrames; ++frame) {
        clock.start();
        // Each frame is the view as it was with one outline inverted on it,
        // so nothing of the previous outline stays behind.
        turnFrame_ = PageTurnFrame(shown, frame, forward, book, scroll);
        viewport()->repaint();
        // The turn holds the program for its length: no input is taken
        // while the page moves.
        while (clock.elapsed() <= kPageTurnFrameMs)
            std::this_thread::yield();
    }
    turnFrame_ = QImage();
    viewport()->repaint();
}

QPoint AlbumView::ScrollOffset() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

Point AlbumView::LogicalPoint(QPoint viewportPoint) const
{
    const QPoint logical = viewportPoint + ScrollOffset();
    return {logical.x(), logical.y()};
}

void AlbumView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !doc_) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    ClickBook(*this, LogicalPoint(event->position().toPoint()), false);
    UpdateCursor();
}

void AlbumView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !doc_) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    ClickBook(*this, LogicalPoint(event->position().toPoint()), true);
    UpdateCursor();
}

void AlbumView::mouseMoveEvent(QMouseEvent* event)
{
    lastPointer_ = LogicalPoint(event->position().toPoint());
    UpdateCursor();
    QAbstractScrollArea::mouseMoveEvent(event);
}

void AlbumView::UpdateCursor()
{
    if (!doc_)
        return;
    switch (CursorAt(*this, lastPointer_)) {
    case BookCursor::Select: viewport()->setCursor(selectCursor_); break;
    case BookCursor::NextPage: viewport()->setCursor(nextPageCursor_); break;
    case BookCursor::PreviousPage: viewport()->setCursor(previousPageCursor_); break;
    case BookCursor::Arrow: viewport()->setCursor(Qt::ArrowCursor); break;
    }
}

void AlbumView::contextMenuEvent(QContextMenuEvent* event)
{
    auto* frame = HostOf(this);
    if (!doc_ || !frame)
        return;
    QMenu* menu = PrepareContextMenu(*this, *frame, LogicalPoint(event->pos()));
    menu->popup(event->globalPos() - QPoint(0, 10));
}

void AlbumView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    if (!turnFrame_.isNull()) {
        painter.drawImage(0, 0, turnFrame_);
        return;
    }
    Paint(painter);
    painter.end();
    // The password of a protected album is asked once it has been shown.
    if (!passwordChecked_) {
        passwordChecked_ = true;
        QTimer::singleShot(0, this, [this] { CheckPasswordOnce(); });
    }
}

void AlbumView::CheckPasswordOnce()
{
    if (doc_ && !doc_->CheckPassword())
        emit AlbumRefused();
}

void AlbumView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void AlbumView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void AlbumView::UpdateScrollBars()
{
    const QSize client = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, kBookSize.width - client.width()));
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setRange(0, std::max(0, kBookSize.height - client.height()));
    verticalScrollBar()->setPageStep(client.height());
}

QMdiSubWindow* OpenAlbumWindow(CommandHost& frame, const BookPictures& book, const Preferences& prefs,
                               std::shared_ptr<AlbumDocument> doc)
{
    if (!doc)
        return nullptr;
    if (prefs.fastBitmaps) {
        // The album's after-load step makes them when the program's
        // services are installed; a document opened any other way gets
        // them here.
        EnableFastBitmaps();
        for (auto& item : doc->items)
            if (item->IsPhoto() && !item->fastBitmap)
                item->MakeFastBitmap();
    }
    auto* view = new AlbumView(doc, book, prefs);
    auto* window = new DocumentWindow(prefs.maximiseOnOpen);
    window->setWidget(view);
    frame.MdiArea()->addSubWindow(window);
    FollowAlbumInTitle(*window, doc);
    InstallItemDrag(*view);
    QObject::connect(view, &AlbumView::AlbumRefused, window, &QMdiSubWindow::close);
    frame.OnPreferencesChanged(view, [view] { view->viewport()->update(); });
    window->resize(kBookSize.width + 40, kBookSize.height + 60);
    window->show();
    frame.MdiArea()->setActiveSubWindow(window);
    return window;
}

}  // namespace lumora
