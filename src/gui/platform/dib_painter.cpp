#include "gui/platform/dib_painter.h"

#include <cstring>

#include "core/picture/dib_rgb.h"
#include "core/colour/halftone.h"
#include "core/platform/screen.h"

namespace lumora {
namespace {

QList<QRgb> ColorTable(PictureSpan dib)
{
    QList<QRgb> table(256, qRgb(0, 0, 0));
    const unsigned count = std::min<unsigned>(dib.ColorCount(), 256);
    for (unsigned i = 0; i < count; ++i) {
        const ColorTriple c = dib.Color(i);
        table[static_cast<int>(i)] = qRgb(c.red, c.green, c.blue);
    }
    return table;
}

// One axis of a destination rectangle. Its size is to - from + 1, as the
// stretching blit takes it; a negative size runs leftward (or upward) from
// `from` and mirrors the copy: (256, -2) covers 256 down to 0.
struct Span {
    int start, length;
    bool mirrored;
};

Span InclusiveSpan(int from, int to)
{
    const int size = to - from + 1;
    if (size >= 0)
        return {from, size, false};
    return {from + size + 1, -size, true};
}

}  // namespace

QImage DIBToQImage(const Picture& dib)
{
    if (!dib || !IsValidPicture(dib.Bytes()))
        return {};
    const PictureSpan block = dib.Span();
    const int width = static_cast<int>(block.Width());
    const int height = static_cast<int>(block.Height());
    const int bits = block.BitCount();
    const auto stride = static_cast<qsizetype>(PictureRowBytes(static_cast<uint64_t>(width), static_cast<uint64_t>(bits)));
    const uint8_t* pixels = block.Pixels();

    if (bits == 24) {
        // Wrap the bottom-up rows, then copy them upright.
        const QImage view(pixels, width, height, stride, QImage::Format_BGR888);
        return view.mirrored(false, true);
    }
    QImage image(width, height, QImage::Format_Indexed8);
    image.setColorTable(ColorTable(block));
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = pixels + static_cast<qsizetype>(height - 1 - y) * stride;
        uchar* out = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            switch (bits) {
            case 8: out[x] = row[x]; break;
            case 4: out[x] = (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4; break;
            default: out[x] = (row[x >> 3] >> (7 - (x & 7))) & 1; break;
            }
        }
    }
    return image;
}

Picture QImageToDIB(const QImage& image)
{
    if (image.isNull())
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_BGR888);
    Picture dib = Picture::Make(rgb.width(), rgb.height(), 24);
    if (!dib)
        return {};
    const uint64_t stride = PictureRowBytes(static_cast<uint64_t>(rgb.width()), 24);
    uint8_t* pixels = dib.Pixels();
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(pixels + static_cast<uint64_t>(rgb.height() - 1 - y) * stride, rgb.constScanLine(y),
                    static_cast<size_t>(rgb.width()) * 3);
    return dib;
}

bool DrawDIB(QPainter& painter, const QRect& dest, const Picture& dib, const QRect& source,
             const Palette* /*palette: true-colour screens realise nothing*/)
{
    const QImage image = DIBToQImage(dib);
    if (image.isNull())
        return false;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);  // colour-on-colour
    painter.drawImage(dest, image, source);
    painter.restore();
    return true;
}

void DrawDeviceBitmap(QPainter& painter, const QRect& dest, const QPixmap& bitmap,
                      const QRect& source, const Palette* /*palette*/)
{
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(dest, bitmap, source);
    painter.restore();
}

QPixmap DIBToDeviceBitmap(const Picture& dib, const Palette* /*palette*/)
{
    const QImage image = DIBToQImage(dib);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}

Picture DeviceBitmapToDIB(const QPixmap& bitmap, const Palette* /*palette*/)
{
    return bitmap.isNull() ? Picture{} : QImageToDIB(bitmap.toImage());
}

QPixmap BlankScreenBitmap(int width, int height)
{
    return QPixmap(width, height);
}

bool RenderDIBInto(const Picture& dib, QPixmap& target, const Palette* /*palette*/,
                   const InclusiveRect& source, const InclusiveRect& dest)
{
    const QImage image = DIBToQImage(dib);
    if (image.isNull() || target.isNull())
        return false;
    // Source rows count from the bottom of the picture.
    const int sourceWidth = source.right - source.left + 1;
    const int sourceHeight = source.bottom - source.top + 1;
    const QRect from(source.left, image.height() - 1 - source.bottom, sourceWidth, sourceHeight);
    const Span xs = InclusiveSpan(dest.left, dest.right);
    const Span ys = InclusiveSpan(dest.top, dest.bottom);
    QImage piece = image.copy(from);
    if (xs.mirrored || ys.mirrored)
        piece = piece.mirrored(xs.mirrored, ys.mirrored);
    QPainter painter(&target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(xs.start, ys.start, xs.length, ys.length), piece);
    return true;
}

bool DIBToScreenBitmap(const Picture& dib, QPixmap& target, const Palette* palette)
{
    if (!dib || !IsValidPicture(dib.Bytes()))
        return false;
    const int width = static_cast<int>(dib.Width());
    const int height = static_cast<int>(dib.Height());
    target = BlankScreenBitmap(width, height);
    return RenderDIBInto(dib, target, palette, {0, 0, width - 1, height - 1},
                         {0, 0, width - 1, height - 1});
}

QSize FittedSize(int boxWidth, int boxHeight, int width, int height)
{
    if (width <= 0 || height <= 0)
        return {0, 0};
    const int fittedHeight = static_cast<int>(int64_t{boxWidth} * height / width);
    if (boxHeight >= fittedHeight)
        return {boxWidth, fittedHeight};
    return {static_cast<int>(int64_t{boxHeight} * width / height), boxHeight};
}

void DrawFitted(const Dib& picture, QPainter& painter, int x, int y, int width, int height)
{
    if (picture.IsEmpty())
        return;
    const QSize drawn = FittedSize(width, height, picture.Width(), picture.Height());
    if (drawn.isEmpty())
        return;
    const QRect target(x + (width - drawn.width()) / 2, y + (height - drawn.height()) / 2,
                       drawn.width(), drawn.height());
    if (ScreenDepth() < 9 && picture.ColorCount() == 0) {
        const Picture reduced = ResizeToAppPalette(picture.Image(), drawn.width(), drawn.height(),
                                                AppPalette());
        if (reduced)
            DrawDIB(painter, target, reduced, QRect(0, 0, drawn.width(), drawn.height()), &AppPalette());
        return;
    }
    DrawDIB(painter, target, picture.Image(), QRect(0, 0, picture.Width(), picture.Height()),
            &picture.GetPalette());
}

}  // namespace lumora
