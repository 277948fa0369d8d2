#pragma once
// Draws an album view: the desk, the shadow the book casts on it, the closed
// cover or the open ring binder with its pages, the page furniture (titles,
// numbers, section markers, tabs) and the items with the selection mark.
// Every position comes from the book geometry and the album's layout, in
// book coordinates: the view transform places and scales the book in the
// window, and the painter's device (a widget or an image of any pixel
// ratio) turns that into device pixels, so that lines, text and pictures
// are drawn at the resolution of the screen. The book is painted only
// around the pages.
#include <QFont>
#include <QPainter>
#include <QRect>
#include <QSize>
#include <memory>

#include "core/album/album_settings.h"
#include "gui/album/book_pictures.h"
#include "core/layout/geometry.h"
#include "core/layout/view_transform.h"

namespace lumora {

class AlbumLayout;
class AlbumDocument;
class AlbumItem;
class SectionTab;
class SharpPhotos;


// Preferences the drawing reads.
struct AlbumDrawOptions {
    bool deskShadow = true;   // OmbreBureau
    bool fastBitmaps = true;  // BitmapRapide
};

// Where a view stands: the spread it shows and its selected item.
struct AlbumSpread {
    int position = -2;
    int selection = 0;
};

// Sides of DrawTabColumns.
enum TabSides { kLeftTabs = 1, kRightTabs = 2, kBothTabs = 3 };

inline constexpr QRgb kNoDocumentColor = 0xFFC0C0C0;
inline constexpr QRgb kFrameGrey = 0xFF808080;

// The desk colour darkened by 64 per component (not below 0).
QColor DeskShadowColor(QColor desk);

// The area the selection mark around item `item` covers, in the frame of a
// book at `book`; empty for an item that does not exist.
QRect SelectionMarkRect(const AlbumDocument& doc, Point book, int item);

class AlbumPainter {
public:
    AlbumPainter(const AlbumDocument* doc, const BookPictures& book, AlbumDrawOptions options);
    ~AlbumPainter();

    // Photos drawn on more device pixels than their previews have are
    // taken from `sharp` when it has them (and asked of it when not); none:
    // previews only.
    void SetSharpPhotos(SharpPhotos* sharp) { sharp_ = sharp; }

    // The whole client area of `client` logical pixels: the desk, and the
    // book where `view` places it.
    void OnDraw(QPainter& painter, const ViewTransform& view, QSize client, AlbumSpread spread) const;
    // The same at the classic size, the book centred as a window of that
    // client size centres it.
    void OnDraw(QPainter& painter, QSize client, AlbumSpread spread) const;

    // One page (left when `page` is odd) with its picture, section marker,
    // title, number, items and the mark around `selection` when it lies there.
    void DrawPage(QPainter& painter, Point book, int page, int selection) const;
    void DrawFlyleaf(QPainter& painter, Point book) const;
    // The album title in the title font, centred vertically when it fits
    // the box. Effects: 0 plain, 1 engraved, 2 embossed.
    void DrawTitle(QPainter& painter, QRect box, TitleEffect effect, QColor color) const;
    void DrawTabColumns(QPainter& painter, Point book, int position, int sides) const;
    void DrawTab(QPainter& painter, Point book, const SectionTab& tab, int slot) const;
    // Item `index` in the picture box `box` (view coordinates) of the book
    // at `book`; an index beyond the last item draws nothing.
    void DrawItem(QPainter& painter, Point book, int index, QRect box) const;

    // Draws (show) or erases the selection mark around item `item` on the
    // spread the book at `book` shows. Erasing copies the page picture back.
    void DrawItemSelectionMark(QPainter& painter, Point book, int item, bool show) const;
    // `rect`: the item's display rectangle in view coordinates; `artRect`:
    // the same in the page-area frame; `page` tells which page picture lies
    // under it.
    void DrawSelectionMark(QPainter& painter, QRect rect, int page, bool show, QRect artRect) const;

private:
    void DrawDesk(QPainter& painter, QSize client) const;
    void DrawShadow(QPainter& painter, bool closed) const;
    void DrawOpenBook(QPainter& painter, Point book, AlbumSpread spread) const;
    // The book's strips around the left or the right page, with that edge's tabs.
    void DrawStrips(QPainter& painter, Point book, bool withTabs, int position, bool left) const;
    void DrawBookPiece(QPainter& painter, Point book, Point at, const QRect& source) const;
    void DrawSectionMarker(QPainter& painter, Point book, int page) const;
    void DrawPhoto(QPainter& painter, Point book, int index, QRect box) const;
    // The sharp picture to draw in the preview's place, if any.
    const QImage* SharpPictureOf(const QPainter& painter, const AlbumItem& item, QRect photo) const;
    // The book's pictures at the level the painter's scale asks for (the
    // classic ones at one device pixel per book pixel).
    const BookPictures& Art(const QPainter& painter) const;
    // The page picture's pixels under a rectangle of the view, at the
    // pictures' level (its device pixel ratio).
    QImage PageUnder(const BookPictures& art, QRect viewRect, Point book, int page) const;

    const AlbumDocument* doc_;
    std::unique_ptr<AlbumLayout> layout_;  // the layout queries' view of doc_
    const BookPictures& book_;
    AlbumDrawOptions options_;
    SharpPhotos* sharp_ = nullptr;
    QFont titleFont_, descriptionFont_, pageTitleFont_, pageNumberFont_;
    QFont tabFont_;
};

}  // namespace lumora
