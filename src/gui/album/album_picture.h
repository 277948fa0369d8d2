#pragma once
// An album spread drawn into an image, exactly as the album window shows
// it: for `lumora-cli album render` and the pages of the web viewer.
#include <QImage>
#include <QSize>

#include "core/layout/view_transform.h"
#include "gui/album/album_painter.h"

namespace lumora {

class AlbumDocument;
class SharpPhotos;

// The client area of `size` logical pixels drawn `scale` times larger (text
// and shapes sharp at the larger size), the book at the classic size; black
// where the painter draws nothing. Call on the GUI thread: the book
// pictures are pixmaps.
QImage DrawAlbumPicture(const AlbumDocument& doc, const BookPictures& book, AlbumDrawOptions options,
                        QSize size, AlbumSpread spread, int scale = 1);

// A window of `client` logical pixels at a zoom choice, as the album view
// draws it, into an image of the client size times `devicePixelRatio`
// device pixels with that ratio set. With `sharp`, photos drawn larger than
// their previews are read from their files first, as the window shows them
// once they are ready.
struct AlbumWindowPicture {
    QSize client;
    ZoomChoice zoom;
    double devicePixelRatio = 1.0;
};
QImage DrawAlbumWindow(const AlbumDocument& doc, const BookPictures& book, AlbumDrawOptions options,
                       const AlbumWindowPicture& window, AlbumSpread spread, SharpPhotos* sharp = nullptr);

}  // namespace lumora
