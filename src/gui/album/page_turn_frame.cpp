#include "gui/album/page_turn_frame.h"

#include <QPainter>
#include <QPolygon>

#include "core/layout/page_turn.h"

namespace lumora {
namespace {

// The outline's pixels, each once, whatever the corners and crossings.
QImage OutlineMask(QSize size, const QPolygon& outline)
{
    QImage mask(size, QImage::Format_Grayscale8);
    mask.fill(0);
    QPainter painter(&mask);
    painter.setPen(QPen(Qt::white, 0));
    painter.drawPolyline(outline);
    return mask;
}

}  // namespace

QImage PageTurnFrame(const QImage& shown, int frame, bool forward, Point book, QPoint scroll)
{
    QImage image = shown.convertToFormat(QImage::Format_RGB32);
    QPolygon outline;
    for (const Point p : PageTurnOutline(frame, forward, book))
        outline << QPoint(p.x, p.y) - scroll;
    const QImage mask = OutlineMask(image.size(), outline);
    const QRect area = outline.boundingRect().intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar* marks = mask.constScanLine(y);
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left(); x <= area.right(); ++x)
            if (marks[x])
                pixels[x] ^= 0x00FFFFFF;  // the pixel's colour inverted
    }
    return image;
}

}  // namespace lumora
