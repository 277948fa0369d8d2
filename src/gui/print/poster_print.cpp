#include "gui/print/poster_print.h"

#include <QPagedPaintDevice>
#include <QPainter>

#include "gui/print/album_print.h"

namespace lumora {

void DrawPosterSheet(QPainter& painter, const QImage& picture, const PosterTiling& tiling, int n)
{
    const PosterTile tile = PosterSheet(tiling, picture.width(), picture.height(), n);
    if (tile.source.Width() <= 0 || tile.source.Height() <= 0)
        return;
    painter.save();
    // Picture pixels become blocks of printer pixels, as the picture's own
    // pixels: no blending across the tile borders.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(tile.dest.left, tile.dest.top, tile.dest.Width(), tile.dest.Height()), picture,
                      QRect(tile.source.left, tile.source.top, tile.source.Width(), tile.source.Height()));
    painter.restore();
}

bool PrintPoster(QPagedPaintDevice& device, const QImage& picture, int widthCm,
                 const std::function<bool(int, int)>& progress)
{
    const PosterTiling tiling = TilePoster(picture.width(), picture.height(), widthCm, SheetOf(device));
    if (tiling.Sheets() == 0)
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (int n = 1; n <= tiling.Sheets(); ++n) {
        if (n > 1 && !device.newPage())
            return false;
        DrawPosterSheet(painter, picture, tiling, n);
        if (progress && !progress(n, tiling.Sheets()))
            return false;
    }
    return true;
}

}  // namespace lumora
