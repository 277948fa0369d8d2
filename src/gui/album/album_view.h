#pragma once
// The album window's view: a scrolling area of the book's fixed extent that
// paints the album through AlbumPainter. Each view keeps its own position
// and selection and follows the album's pagination.
#include <QAbstractScrollArea>
#include <QCursor>
#include <QImage>
#include <memory>

#include "core/album/album_edit.h"
#include "core/layout/album_view_state.h"
#include "core/layout/layout_document.h"
#include "gui/album/album_painter.h"

class QMdiSubWindow;

namespace lumora {

class AlbumDocument;
class CommandHost;
struct BookPictures;
struct Preferences;

class AlbumView final : public QAbstractScrollArea, public LayoutViewObserver, public AlbumObserver {
    Q_OBJECT
public:
    // Several views may show one album; the album lives as long as its last
    // view. A new view shows the closed cover with item 0 selected.
    AlbumView(std::shared_ptr<AlbumDocument> doc, const BookPictures& book, const Preferences& prefs,
                QWidget* parent = nullptr);
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

    // Where the book stands in the viewport's logical (scrolled) frame.
    Point BookOriginNow() const;

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

    // What the viewport shows, painted into an image of the viewport's size.
    QImage Render() const;

    // Paints what is invalid now, without waiting for the event loop.
    void RepaintNow();
    // Selects another item of the spread shown: only the two selection
    // marks are painted again.
    void MoveSelectionWithinSpread(int item);

    // Whether page turns are animated: the preference is on and the view
    // is on screen.
    bool AnimatesPageTurns() const;
    // Fifteen frames of a turning page's outline, inverted over what the
    // view shows; the view looks as before when it returns. Input waits.
    void AnimatePageTurn(bool forward);

    // How far the view is scrolled, and a point of the viewport in the
    // view's logical (scrolled) frame.
    QPoint ScrollOffset() const;
    Point LogicalPoint(QPoint viewportPoint) const;
    Point LastPointer() const { return lastPointer_; }

signals:
    // The album was refused at its first painting (wrong password).
    void AlbumRefused();
    // Another item is selected.
    void SelectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollBars();
    void Paint(QPainter& painter) const;
    void CheckPasswordOnce();
    void UpdateCursor();

    std::shared_ptr<AlbumDocument> doc_;
    const BookPictures& book_;
    const Preferences& prefs_;
    AlbumViewState state_;
    bool passwordChecked_ = false;
    Point lastPointer_;
    QCursor selectCursor_, nextPageCursor_, previousPageCursor_;
    QImage turnFrame_;  // shown instead of the album while a page turns
};

// Every view of the album runs OnUpdate.
void UpdateAllViews(AlbumDocument& doc);

// Opens the album in a new MDI window titled with its file name. While an
// album window is active the frame shows the album menu and toolbar.
QMdiSubWindow* OpenAlbumWindow(CommandHost& frame, const BookPictures& book, const Preferences& prefs,
                               std::shared_ptr<AlbumDocument> doc);

}  // namespace lumora
