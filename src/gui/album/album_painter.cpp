#include "core/album/album_layout.h"

#include "gui/album/album_painter.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

#include "core/album/album_document.h"
#include "gui/platform/dib_painter.h"
#include "core/layout/book_geometry.h"
#include "core/layout/page_queries.h"
#include "core/layout/spread.h"
#include "core/layout/tab_columns.h"
#include "gui/album/fast_bitmap.h"
#include "gui/album/sharp_book.h"
#include "gui/album/sharp_photos.h"
#include "gui/album/text_drawing.h"

namespace lumora {
namespace {

// The open book is drawn in pieces around the pages; source rectangles
// within the open-book picture, inclusive.
struct Piece {
    int left, top, right, bottom;
    Point at;
};
constexpr Piece kLeftTopStrip{0, 0, 272, 7, {10, 10}};
constexpr Piece kLeftEdgeStrip{0, 8, 15, 363, {10, 18}};
constexpr Piece kLeftBottomStrip{0, 364, 272, 371, {10, 374}};
constexpr Piece kRightTopStrip{287, 0, 559, 7, {297, 10}};
constexpr Piece kRightEdgeStrip{544, 8, 559, 363, {554, 18}};
constexpr Piece kRightBottomStrip{287, 364, 559, 371, {297, 374}};
constexpr Piece kSpinePiece{273, 0, 286, 371, {283, 10}};
constexpr Piece kFrontCoverInside{0, 0, 286, 371, {10, 10}};   // with the spine
constexpr Piece kBackCoverInside{273, 0, 559, 371, {283, 10}};  // with the spine


// Under the selected item: a dotted frame 3 to 4 pixels outside it.
constexpr int kMarkMargin = 4;
// The right page picture stands this far right of the page-area origin.
constexpr int kRightPageShift = 271;

constexpr int kCornerSquare = 5;

// The tab font: Arial at 8 points on a 96-pixel-per-inch screen.
constexpr int kTabFontHeight = -11;
constexpr int kTabLength = 80;
constexpr int kTabSlotStep = 85;

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

QRect InclusiveQRect(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

QRect InBook(Point book, const Rect& r) { return ToQRect(r.Offset(book)); }

// Device pixels per book pixel of what the painter draws now.
double DeviceScale(const QPainter& painter) { return std::sqrt(std::abs(painter.deviceTransform().determinant())); }

// `source`, in book pixels, of a picture of the book whose device pixel
// ratio says how many times finer than the book it is.
QRectF PixelsOf(QRect source, qreal ratio)
{
    return {source.x() * ratio, source.y() * ratio, source.width() * ratio, source.height() * ratio};
}

// Part `source` (book pixels) of a book picture, its top-left at `at`.
void DrawBookPicture(QPainter& painter, QPoint at, const QPixmap& picture, QRect source)
{
    painter.drawPixmap(QRectF(at, source.size()), picture, PixelsOf(source, picture.devicePixelRatio()));
}

void DrawBookPicture(QPainter& painter, QPoint at, const QPixmap& picture)
{
    DrawBookPicture(painter, at, picture, QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()));
}

// The same for a copy of part of a book picture (PageUnder).
void DrawSaved(QPainter& painter, QPoint at, const QImage& saved, QRect source)
{
    painter.drawImage(QRectF(at, source.size()), saved, PixelsOf(source, saved.devicePixelRatio()));
}

void Fill(QPainter& painter, int left, int top, int right, int bottom, const QColor& color)
{
    if (right > left && bottom > top)
        painter.fillRect(QRect(left, top, right - left, bottom - top), color);
}

// One pixel per step along a 45-degree line, without its end point.
void DiagonalLine(QPainter& painter, QPoint from, QPoint to, const QColor& color)
{
    const int steps = std::abs(to.x() - from.x());
    const int dx = to.x() > from.x() ? 1 : -1;
    const int dy = to.y() > from.y() ? 1 : -1;
    for (int k = 0; k < steps; ++k)
        painter.fillRect(from.x() + k * dx, from.y() + k * dy, 1, 1, color);
}

void Dot(QPainter& painter, QPoint at, const QColor& color)
{
    painter.fillRect(at.x(), at.y(), 1, 1, color);
}

// A white frame with every other pixel of it black, as a focus rectangle
// drawn over a white frame shows.
void DottedFrame(QPainter& painter, const QRect& r)
{
    const QColor white(Qt::white);
    painter.fillRect(r.left(), r.top(), r.width(), 1, white);
    painter.fillRect(r.left(), r.bottom(), r.width(), 1, white);
    painter.fillRect(r.left(), r.top(), 1, r.height(), white);
    painter.fillRect(r.right(), r.top(), 1, r.height(), white);
    // Squares of one book pixel, not points of the pen: at a zoom or a
    // pixel ratio they grow with the book.
    const QColor black(Qt::black);
    auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0)
            painter.fillRect(x, y, 1, 1, black);
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        if (r.bottom() != r.top())
            dot(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        dot(r.left(), y);
        if (r.right() != r.left())
            dot(r.right(), y);
    }
}

}  // namespace

QColor DeskShadowColor(QColor desk)
{
    auto darker = [](int c) { return c > 64 ? c - 64 : 0; };
    return QColor(darker(desk.red()), darker(desk.green()), darker(desk.blue()));
}

AlbumPainter::AlbumPainter(const AlbumDocument* doc, const BookPictures& book, AlbumDrawOptions options)
    : doc_(doc), book_(book), options_(options)
{
    if (doc_) {
        // The queries only read the album through this adapter.
        layout_ = std::make_unique<AlbumLayout>(*doc_);
        titleFont_ = QFontFromTextFont(doc_->Settings().fonts[kTitleFont]);
        descriptionFont_ = QFontFromTextFont(doc_->Settings().fonts[kDescriptionFont]);
        pageTitleFont_ = QFontFromTextFont(doc_->Settings().fonts[kPageTitleFont]);
        pageNumberFont_ = QFontFromTextFont(doc_->Settings().fonts[kPageNumberFont]);
    }
    TextFont tab;
    tab.height = kTabFontHeight;
    tab.weight = 400;
    tab.faceName = "Arial";
    tabFont_ = QFontFromTextFont(tab);
}

AlbumPainter::~AlbumPainter() = default;

void AlbumPainter::OnDraw(QPainter& painter, QSize client, AlbumSpread spread) const
{
    OnDraw(painter, PlaceBook({client.width(), client.height()}, 1.0, {0, 0}), client, spread);
}

void AlbumPainter::OnDraw(QPainter& painter, const ViewTransform& view, QSize client, AlbumSpread spread) const
{
    if (!doc_) {
        painter.fillRect(QRect(QPoint(0, 0), client), QColor(kNoDocumentColor));
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    DrawDesk(painter, client);
    painter.translate(view.Origin().x, view.Origin().y);
    painter.scale(view.Zoom(), view.Zoom());
    // Pictures drawn larger than they are (a zoom, a pixel ratio of 2)
    // are smoothed, not shown as squares of pixels.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, painter.deviceTransform().isScaling());
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    const Point book{0, 0};
    const bool closed = spread.position == kCoverPosition;
    DrawShadow(painter, closed);
    if (closed) {
        DrawBookPicture(painter, QPoint(kCoverPictureAt.x + book.x, kCoverPictureAt.y + book.y), Art(painter).cover);
        DrawTitle(painter, InBook(book, kCoverTitleBox), doc_->Settings().titleEffect,
                  ColorFromRef(doc_->Settings().titleColor));
    } else {
        DrawOpenBook(painter, book, spread);
    }
    painter.restore();
}

void AlbumPainter::DrawDesk(QPainter& painter, QSize client) const
{
    // The whole window: the book, drawn over it, covers its part, and no
    // seam can open between desk and book at a zoom that does not fall on
    // whole pixels.
    painter.fillRect(QRect(QPoint(0, 0), client), ColorFromRef(doc_->Settings().deskColor));
}

void AlbumPainter::DrawShadow(QPainter& painter, bool closed) const
{
    if (!options_.deskShadow)
        return;
    const QColor shadow = DeskShadowColor(ColorFromRef(doc_->Settings().deskColor));
    const Point book{0, 0};
    painter.fillRect(InBook(book, closed ? kCoverShadowBottom : kOpenBookShadowBottom), shadow);
    painter.fillRect(InBook(book, closed ? kCoverShadowRight : kOpenBookShadowRight), shadow);
}

void AlbumPainter::DrawBookPiece(QPainter& painter, Point book, Point at, const QRect& source) const
{
    DrawBookPicture(painter, QPoint(book.x + at.x, book.y + at.y), Art(painter).openBook, source);
}

// The strips of book around one page: top and outer edge, the tabs of that
// edge (which the bottom strip overlaps), then the bottom strip.
struct PageStrips {
    const Piece& top;
    const Piece& edge;
    const Piece& bottom;
    int tabSide;
};
constexpr PageStrips kLeftStrips{kLeftTopStrip, kLeftEdgeStrip, kLeftBottomStrip, kLeftTabs};
constexpr PageStrips kRightStrips{kRightTopStrip, kRightEdgeStrip, kRightBottomStrip, kRightTabs};

void AlbumPainter::DrawStrips(QPainter& painter, Point book, bool withTabs, int position, bool left) const
{
    const PageStrips& strips = left ? kLeftStrips : kRightStrips;
    auto piece = [&](const Piece& p) {
        DrawBookPiece(painter, book, p.at, InclusiveQRect(p.left, p.top, p.right, p.bottom));
    };
    piece(strips.top);
    piece(strips.edge);
    if (withTabs)
        DrawTabColumns(painter, book, position, strips.tabSide);
    piece(strips.bottom);
}

void AlbumPainter::DrawOpenBook(QPainter& painter, Point book, AlbumSpread spread) const
{
    const int position = spread.position;
    const int pageCount = doc_->PageCount();
    const bool tabs = doc_->Settings().useTabs;
    auto piece = [&](const Piece& p) {
        DrawBookPiece(painter, book, p.at, InclusiveQRect(p.left, p.top, p.right, p.bottom));
    };
    const bool frontCoverOnLeft = position == kFlyleafPosition || (position == 0 && !doc_->Settings().flyleaf);
    if (frontCoverOnLeft) {
        piece(kFrontCoverInside);
        DrawStrips(painter, book, tabs, position, false);
        if (position == kFlyleafPosition)
            DrawFlyleaf(painter, book);
        else
            DrawPage(painter, book, 0, spread.selection);
        return;
    }
    DrawStrips(painter, book, tabs, position, true);
    if (position == 0) {
        // The blank back of the flyleaf.
        DrawBookPicture(painter, QPoint(book.x + kLeftPagePictureAt.x, book.y + kLeftPagePictureAt.y),
                        Art(painter).leftPage);
    } else {
        DrawPage(painter, book, position - 1, spread.selection);
    }
    if (position >= pageCount) {
        piece(kBackCoverInside);
        return;
    }
    piece(kSpinePiece);
    DrawStrips(painter, book, tabs, position, false);
    DrawPage(painter, book, position, spread.selection);
}

void AlbumPainter::DrawPage(QPainter& painter, Point book, int page, int selection) const
{
    const bool right = IsRightPage(page);
    const Point at = right ? kRightPagePictureAt : kLeftPagePictureAt;
    const BookPictures& art = Art(painter);
    DrawBookPicture(painter, QPoint(book.x + at.x, book.y + at.y), right ? art.rightPage : art.leftPage);
    DrawSectionMarker(painter, book, page);
    if (doc_->Settings().headerTitle)
        DrawPlainText(painter, InBook(book, PageTitleBox(page)), AlbumText(PageTitle(*layout_, page)),
                      pageTitleFont_, Qt::black, kCentredWrapped);
    if (doc_->Settings().pageNumbers)
        DrawPlainText(painter, InBook(book, PageNumberBox(page)),
                      QString("Page %1").arg(PageNumber(page)), pageNumberFont_, Qt::black,
                      kCentredWrapped);
    const PageLayout& layout = doc_->Layout();
    const Point area = PageAreaOrigin(book);
    const std::vector<int> items = ItemsOnPage(*layout_, page);  // the n-th in slot n
    for (size_t slot = 0; slot < items.size(); ++slot) {
        const int item = items[slot];
        DrawItem(painter, book, item, ToQRect(SlotBox(layout, page, static_cast<int>(slot)).Offset(area)));
        if (item == selection) {
            const auto& r = doc_->Items()[static_cast<size_t>(item)]->displayRect;
            const Rect art{r.left, r.top, r.right, r.bottom};
            DrawSelectionMark(painter, ToQRect(art.Offset(area)), page, true, ToQRect(art));
        }
    }
}

void AlbumPainter::DrawSectionMarker(QPainter& painter, Point book, int page) const
{
    const int tab = SectionMarkerTab(*layout_, page);
    if (tab < 0)
        return;
    const QColor color = ColorFromRef(doc_->Tabs()[static_cast<size_t>(tab)]->tabColor);
    painter.fillRect(InBook(book, SectionMarkerBox(page)), color);
    // Three rows under the bar, each a pixel narrower on the page side.
    for (int row = 0; row < 3; ++row) {
        const Rect r = IsRightPage(page) ? Rect{550, 357, 553 - row, 358 + row}
                                         : Rect{27 + row, 357, 30, 358 + row};
        painter.fillRect(InBook(book, r), color);
    }
}

void AlbumPainter::DrawFlyleaf(QPainter& painter, Point book) const
{
    DrawBookPicture(painter, QPoint(book.x + kRightPagePictureAt.x, book.y + kRightPagePictureAt.y),
                    Art(painter).rightPage);
    DrawTitle(painter, InBook(book, kFlyleafTitleBox), TitleEffect::Normal, Qt::black);
    DrawPlainText(painter, InBook(book, kFlyleafDescriptionBox), AlbumText(doc_->Settings().description),
                  descriptionFont_, Qt::black, kCentredWrapped);
}

void AlbumPainter::DrawTitle(QPainter& painter, QRect box, TitleEffect effect, QColor color) const
{
    const QString title = AlbumText(doc_->Settings().title);
    painter.save();
    painter.setFont(titleFont_);
    const int textHeight = DrawTextFormatted(painter, box, title, kCentredWrapped | kTextCalcRect).height();
    painter.restore();
    if (textHeight < box.height()) {
        box.moveTop(box.top() + (box.height() - textHeight) / 2);
        box.setHeight(textHeight);
    }
    switch (effect) {
    case TitleEffect::Engraved:  // white edge below-right
        DrawEffectText(painter, box, title, titleFont_, color, kCentredWrapped, Qt::black, Qt::white, 1);
        break;
    case TitleEffect::Embossed:  // white edge above-left
        DrawEffectText(painter, box, title, titleFont_, color, kCentredWrapped, Qt::white, Qt::black, 1);
        break;
    default:
        DrawPlainText(painter, box, title, titleFont_, color, kCentredWrapped);
        break;
    }
}

void AlbumPainter::DrawTabColumns(QPainter& painter, Point book, int position, int sides) const
{
    if (!doc_->Settings().useTabs)
        return;
    if (sides & kLeftTabs)
        for (const TabPlacement& t : LeftTabColumn(*layout_, position))
            DrawTab(painter, book, *doc_->Tabs()[static_cast<size_t>(t.tab)], t.slot);
    if (sides & kRightTabs)
        for (const TabPlacement& t : RightTabColumn(*layout_, position))
            DrawTab(painter, book, *doc_->Tabs()[static_cast<size_t>(t.tab)], t.slot);
}

void AlbumPainter::DrawTab(QPainter& painter, Point book, const SectionTab& tab, int slot) const
{
    const bool left = slot < kTabSlotsPerColumn;
    const int base = book.y + kTabSlotStep * (slot % kTabSlotsPerColumn);
    const int x0 = book.x + (left ? kLeftTabColumnLeft : kRightTabColumnLeft);
    const int x1 = x0 + kTabColumnWidth;
    const QColor color = ColorFromRef(tab.tabColor);
    // The body widens toward the page.
    if (left) {
        Fill(painter, x0 + 1, base + 23, x1, base + 107, color);
        Fill(painter, x0 + 3, base + 22, x1, base + 108, color);
        Fill(painter, x1 - 3, base + 21, x1, base + 109, color);
        Fill(painter, x1 - 1, base + 19, x1, base + 111, color);
    } else {
        Fill(painter, x0, base + 23, x1 - 1, base + 107, color);
        Fill(painter, x0, base + 22, x1 - 3, base + 108, color);
        Fill(painter, x0, base + 21, x0 + 3, base + 109, color);
        Fill(painter, x0, base + 19, x0 + 1, base + 111, color);
    }
    // The name runs along the tab, centred; left tabs read upward, right
    // tabs downward. The text's top edge lies on the tab's outer side.
    const QString name = AlbumText(tab.name);
    const QFontMetrics metrics(tabFont_);
    const int cx = metrics.horizontalAdvance(name);
    painter.save();
    painter.setFont(tabFont_);
    painter.setPen(ColorFromRef(tab.nameColor));
    if (left) {
        painter.translate(x0, base + 105 - (kTabLength - cx) / 2);
        painter.rotate(-90);
    } else {
        painter.translate(x1, base + 25 + (kTabLength - cx) / 2);
        painter.rotate(90);
    }
    painter.drawText(QPoint(0, metrics.ascent()), name);
    painter.restore();
}

void AlbumPainter::DrawItem(QPainter& painter, Point book, int index, QRect box) const
{
    if (index < 0 || static_cast<size_t>(index) >= doc_->ItemCount())
        return;
    const AlbumItem& item = *doc_->Items()[static_cast<size_t>(index)];
    if (item.IsPhoto()) {
        DrawPhoto(painter, book, index, box);
        return;
    }
    const QFont font = QFontFromTextFont(item.font ? *item.font : doc_->Settings().fonts[kPhotosFont]);
    DrawPlainText(painter, box, AlbumText(item.text), font, ColorFromRef(item.textColor), kLeftWrapped);
}

const BookPictures& AlbumPainter::Art(const QPainter& painter) const
{
    return PicturesForScale(book_, DeviceScale(painter));
}

QImage AlbumPainter::PageUnder(const BookPictures& art, QRect viewRect, Point book, int page) const
{
    const bool right = IsRightPage(page);
    const Point at = right ? kRightPagePictureAt : kLeftPagePictureAt;
    const QPixmap& picture = right ? art.rightPage : art.leftPage;
    const qreal ratio = picture.devicePixelRatio();
    QImage square(viewRect.size() * ratio, QImage::Format_RGB32);
    square.setDevicePixelRatio(ratio);
    square.fill(Qt::black);
    QPainter copy(&square);
    DrawBookPicture(copy, QPoint(0, 0), picture, viewRect.translated(-(book.x + at.x), -(book.y + at.y)));
    return square;
}

namespace {

QSize DevicePixelsOf(const QPainter& painter, QRect rect)
{
    const QRectF device = painter.deviceTransform().mapRect(QRectF(rect));
    return {static_cast<int>(std::lround(device.width())), static_cast<int>(std::lround(device.height()))};
}

}  // namespace

const QImage* AlbumPainter::SharpPictureOf(const QPainter& painter, const AlbumItem& item, QRect photo) const
{
    if (!sharp_ || item.imagePath.empty())
        return nullptr;
    const QSize device = DevicePixelsOf(painter, photo);
    if (device.width() <= photo.width() && device.height() <= photo.height())
        return nullptr;  // the preview has every pixel the screen shows
    return sharp_->Get(item.imagePath, doc_->Path(), device);
}

void AlbumPainter::DrawPhoto(QPainter& painter, Point book, int index, QRect box) const
{
    const AlbumItem& item = *doc_->Items()[static_cast<size_t>(index)];
    const Picture& preview = item.preview.Image();
    if (!preview || !IsValidPicture(preview.Bytes()))
        return;
    const int width = item.preview.Width();
    const int height = item.preview.Height();
    const QRect photo(box.left() + (box.width() - width) / 2, box.top() + (box.height() - height) / 2,
                      width, height);
    const int L = photo.left(), T = photo.top();
    const int R = photo.left() + width, B = photo.top() + height;  // exclusive

    // Positioning corners: the page under the photo's four corners is
    // saved first and triangles of it are put back over the photo.
    const bool corners = doc_->Settings().frameStyle == FrameStyle::Corners;
    const QPoint squareAt[4] = {{L, T}, {R - kCornerSquare, T}, {L, B - kCornerSquare},
                                {R - kCornerSquare, B - kCornerSquare}};
    QImage saved[4];
    if (corners)
        for (int c = 0; c < 4; ++c)
            saved[c] = PageUnder(Art(painter), QRect(squareAt[c], QSize(kCornerSquare, kCornerSquare)), book,
                                 item.pageIndex);

    const QPixmap* fast = options_.fastBitmaps ? FastBitmapOf(item) : nullptr;
    if (const QImage* sharp = SharpPictureOf(painter, item, photo))
        painter.drawImage(QRectF(photo), *sharp);
    else if (fast)
        painter.drawPixmap(photo.topLeft(), *fast);
    else
        DrawDIB(painter, photo, preview, QRect(0, 0, width, height), nullptr);

    if (corners) {
        for (int i = 0; i < kCornerSquare; ++i) {
            const int wide = kCornerSquare - i, narrow = i + 1;
            DrawSaved(painter, QPoint(L, T + i), saved[0], QRect(0, i, wide, 1));
            DrawSaved(painter, QPoint(squareAt[1].x() + i, T + i), saved[1], QRect(i, i, wide, 1));
            DrawSaved(painter, QPoint(L, squareAt[2].y() + i), saved[2], QRect(0, i, narrow, 1));
            DrawSaved(painter, QPoint(R - narrow, squareAt[3].y() + i), saved[3],
                      QRect(kCornerSquare - narrow, i, narrow, 1));
        }
        const QColor black(Qt::black), grey(kFrameGrey);
        const QPoint lines[4][2] = {{{L - 2, T + 6}, {L + 7, T - 3}},
                                    {{R - 7, T - 2}, {R + 1, T + 6}},
                                    {{L - 2, B - 7}, {L + 6, B + 1}},
                                    {{R - 7, B + 1}, {R + 1, B - 7}}};
        for (const auto& line : lines)
            DiagonalLine(painter, line[0], line[1], black);
        Dot(painter, {L - 2, T + 6}, grey);
        Dot(painter, {L + 6, T - 2}, grey);
        for (int c = 1; c < 4; ++c) {
            Dot(painter, lines[c][0], grey);
            Dot(painter, lines[c][1], grey);
        }
    } else if (doc_->Settings().frameStyle == FrameStyle::Shadowed) {
        const QColor grey(kFrameGrey);
        Fill(painter, L + 3, B, R + 2, B + 2, grey);
        Fill(painter, R, T + 3, R + 2, B + 2, grey);
    }
}

QRect SelectionMarkRect(const AlbumDocument& doc, Point book, int item)
{
    if (item < 0 || static_cast<size_t>(item) >= doc.ItemCount())
        return {};
    const ItemRect& r = doc.Items()[static_cast<size_t>(item)]->displayRect;
    return ToQRect(Rect{r.left, r.top, r.right, r.bottom}.Offset(PageAreaOrigin(book)))
        .adjusted(-kMarkMargin, -kMarkMargin, kMarkMargin, kMarkMargin);
}

void AlbumPainter::DrawItemSelectionMark(QPainter& painter, Point book, int item, bool show) const
{
    if (!doc_ || item < 0 || static_cast<size_t>(item) >= doc_->ItemCount())
        return;
    const AlbumItem& object = *doc_->Items()[static_cast<size_t>(item)];
    const Rect art{object.displayRect.left, object.displayRect.top, object.displayRect.right,
                   object.displayRect.bottom};
    DrawSelectionMark(painter, ToQRect(art.Offset(PageAreaOrigin(book))), object.pageIndex, show,
                      ToQRect(art));
}

void AlbumPainter::DrawSelectionMark(QPainter& painter, QRect rect, int page, bool show,
                                     QRect artRect) const
{
    rect.adjust(-kMarkMargin, -kMarkMargin, kMarkMargin, kMarkMargin);
    artRect.adjust(-kMarkMargin, -kMarkMargin, kMarkMargin, kMarkMargin);
    if (show) {
        DottedFrame(painter, rect);
        DottedFrame(painter, rect.adjusted(1, 1, -1, -1));
        return;
    }
    // Put the page picture back under the two-pixel frame.
    const bool right = IsRightPage(page);
    const BookPictures& art = Art(painter);
    const QPixmap& picture = right ? art.rightPage : art.leftPage;
    const QRect source = right ? artRect.translated(-kRightPageShift, 0) : artRect;
    const int w = rect.width(), h = rect.height();
    const QRect strips[4] = {QRect(0, 0, w, 2), QRect(0, 0, 2, h), QRect(w - 2, 0, 2, h),
                             QRect(0, h - 2, w, 2)};
    for (const QRect& strip : strips)
        DrawBookPicture(painter, rect.topLeft() + strip.topLeft(), picture, strip.translated(source.topLeft()));
}

}  // namespace lumora
