#include "gui/album/page_turn_frame.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "core/layout/page_turn.h"

namespace lumora {
namespace {

// The outline's pixels, each once, whatever the corners and crossings.
QImage OutlineMask(QSize size, const QPolygonF& outline, qreal width)
{
    QImage mask(size, QImage::Format_Grayscale8);
    mask.fill(0);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (width <= 1)
        painter.setPen(QPen(Qt::white, 0));
    else
        painter.setPen(QPen(Qt::white, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.drawPolyline(outline);
    return mask;
}

}  // namespace

QImage PageTurnFrame(const QImage& shown, int frame, bool forward, const ViewTransform& view)
{
    QImage image = shown.convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(shown.devicePixelRatio());
    // One book pixel at this zoom and ratio: a wider line runs through the
    // middle of the book pixels, as the one-pixel line covers them.
    const double thickness = view.Zoom() * view.DevicePixelRatio();
    const double middle = thickness > 1 ? 0.5 : 0.0;
    QPolygonF outline;
    for (const Point p : PageTurnOutline(frame, forward, {0, 0})) {
        const PointF at = view.ToDevice({p.x + middle, p.y + middle});
        outline << QPointF(at.x, at.y);
    }
    const QImage mask = OutlineMask(image.size(), outline, std::round(thickness));
    const int margin = static_cast<int>(std::ceil(thickness)) + 1;
    const QRect area =
        outline.boundingRect().toAlignedRect().adjusted(-margin, -margin, margin, margin).intersected(image.rect());
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
