#include "gui/album/album_picture.h"

#include <QPainter>

namespace lumora {

QImage DrawAlbumPicture(const AlbumDocument& doc, const BookPictures& book, AlbumDrawOptions options, QSize size,
                        AlbumSpread spread, int scale)
{
    QImage image(size * scale, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scale > 1);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.scale(scale, scale);
    const AlbumPainter album(&doc, book, options);
    album.OnDraw(painter, size, spread);
    painter.end();
    return image;
}

}  // namespace lumora
