#include "album/album_layout.h"

#include "view/qt/album_view.h"

#include "app/corvant_mdi.h"
#include "app/document_manager.h"
#include "app/lumora_app.h"
#include "view/qt/album_navigation.h"
#include "view/qt/editing_commands.h"

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

#include "album/qt/album_settings.h"
#include "app/commands.h"
#include "app/lumora_app.h"
#include "app/main_frame.h"
#include "app/preferences.h"
#include "app/program_art.h"
#include "view/book_geometry.h"
#include "view/page_turn.h"
#include "view/qt/album_mouse.h"
#include "view/qt/fast_bitmap.h"
#include "view/qt/page_turn_frame.h"

namespace lumora {

CLumoraView::CLumoraView(std::shared_ptr<CLumoraDoc> doc, const BookPictures& book,
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
    if (doc_)
        doc_->AddView(this);
    UpdateScrollBars();
}

CLumoraView::~CLumoraView()
{
    if (doc_)
        doc_->RemoveView(this);
}

void CLumoraView::SetPosition(int position)
{
    state_.SetPosition(position);
    viewport()->update();
}

void CLumoraView::SetSelection(int selection)
{
    state_.SetSelection(selection);
    viewport()->update();
}

void CLumoraView::keyPressEvent(QKeyEvent* event)
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
        if (auto* frame = qobject_cast<CMainFrame*>(window()))
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

void CLumoraView::ClampToLayout()
{
    if (doc_)
        state_.ClampToLayout(AlbumLayout(*doc_));
    UpdateLocationText(*this);
    viewport()->update();
}

void CLumoraView::OnUpdate()
{
    if (doc_ && doc_->flyleaf == 0 && state_.Position() == kFlyleafPosition) {
        state_.SetPosition(0);
        UpdateLocationText(*this);
    }
    viewport()->update();
}

void UpdateAllViews(CLumoraDoc& doc)
{
    for (LayoutViewObserver* observer : doc.Views())
        if (auto* view = dynamic_cast<CLumoraView*>(observer))
            view->OnUpdate();
}

Point CLumoraView::BookOriginNow() const
{
    const QSize client = viewport()->size();
    return BookOrigin({client.width(), client.height()});
}

void CLumoraView::Paint(QPainter& painter) const
{
    painter.translate(-ScrollOffset());
    const AlbumPainter album(doc_.get(), book_, {prefs_.ombreBureau, prefs_.bitmapRapide});
    album.OnDraw(painter, viewport()->size(), {state_.Position(), state_.Selection()});
}

QImage CLumoraView::Render() const
{
    QImage image(viewport()->size(), QImage::Format_RGB32);
    QPainter painter(&image);
    Paint(painter);
    return image;
}

void CLumoraView::RepaintNow()
{
    viewport()->repaint();
}

void CLumoraView::MoveSelectionWithinSpread(int item)
{
    const int old = state_.Selection();
    state_.SetSelection(item);
    if (!doc_)
        return;
    const Point book = BookOriginNow();
    for (const int marked : {old, item}) {
        if (const QRect mark = SelectionMarkRect(*doc_, book, marked); !mark.isEmpty())
            viewport()->update(mark.translated(-ScrollOffset()));
    }
}

bool CLumoraView::AnimatesPageTurns() const
{
    return doc_ && prefs_.animPages && viewport()->isVisible();
}

void CLumoraView::AnimatePageTurn(bool forward)
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

QPoint CLumoraView::ScrollOffset() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

Point CLumoraView::LogicalPoint(QPoint viewportPoint) const
{
    const QPoint logical = viewportPoint + ScrollOffset();
    return {logical.x(), logical.y()};
}

void CLumoraView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !doc_) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    ClickBook(*this, LogicalPoint(event->position().toPoint()), false);
    UpdateCursor();
}

void CLumoraView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !doc_) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    ClickBook(*this, LogicalPoint(event->position().toPoint()), true);
    UpdateCursor();
}

void CLumoraView::mouseMoveEvent(QMouseEvent* event)
{
    lastPointer_ = LogicalPoint(event->position().toPoint());
    UpdateCursor();
    QAbstractScrollArea::mouseMoveEvent(event);
}

void CLumoraView::UpdateCursor()
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

void CLumoraView::contextMenuEvent(QContextMenuEvent* event)
{
    auto* frame = qobject_cast<CMainFrame*>(window());
    if (!doc_ || !frame)
        return;
    QMenu* menu = PrepareContextMenu(*this, *frame, LogicalPoint(event->pos()));
    menu->popup(event->globalPos() - QPoint(0, 10));
}

void CLumoraView::paintEvent(QPaintEvent*)
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

void CLumoraView::CheckPasswordOnce()
{
    if (doc_ && !doc_->CheckPassword())
        emit AlbumRefused();
}

void CLumoraView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CLumoraView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void CLumoraView::UpdateScrollBars()
{
    const QSize client = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, kBookSize.width - client.width()));
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setRange(0, std::max(0, kBookSize.height - client.height()));
    verticalScrollBar()->setPageStep(client.height());
}

namespace {

// The frame's menu and toolbar follow the active window: the album ones
// over an album window, the bare frame's when no window is left.
void FollowActiveWindow(CMainFrame& frame)
{
    QMdiArea* area = frame.MdiArea();
    if (area->property("lumoraAlbumMenus").toBool())
        return;
    area->setProperty("lumoraAlbumMenus", true);
    QObject::connect(area, &QMdiArea::subWindowActivated, &frame, [&frame](QMdiSubWindow* window) {
        if (!window) {
            if (frame.MdiArea()->subWindowList().isEmpty())
                frame.UseMenu(FrameMenu());
            return;
        }
        if (qobject_cast<CLumoraView*>(window->widget())) {
            frame.UseMenu(AlbumMenu());
            frame.UseToolBar(AlbumToolBar());
        }
    });
}

QString WindowTitle(const CLumoraDoc& doc)
{
    const QString name = QFileInfo(QString::fromStdString(doc.PathName())).fileName();
    return name.isEmpty() ? QStringLiteral("Album") : name;
}

}  // namespace

QMdiSubWindow* OpenAlbumWindow(CMainFrame& frame, CLumoraApp& app, std::shared_ptr<CLumoraDoc> doc)
{
    const BookPictures* book = app.Book();
    if (!book)
        return nullptr;
    QMdiSubWindow* window = OpenAlbumWindow(frame, *book, app.Prefs(), std::move(doc));
    auto* view = window ? qobject_cast<CLumoraView*>(window->widget()) : nullptr;
    if (auto* frameWindow = qobject_cast<CCorvantMDI*>(window); frameWindow && view) {
        // The last window of a changed album asks whether to save it.
        frameWindow->SetCloseGuard([view, &app] {
            return view->DocumentUsers() > 1 || app.Documents()->SaveModified(view->Document());
        });
    }
    return window;
}

QMdiSubWindow* OpenAlbumWindow(CMainFrame& frame, const BookPictures& book, const Preferences& prefs,
                               std::shared_ptr<CLumoraDoc> doc)
{
    if (!doc)
        return nullptr;
    if (prefs.bitmapRapide) {
        // The album's after-load step makes them when the program's hooks
        // are installed; a document opened any other way gets them here.
        EnableFastBitmaps();
        for (auto& item : doc->items)
            if (item->IsPhoto() && !item->fastBitmap)
                item->MakeFastBitmap();
    }
    FollowActiveWindow(frame);
    InstallAlbumNavigation(frame);
    InstallEditingCommands(frame);
    InstallAlbumSettingsCommands(frame);
    auto* view = new CLumoraView(doc, book, prefs);
    auto* window = new CCorvantMDI(prefs.maximiseOnOpen);
    window->setWidget(view);
    frame.MdiArea()->addSubWindow(window);
    window->setWindowTitle(WindowTitle(*doc));
    QObject::connect(view, &CLumoraView::AlbumRefused, window, &QMdiSubWindow::close);
    QObject::connect(&frame, &CMainFrame::PreferencesChanged, view,
                     [view] { view->viewport()->update(); });
    window->resize(kBookSize.width + 40, kBookSize.height + 60);
    window->show();
    frame.MdiArea()->setActiveSubWindow(window);
    return window;
}

}  // namespace lumora
