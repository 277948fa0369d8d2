#pragma once
// The album window's view: a scrolling area of the book's fixed extent that
// paints the album through AlbumPainter. Each view keeps its own position
// and selection and follows the album's pagination.
#include <QAbstractScrollArea>
#include <memory>

#include "view/album_view_state.h"
#include "view/layout_document.h"
#include "view/qt/album_painter.h"

class QMdiSubWindow;

namespace lumora {

class CLumoraApp;
class CLumoraDoc;
class CMainFrame;
struct BookPictures;
struct Preferences;

class CLumoraView final : public QAbstractScrollArea, public LayoutViewObserver {
    Q_OBJECT
public:
    // Several views may show one album; the album lives as long as its last
    // view. A new view shows the closed cover with item 0 selected.
    CLumoraView(std::shared_ptr<CLumoraDoc> doc, const BookPictures& book, const Preferences& prefs,
                QWidget* parent = nullptr);
    ~CLumoraView() override;

    CLumoraDoc& Document() const { return *doc_; }
    const std::shared_ptr<CLumoraDoc>& SharedDocument() const { return doc_; }
    // How many views (and other holders) share the album.
    long DocumentUsers() const { return doc_.use_count(); }
    const AlbumViewState& State() const { return state_; }
    void SetPosition(int position);
    void SetSelection(int selection);

    // Where the book stands in the viewport's logical (scrolled) frame.
    Point BookOriginNow() const;

    void ClampToLayout() override;

    // What the viewport shows, painted into an image of the viewport's size.
    QImage Render() const;

signals:
    // The album was refused at its first painting (wrong password).
    void AlbumRefused();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void UpdateScrollBars();
    void Paint(QPainter& painter) const;
    void CheckPasswordOnce();

    std::shared_ptr<CLumoraDoc> doc_;
    const BookPictures& book_;
    const Preferences& prefs_;
    AlbumViewState state_;
    bool passwordChecked_ = false;
};

// Opens the album in a new MDI window titled with its file name. While an
// album window is active the frame shows the album menu and toolbar.
QMdiSubWindow* OpenAlbumWindow(CMainFrame& frame, CLumoraApp& app, std::shared_ptr<CLumoraDoc> doc);
QMdiSubWindow* OpenAlbumWindow(CMainFrame& frame, const BookPictures& book, const Preferences& prefs,
                               std::shared_ptr<CLumoraDoc> doc);

}  // namespace lumora
