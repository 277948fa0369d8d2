#pragma once
// Drawing packed DIBs with Qt: what the program did with device contexts,
// device-dependent bitmaps and palettes, on QPainter, QImage and QPixmap.
// True-colour screens need no palette realisation, so palettes passed here
// only matter for pictures drawn on the 16- and 256-colour paths.
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRect>

#include "core/picture_document/dib_object.h"
#include "core/picture/picture.h"
#include "core/colour/palette.h"

namespace lumora {

// The picture as a top-down QImage (indexed for 1, 4 and 8 bits, RGB for
// 24); a null image for an invalid block.
QImage DIBToQImage(const Picture& dib);

// A 24-bit packed DIB of the image's pixels.
Picture QImageToDIB(const QImage& image);

// Draws `source` (top-down picture coordinates) of the picture into `dest`,
// 1:1 or stretched with nearest-neighbour sampling. False for no picture.
bool DrawDIB(QPainter& painter, const QRect& dest, const Picture& dib, const QRect& source,
             const Palette* palette);

void DrawDeviceBitmap(QPainter& painter, const QRect& dest, const QPixmap& bitmap,
                      const QRect& source, const Palette* palette);

QPixmap DIBToDeviceBitmap(const Picture& dib, const Palette* palette);
Picture DeviceBitmapToDIB(const QPixmap& bitmap, const Palette* palette);

// A screen-compatible bitmap of the given size (contents undefined).
QPixmap BlankScreenBitmap(int width, int height);

// One stretch-copy of a source rectangle of the picture into the bitmap.
// Both rectangles have inclusive right and bottom edges, given as
// (left, top, right, bottom); source rows are counted from the bottom row of
// the picture, as bottom-up bitmap files count them; a destination whose
// right is left of its left (or bottom above its top) mirrors the copy.
struct InclusiveRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};
bool RenderDIBInto(const Picture& dib, QPixmap& target, const Palette* palette,
                   const InclusiveRect& source, const InclusiveRect& dest);

// A screen bitmap of the picture's size holding the whole picture.
bool DIBToScreenBitmap(const Picture& dib, QPixmap& target, const Palette* palette);

// Draws the picture fitted into the box, keeping its proportions, centred.
// On 16- and 256-colour screens a true-colour picture is drawn through a
// temporary copy on the application palette, 1:1.
void DrawFitted(const Dib& picture, QPainter& painter, int x, int y, int width, int height);

// The size a picture of w x h takes when fitted into a box of W x H.
QSize FittedSize(int boxWidth, int boxHeight, int width, int height);

}  // namespace lumora
