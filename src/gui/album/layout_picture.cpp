#include "gui/album/layout_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPalette>
#include <array>

#include "core/layout/book_geometry.h"
#include "core/layout/layout_table.h"

namespace lumora {
namespace {

// The open book, relative to the page area (the frame slot origins use).
constexpr Rect kBookInPageArea{kOpenBookPictureAt.x - kPageAreaOffset.x,
                               kOpenBookPictureAt.y - kPageAreaOffset.y,
                               kOpenBookPictureAt.x - kPageAreaOffset.x + kOpenBookPictureSize.width,
                               kOpenBookPictureAt.y - kPageAreaOffset.y + kOpenBookPictureSize.height};
constexpr Point kRightPageInPageArea{kRightPagePictureAt.x - kPageAreaOffset.x, 0};

// The book (560 pixels wide) is centred in the entry, 2 pixels from its top.
constexpr int kBookLeft = (kLayoutPictureWidth - kOpenBookPictureSize.width / kLayoutPictureScale) / 2;
constexpr int kBookTop = 2;
constexpr int kCaptionTop = kBookTop + kOpenBookPictureSize.height / kLayoutPictureScale + 2;

const QColor kCover(0x6E, 0x2C, 0x1E);
const QColor kPage(0xFF, 0xFB, 0xF0);
const QColor kPageEdge(0xA0, 0xA0, 0xA4);
const QColor kRing(0x77, 0x77, 0x77);
const QColor kSky(0x99, 0xCC, 0xFF);
const QColor kLand(0x66, 0x99, 0x33);
const QColor kPhotoEdge(0x42, 0x42, 0x42);

// A page-area rectangle on the picture, rounded to whole pixels so that
// boxes of one size stay the same size wherever they stand.
QRect Scaled(int left, int top, int right, int bottom)
{
    const QPoint topLeft = LayoutPicturePoint(left, top);
    const QPoint bottomRight = LayoutPicturePoint(right, bottom);
    return QRect(topLeft, QSize(bottomRight.x() - topLeft.x(), bottomRight.y() - topLeft.y()));
}

void DrawPage(QPainter& painter, Point origin)
{
    const QRect page = Scaled(origin.x, origin.y, origin.x + kPagePictureSize.width,
                              origin.y + kPagePictureSize.height);
    painter.fillRect(page, kPage);
    painter.setPen(kPageEdge);
    painter.drawRect(page.adjusted(0, 0, -1, -1));
}

// The rings of the binder between the two pages.
void DrawRings(QPainter& painter)
{
    const int spineX = (kPagePictureSize.width + kRightPageInPageArea.x) / 2;
    painter.setPen(kRing);
    for (const int y : {60, 120, 236, 296}) {
        const QPoint centre = LayoutPicturePoint(spineX, y);
        painter.drawLine(centre.x() - 2, centre.y(), centre.x() + 2, centre.y());
    }
}

// A photo: sky above, land below, a dark edge.
void DrawPhoto(QPainter& painter, const QRect& box)
{
    QLinearGradient sky(box.topLeft(), box.bottomLeft());
    sky.setColorAt(0, kSky);
    sky.setColorAt(1, kSky.lighter(115));
    const int horizon = box.top() + box.height() * 3 / 5;
    painter.fillRect(QRect(box.left(), box.top(), box.width(), horizon - box.top()), sky);
    painter.fillRect(QRect(box.left(), horizon, box.width(), box.bottom() + 1 - horizon), kLand);
    painter.setPen(kPhotoEdge);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}

void DrawBook(QPainter& painter, int layoutIndex)
{
    painter.fillRect(Scaled(kBookInPageArea.left, kBookInPageArea.top, kBookInPageArea.right,
                            kBookInPageArea.bottom),
                     kCover);
    DrawPage(painter, {0, 0});
    DrawPage(painter, kRightPageInPageArea);
    DrawRings(painter);
    const PageLayout& layout = LayoutAt(layoutIndex);
    // Page 1 (index 1) is a left page, page 2 a right page.
    for (const int page : {1, 2}) {
        for (int slot = 0; slot < layout.slotCount; ++slot) {
            const Rect box = SlotBox(layout, page, slot);
            DrawPhoto(painter, Scaled(box.left, box.top, box.right, box.bottom));
        }
    }
}

}  // namespace

QString LayoutCaption(int layoutIndex)
{
    static const std::array<QString, kLayoutCount> captions = {
        "Poster 1+1", "Maxi 2+2", "Midi 3+3", "Mini 6+6", "Micro 12+12",
        QString::fromUtf8("Présentation en X"), QString::fromUtf8("Présentation en V")};
    return layoutIndex >= 0 && layoutIndex < kLayoutCount ? captions[static_cast<size_t>(layoutIndex)]
                                                          : QString();
}

QPoint LayoutPicturePoint(int x, int y)
{
    // Rounded to the nearest pixel, from the book's top-left corner.
    const auto scaled = [](int v, int from) {
        const int offset = v - from;
        return (offset * 2 + kLayoutPictureScale) / (2 * kLayoutPictureScale);
    };
    return {kBookLeft + scaled(x, kBookInPageArea.left), kBookTop + scaled(y, kBookInPageArea.top)};
}

void DrawLayoutPicture(QPainter& painter, const QRect& cell, int layoutIndex, bool selected,
                       const QFont& font)
{
    painter.save();
    const QPalette palette;
    painter.fillRect(cell, selected ? palette.color(QPalette::Highlight) : palette.color(QPalette::Base));
    painter.translate(cell.topLeft());
    DrawBook(painter, layoutIndex);
    painter.setFont(font);
    painter.setPen(selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text));
    painter.drawText(QRect(0, kCaptionTop, kLayoutPictureWidth, kLayoutPictureHeight - kCaptionTop),
                     Qt::AlignHCenter | Qt::AlignTop, LayoutCaption(layoutIndex));
    painter.restore();
}

}  // namespace lumora
