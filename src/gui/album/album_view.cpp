#include "core/album/album_layout.h"

#include "gui/album/album_view.h"

#include "gui/platform/document_window.h"
#include "gui/album/album_navigation.h"
#include "gui/album/album_window_title.h"
#include "gui/album/file_drop.h"
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
#include <QWheelEvent>
#include <QtGlobal>
#include <algorithm>
#include <cmath>
#include <thread>

#include "gui/album/album_settings.h"
#include "core/album/album_messages.h"
#include "core/platform/services.h"
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
#include "gui/album/sharp_photos.h"
#include "core/layout/page_queries.h"

namespace lumora {

AlbumView::AlbumView(std::shared_ptr<AlbumDocument> doc, const BookPictures& book,
                         const Preferences& prefs, QWidget* parent, std::shared_ptr<SharpPhotos> sharp)
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
    sharp_ = sharp ? std::move(sharp) : std::make_shared<SharpPhotos>(kDefaultSharpCacheBytes);
    // A sharp photo replaces its preview at the next painting; the preview
    // stays until then, so nothing flickers.
    connect(sharp_.get(), &SharpPhotos::Ready, viewport(), [this] { viewport()->update(); });
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
    const int count = static_cast<int>(doc_ ? doc_->ItemCount() : 0);
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
    if (doc_ && !doc_->Settings().flyleaf && state_.Position() == kFlyleafPosition) {
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

namespace {

Size SizeOf(QSize size) { return {size.width(), size.height()}; }

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace

double AlbumView::ZoomNow() const
{
    return EffectiveZoom(zoom_, SizeOf(viewport()->size()));
}

ViewTransform AlbumView::Transform() const
{
    const QPoint scroll = ScrollOffset();
    return PlaceBook(SizeOf(viewport()->size()), ZoomNow(), {scroll.x(), scroll.y()},
                     viewport()->devicePixelRatioF());
}

Point AlbumView::BookPointAt(QPointF viewportPoint) const
{
    return Transform().ToBook({viewportPoint.x(), viewportPoint.y()});
}

void AlbumView::SetZoom(ZoomChoice choice)
{
    choice.zoom = std::clamp(choice.zoom, kSmallestZoom, kLargestZoom);
    if (choice == zoom_)
        return;
    // The book point in the middle of the window stays there.
    const QSize client = viewport()->size();
    const ViewTransform before = Transform();
    const PointF middle{(client.width() / 2.0 - before.Origin().x) / before.Zoom(),
                        (client.height() / 2.0 - before.Origin().y) / before.Zoom()};
    zoom_ = choice;
    UpdateScrollBars();
    const double zoom = ZoomNow();
    horizontalScrollBar()->setValue(static_cast<int>(std::lround(middle.x * zoom - client.width() / 2.0)));
    verticalScrollBar()->setValue(static_cast<int>(std::lround(middle.y * zoom - client.height() / 2.0)));
    viewport()->update();
    emit ZoomChanged();
}

void AlbumView::ZoomIn()
{
    SetZoom({false, ZoomedIn(ZoomNow())});
}

void AlbumView::ZoomOut()
{
    SetZoom({false, ZoomedOut(ZoomNow())});
}

void AlbumView::Paint(QPainter& painter) const
{
    AlbumPainter album(doc_.get(), book_, {prefs_.deskShadow, prefs_.fastBitmaps});
    album.SetSharpPhotos(sharp_.get());
    album.OnDraw(painter, Transform(), viewport()->size(), {state_.Position(), state_.Selection()});
}

QImage AlbumView::Render() const
{
    const qreal ratio = viewport()->devicePixelRatioF();
    QImage image(viewport()->size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
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
    const ViewTransform view = Transform();
    for (const int marked : {old, item}) {
        if (const QRect mark = SelectionMarkRect(*doc_, {0, 0}, marked); !mark.isEmpty()) {
            const Rect inBook{mark.left(), mark.top(), mark.left() + mark.width(), mark.top() + mark.height()};
            // One pixel more: smooth scaling reaches a little past the mark.
            viewport()->update(ToQRect(view.CoveringWindowRect(inBook)).adjusted(-1, -1, 1, 1));
        }
    }
}

bool AlbumView::AnimatesPageTurns() const
{
    return doc_ && prefs_.animatePages && viewport()->isVisible();
}

void AlbumView::AnimatePageTurn(bool forward)
{
    const QImage shown = Render();
    const ViewTransform view = Transform();
    QElapsedTimer clock;
    for (int frame = 0; frame < kPageTurnFrames; ++frame) {
        clock.start();
        // Each frame is the view as it was with one outline inverted on it,
        // so nothing of the previous outline stays behind.
        turnFrame_ = PageTurnFrame(shown, frame, forward, view);
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

void AlbumView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !doc_) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    ClickBook(*this, BookPointAt(event->position()), false);
    UpdateCursor();
}

void AlbumView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !doc_) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    ClickBook(*this, BookPointAt(event->position()), true);
    UpdateCursor();
}

void AlbumView::mouseMoveEvent(QMouseEvent* event)
{
    lastPointer_ = BookPointAt(event->position());
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
    QMenu* menu = PrepareContextMenu(*this, *frame, BookPointAt(event->pos()));
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
    PrefetchNeighbours();
    // The password of a protected album is asked once it has been shown.
    if (!passwordChecked_) {
        passwordChecked_ = true;
        QTimer::singleShot(0, this, [this] { CheckPasswordOnce(); });
    }
}

void AlbumView::CheckPasswordOnce()
{
    if (!doc_)
        return;
    const auto check = doc_->CheckPassword(CurrentPasswordPrompt());
    if (check == AlbumDocument::PasswordCheck::Wrong)
        ReportStop(album_text::WrongPassword());
    if (check != AlbumDocument::PasswordCheck::Passed)
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

void AlbumView::wheelEvent(QWheelEvent* event)
{
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    // Ctrl and the wheel: one zoom step a notch, whichever way it turns.
    const int notch = event->angleDelta().y();
    if (notch > 0)
        ZoomIn();
    else if (notch < 0)
        ZoomOut();
    event->accept();
}

bool AlbumView::event(QEvent* event)
{
    // A window moved to a screen of another pixel ratio draws everything
    // again for it: the book's artwork at the level of the new ratio, the
    // photos read for its device pixels. The pictures read for the old
    // ratio stay in the shared cache (other windows may draw them) until
    // they are the least recently used.
    switch (event->type()) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    case QEvent::DevicePixelRatioChange:
#endif
    case QEvent::ScreenChangeInternal:
        viewport()->update();
        break;
    default:
        break;
    }
    return QAbstractScrollArea::event(event);
}

void AlbumView::PrefetchNeighbours() const
{
    if (!doc_)
        return;
    const ViewTransform view = Transform();
    const double scale = view.Zoom() * view.DevicePixelRatio();
    if (scale <= 1.0)
        return;
    const AlbumLayout layout(*doc_);
    const int position = state_.Position();
    const int pageCount = doc_->PageCount();
    for (const int spread : {position + 2, position - 2})
        for (const int page : {spread - 1, spread}) {
            if (page < 0 || page >= pageCount)
                continue;
            for (const int index : ItemsOnPage(layout, page)) {
                const AlbumItem& item = *doc_->Items()[static_cast<size_t>(index)];
                if (!item.IsPhoto() || item.imagePath.empty())
                    continue;
                const QSize device(static_cast<int>(std::lround(item.preview.Width() * scale)),
                                   static_cast<int>(std::lround(item.preview.Height() * scale)));
                sharp_->Prefetch(item.imagePath, doc_->Path(), device);
            }
        }
}

void AlbumView::UpdateScrollBars()
{
    // A fitted book never needs scroll bars; a fixed zoom has them only
    // where the book is larger than the window.
    const Qt::ScrollBarPolicy policy = zoom_.fit ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded;
    setHorizontalScrollBarPolicy(policy);
    setVerticalScrollBarPolicy(policy);
    const QSize client = viewport()->size();
    const Size book = ZoomedBookSize(ZoomNow());
    horizontalScrollBar()->setRange(0, std::max(0, book.width - client.width()));
    horizontalScrollBar()->setPageStep(client.width());
    horizontalScrollBar()->setSingleStep(std::max(1, client.width() / 20));
    verticalScrollBar()->setRange(0, std::max(0, book.height - client.height()));
    verticalScrollBar()->setPageStep(client.height());
    verticalScrollBar()->setSingleStep(std::max(1, client.height() / 20));
}

QMdiSubWindow* OpenAlbumWindow(CommandHost& frame, const BookPictures& book, const Preferences& prefs,
                               std::shared_ptr<AlbumDocument> doc, std::shared_ptr<SharpPhotos> sharp)
{
    if (!doc)
        return nullptr;
    if (prefs.fastBitmaps) {
        // The album's after-load step makes them when the program's
        // services are installed; a document opened any other way gets
        // them here.
        EnableFastBitmaps();
        doc->MakeMissingFastBitmaps();
    }
    auto* view = new AlbumView(doc, book, prefs, nullptr, std::move(sharp));
    // A new window opens at the zoom the last one was left at.
    if (prefs.albumZoomPercent > 0)
        view->SetZoom({false, prefs.albumZoomPercent / 100.0});
    QObject::connect(view, &AlbumView::ZoomChanged, view, [&frame, view] {
        const ZoomChoice zoom = view->Zoom();
        // Saved with the other preferences when the program ends.
        frame.Prefs().albumZoomPercent = zoom.fit ? 0 : static_cast<int>(std::lround(zoom.zoom * 100));
    });
    auto* window = new DocumentWindow(prefs.maximiseOnOpen);
    window->setWidget(view);
    frame.MdiArea()->addSubWindow(window);
    FollowAlbumInTitle(*window, doc);
    InstallItemDrag(*view);
    InstallFileDrop(*view);
    QObject::connect(view, &AlbumView::AlbumRefused, window, &QMdiSubWindow::close);
    frame.OnPreferencesChanged(view, [view] { view->viewport()->update(); });
    window->resize(kBookSize.width + 40, kBookSize.height + 60);
    window->show();
    frame.MdiArea()->setActiveSubWindow(window);
    return window;
}

}  // namespace lumora
