#include "gui/print/poster_print.h"

#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>
#include <limits>

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

int PosterSheetCount(const QPagedPaintDevice& device, const QImage& picture, int widthCm)
{
    return TilePoster(picture.width(), picture.height(), widthCm, SheetOf(device)).Sheets();
}

bool PrintPosterSheets(QPagedPaintDevice& device, const QImage& picture, int widthCm, int first, int last,
                       const std::function<bool(int, int)>& progress)
{
    const PosterTiling tiling = TilePoster(picture.width(), picture.height(), widthCm, SheetOf(device));
    first = std::max(first, 1);
    last = std::min(last, tiling.Sheets());
    if (first > last)
        return false;
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const int total = last - first + 1;
    for (int n = first; n <= last; ++n) {
        if (n > first && !device.newPage())
            return false;
        DrawPosterSheet(painter, picture, tiling, n);
        if (progress && !progress(n - first + 1, total))
            return false;
    }
    return true;
}

bool PrintPoster(QPagedPaintDevice& device, const QImage& picture, int widthCm,
                 const std::function<bool(int, int)>& progress)
{
    return PrintPosterSheets(device, picture, widthCm, 1, std::numeric_limits<int>::max(), progress);
}

}  // namespace lumora
