#pragma once
// An album spread drawn into an image, exactly as the album window shows
// it: for `lumora-cli album render` and the pages of the web viewer.
#include <QImage>
#include <QSize>

#include "gui/album/album_painter.h"

namespace lumora {

class AlbumDocument;

// The client area of `size` logical pixels drawn `scale` times larger (text
// and shapes sharp at the larger size); black where the painter draws
// nothing. Call on the GUI thread: the book pictures are pixmaps.
QImage DrawAlbumPicture(const AlbumDocument& doc, const BookPictures& book, AlbumDrawOptions options,
                        QSize size, AlbumSpread spread, int scale = 1);

}  // namespace lumora
