#pragma once
// The small pictures of the page layouts in the album properties: an open
// book seen from above, its two pages with the picture boxes of the layout,
// and the layout's name below.
#include <QRect>
#include <QString>

class QFont;
class QPainter;

namespace lumora {

// One entry of the list: 98 x 80 pixels.
inline constexpr int kLayoutPictureWidth = 98;
inline constexpr int kLayoutPictureHeight = 80;

// "Poster 1+1" ... "Présentation en V", in the order of the layout table.
QString LayoutCaption(int layoutIndex);

// The book is drawn at this fraction of its size on screen.
inline constexpr int kLayoutPictureScale = 6;

// Where the picture puts the page-area point (x, y) of the album view,
// relative to the entry's top-left corner; used by the drawing and by
// whoever checks it.
QPoint LayoutPicturePoint(int x, int y);

// Draws the entry for `layoutIndex` into `cell` (its top-left corner is
// the entry's origin), highlighted when selected, captioned in `font`.
void DrawLayoutPicture(QPainter& painter, const QRect& cell, int layoutIndex, bool selected,
                       const QFont& font);

}  // namespace lumora
