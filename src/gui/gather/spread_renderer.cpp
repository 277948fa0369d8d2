#include "gui/gather/spread_renderer.h"

#include <QCoreApplication>
#include <QThread>

#include "core/layout/book_geometry.h"
#include "gui/album/album_picture.h"
#include "gui/platform/dib_painter.h"

namespace lumora {

Picture PainterSpreadRenderer::RenderSpread(const AlbumDocument& doc, int position, int scale)
{
    Picture picture;
    const auto draw = [&] {
        // No selection mark; photos from their previews, not screen copies.
        const QImage image = DrawAlbumPicture(doc, book_, {options_.deskShadow, false},
                                              QSize(kBookSize.width, kBookSize.height), {position, -1}, scale);
        picture = QImageToDIB(image);
    };
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        draw();
    else
        QMetaObject::invokeMethod(app, draw, Qt::BlockingQueuedConnection);
    return picture;
}

}  // namespace lumora
