#include "gui/album/album_picture.h"

#include <QPainter>
#include <cmath>

#include "gui/album/sharp_photos.h"

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

QImage DrawAlbumWindow(const AlbumDocument& doc, const BookPictures& book, AlbumDrawOptions options,
                       const AlbumWindowPicture& window, AlbumSpread spread, SharpPhotos* sharp)
{
    const double ratio = window.devicePixelRatio > 0 ? window.devicePixelRatio : 1.0;
    const QSize device(static_cast<int>(std::ceil(window.client.width() * ratio - 1e-6)),
                       static_cast<int>(std::ceil(window.client.height() * ratio - 1e-6)));
    QImage image(device, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::black);
    const Size client{window.client.width(), window.client.height()};
    const ViewTransform view = PlaceBook(client, EffectiveZoom(window.zoom, client), {0, 0}, ratio);
    AlbumPainter album(&doc, book, options);
    album.SetSharpPhotos(sharp);
    const auto draw = [&] {
        QPainter painter(&image);
        album.OnDraw(painter, view, window.client, spread);
    };
    draw();
    if (sharp && sharp->PendingReads() > 0) {
        // The first drawing asked for the sharp photos; the second has them.
        sharp->WaitForReads();
        draw();
    }
    return image;
}

}  // namespace lumora
