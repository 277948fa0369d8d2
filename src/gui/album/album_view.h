#pragma once
// The album window's view: the book on its desk, fitted to the window or at
// a zoom of its own, scrolled when larger than the window, painted through
// AlbumPainter. Each view keeps its own position, selection and zoom and
// follows the album's pagination. Every pointer position goes through the
// view transform's inverse into book coordinates before anything is asked
// of the book.
#include <QAbstractScrollArea>
#include <QCursor>
#include <QImage>
#include <memory>

#include "core/album/album_edit.h"
#include "core/layout/album_view_state.h"
#include "core/layout/layout_document.h"
#include "core/layout/view_transform.h"
#include "gui/album/album_painter.h"

class QMdiSubWindow;

namespace lumora {

class AlbumDocument;
class CommandHost;
struct BookPictures;
struct Preferences;
class SharpPhotos;

class AlbumView final : public QAbstractScrollArea, public LayoutViewObserver, public AlbumObserver {
    Q_OBJECT
public:
    // Several views may show one album; the album lives as long as its last
    // view. A new view shows the closed cover with item 0 selected. The
    // program's windows share one `sharp` photo cache; without one the view
    // keeps its own.
    AlbumView(std::shared_ptr<AlbumDocument> doc, const BookPictures& book, const Preferences& prefs,
                QWidget* parent = nullptr, std::shared_ptr<SharpPhotos> sharp = {});
    ~AlbumView() override;

    AlbumDocument& Document() const { return *doc_; }
    const std::shared_ptr<AlbumDocument>& SharedDocument() const { return doc_; }
    // The book pictures the view draws with (they live as long as the
    // program; covers are printed from them).
    const BookPictures& Book() const { return book_; }
    // How many views (and other holders) share the album.
    long DocumentUsers() const { return doc_.use_count(); }
    const AlbumViewState& State() const { return state_; }
    void SetPosition(int position);
    void SetSelection(int selection);

    // The zoom asked for: fitted (the default) or fixed. A new choice keeps
    // the book point at the middle of the window where it was.
    ZoomChoice Zoom() const { return zoom_; }
    void SetZoom(ZoomChoice choice);
    // The next zoom step up or down from the zoom shown now.
    void ZoomIn();
    void ZoomOut();
    double ZoomNow() const;

    // Book coordinates to the viewport's (logical pixels, the screen's
    // device pixel ratio beneath), with the zoom and scroll of now.
    ViewTransform Transform() const;
    // The book pixel under a point of the viewport: what clicks, cursors,
    // context menus and drops ask about.
    Point BookPointAt(QPointF viewportPoint) const;

    // After every pagination: position and selection back within the
    // album, the location text refreshed, the view repainted.
    void ClampToLayout() override;
    // After a change to the album's settings: a view left on a flyleaf the
    // album no longer has moves to the first page.
    void OnUpdate();
    // Every change step of the album repaints its views.
    void ItemsChanged(size_t, size_t) override { OnUpdate(); }
    void TabsChanged() override { OnUpdate(); }
    void SettingsChanged() override { OnUpdate(); }

    // What the viewport shows, painted into an image of the viewport's size
    // in device pixels (its device pixel ratio set).
    QImage Render() const;

    // Paints what is invalid now, without waiting for the event loop.
    void RepaintNow();
    // Selects another item of the spread shown: only the two selection
    // marks are painted again.
    void MoveSelectionWithinSpread(int item);

    // Whether page turns are animated: the preference is on and the view
    // is on screen.
    bool AnimatesPageTurns() const;
    // Fifteen frames of a turning page's outline, at the zoom shown,
    // inverted over what the view shows; the view looks as before when it
    // returns. Input waits.
    void AnimatePageTurn(bool forward);

    // How far the view is scrolled.
    QPoint ScrollOffset() const;
    // The photos read sharp for the zoom and pixel ratio shown.
    SharpPhotos& Sharp() const { return *sharp_; }
    // The book point the pointer was last over.
    Point LastPointer() const { return lastPointer_; }

signals:
    // The album was refused at its first painting (wrong password).
    void AlbumRefused();
    // Another item is selected.
    void SelectionChanged();
    // The zoom asked for changed (the album window keeps it as the
    // preference for the next one).
    void ZoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    void UpdateScrollBars();
    void Paint(QPainter& painter) const;
    void CheckPasswordOnce();
    void UpdateCursor();
    // The photos of the spreads before and after this one, read sharp
    // ahead for the zoom shown.
    void PrefetchNeighbours() const;

    std::shared_ptr<AlbumDocument> doc_;
    const BookPictures& book_;
    const Preferences& prefs_;
    AlbumViewState state_;
    ZoomChoice zoom_;
    bool passwordChecked_ = false;
    Point lastPointer_;
    QCursor selectCursor_, nextPageCursor_, previousPageCursor_;
    QImage turnFrame_;  // shown instead of the album while a page turns
    // Shared with the program's other windows: it outlives whichever view
    // closes first.
    std::shared_ptr<SharpPhotos> sharp_;
};

// Every view of the album runs OnUpdate.
void UpdateAllViews(AlbumDocument& doc);

// Opens the album in a new MDI window titled with its file name. While an
// album window is active the frame shows the album menu and toolbar. The
// view reads its sharp photos through `sharp` (the program's one cache).
QMdiSubWindow* OpenAlbumWindow(CommandHost& frame, const BookPictures& book, const Preferences& prefs,
                               std::shared_ptr<AlbumDocument> doc, std::shared_ptr<SharpPhotos> sharp = {});

}  // namespace lumora
