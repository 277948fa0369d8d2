#include "gui/picture/picture_view.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTransform>
#include <algorithm>
#include <cstring>

#include "gui/platform/dib_painter.h"

namespace lumora {
namespace {

// The bottom band reaches further than the window, so that no line is left
// unpainted while the window grows.
constexpr int kBottomBandOverhang = 30;

class ScopedWaitCursor {
public:
    ScopedWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~ScopedWaitCursor() { QApplication::restoreOverrideCursor(); }
    ScopedWaitCursor(const ScopedWaitCursor&) = delete;
    ScopedWaitCursor& operator=(const ScopedWaitCursor&) = delete;
};

int Scaled(int value, int zoom) { return static_cast<int>(static_cast<int64_t>(value) * zoom / 100); }
int Unscaled(int value, int zoom) { return static_cast<int>(static_cast<int64_t>(value) * 100 / zoom); }

// The picture's rows where they lie in the document, bottom row first: no
// copy, so that a 4000 x 3000 photograph is on screen as soon as it is read
// (a fresh 36 MB copy costs several times the decoding). The rows are only
// ever read. Depths Qt has no format for (4 bits) are converted upright.
QImage WrapBottomUpRows(const Picture& dib, bool& bottomUp)
{
    bottomUp = false;
    if (!dib || !IsValidPicture(dib.Bytes()) || dib.HeaderSize() != kInfoHeaderSize)
        return DIBToQImage(dib);
    const PictureSpan block = dib.Span();
    const int bits = block.BitCount();
    const QImage::Format format = bits == 24  ? QImage::Format_BGR888
                                  : bits == 8 ? QImage::Format_Indexed8
                                  : bits == 1 ? QImage::Format_Mono
                                              : QImage::Format_Invalid;
    if (format == QImage::Format_Invalid)
        return DIBToQImage(dib);
    const int width = static_cast<int>(block.Width());
    const int height = static_cast<int>(block.Height());
    const auto stride = static_cast<qsizetype>(PictureRowBytes(static_cast<uint64_t>(width), static_cast<uint64_t>(bits)));
    QImage rows(const_cast<uchar*>(block.Pixels()), width, height, stride, format);
    if (bits != 24) {
        QList<QRgb> table(1 << bits, qRgb(0, 0, 0));
        const unsigned count = std::min<unsigned>(block.ColorCount(), static_cast<unsigned>(table.size()));
        for (unsigned i = 0; i < count; ++i) {
            const ColorTriple c = block.Color(i);
            table[static_cast<qsizetype>(i)] = qRgb(c.red, c.green, c.blue);
        }
        rows.setColorTable(table);
    }
    bottomUp = true;
    return rows;
}

}  // namespace

QPoint ZoomKeepingCentre(QPoint position, QSize client, QSize picture, int oldZoom, int newZoom)
{
    const int oldVisibleW = std::min(Unscaled(client.width(), oldZoom), picture.width());
    const int oldVisibleH = std::min(Unscaled(client.height(), oldZoom), picture.height());
    const int centreX = Unscaled(position.x(), oldZoom) + oldVisibleW / 2;
    const int centreY = Unscaled(position.y(), oldZoom) + oldVisibleH / 2;
    const int newVisibleW = std::min(Unscaled(client.width(), newZoom), picture.width());
    const int newVisibleH = std::min(Unscaled(client.height(), newZoom), picture.height());
    return {Scaled(std::max(0, centreX - newVisibleW / 2), newZoom),
            Scaled(std::max(0, centreY - newVisibleH / 2), newZoom)};
}

PictureView::PictureView(std::shared_ptr<PictureDocument> document, std::function<QColor()> background, QWidget* parent)
    : QAbstractScrollArea(parent), document_(std::move(document)), background_(std::move(background))
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setWindowTitle(QString::fromStdString(document_->Title()));
    // Converted once: painting then only scales what is visible.
    image_ = WrapBottomUpRows(DrawnDIB(), bottomUp_);
    UpdateScrollSizes();
}

const Picture& PictureView::DrawnDIB() const
{
    return document_->HasDisplayCopy() ? document_->DisplayCopy() : document_->Image().Image();
}

int PictureView::FittedPercent() const
{
    const QSize client = viewport()->size();
    const int width = document_->Width(), height = document_->Height();
    if (width <= 0 || height <= 0 || client.isEmpty() || (width <= client.width() && height <= client.height()))
        return 100;
    const int64_t across = int64_t{client.width()} * 100 / width;
    const int64_t down = int64_t{client.height()} * 100 / height;
    return static_cast<int>(std::max<int64_t>(1, std::min(across, down)));
}

int PictureView::ZoomPercent() const
{
    return fitted_ ? FittedPercent() : kZoomSteps[zoomIndex_];
}

QSize PictureView::ScrollSize() const
{
    return {Scaled(document_->Width(), ZoomPercent()), Scaled(document_->Height(), ZoomPercent())};
}

QPoint PictureView::ScrollPosition() const
{
    return {horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void PictureView::ScrollTo(QPoint position)
{
    horizontalScrollBar()->setValue(position.x());
    verticalScrollBar()->setValue(position.y());
}

void PictureView::UpdateScrollSizes()
{
    const QSize total = ScrollSize();
    const QSize client = viewport()->size();
    // The usual steps of a scrolled view: a tenth of the area per page, a
    // tenth of that per line.
    auto setUp = [](QScrollBar* bar, int size, int visible) {
        bar->setRange(0, std::max(0, size - visible));
        bar->setPageStep(std::max(1, size / 10));
        bar->setSingleStep(std::max(1, size / 100));
    };
    setUp(horizontalScrollBar(), total.width(), client.width());
    setUp(verticalScrollBar(), total.height(), client.height());
}

void PictureView::SetZoom(bool fitted, int index)
{
    const int before = ZoomPercent();
    fitted_ = fitted;
    zoomIndex_ = std::clamp(index, 0, kLastZoomIndex);
    const QPoint target = ZoomKeepingCentre(ScrollPosition(), viewport()->size(),
                                            {document_->Width(), document_->Height()}, before, ZoomPercent());
    UpdateScrollSizes();
    ScrollTo(target);
    viewport()->update();
    emit ZoomChanged();
}

void PictureView::ZoomIn()
{
    const int now = ZoomPercent();
    for (int i = 0; i <= kLastZoomIndex; ++i)
        if (kZoomSteps[i] > now) {
            SetZoom(false, i);
            return;
        }
}

void PictureView::ZoomOut()
{
    const int now = ZoomPercent();
    for (int i = kLastZoomIndex; i >= 0; --i)
        if (kZoomSteps[i] < now) {
            SetZoom(false, i);
            return;
        }
}

void PictureView::ZoomToFit()
{
    if (!fitted_)
        SetZoom(true, zoomIndex_);
}

void PictureView::ZoomToStep(int index)
{
    SetZoom(false, index);
}

QRect PictureView::PictureRect() const
{
    const QSize zoomed = ScrollSize();
    const QSize client = viewport()->size();
    const int x = std::max(0, (client.width() - zoomed.width()) / 2);
    const int y = std::max(0, (client.height() - zoomed.height()) / 2);
    return {QPoint(x, y) - ScrollPosition(), zoomed};
}

void PictureView::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    const QRect picture = PictureRect();
    const QRect client = viewport()->rect();
    const QColor colour = background_ ? background_() : QColor(Qt::darkGray);

    // Four bands around the picture: left, top, right, bottom.
    painter.fillRect(QRect(0, 0, picture.left(), client.height()), colour);
    painter.fillRect(QRect(0, 0, client.width(), picture.top()), colour);
    painter.fillRect(QRect(picture.right() + 1, 0, client.width() - picture.right() - 1, client.height()), colour);
    painter.fillRect(QRect(0, picture.bottom() + 1, client.width(),
                           client.height() - picture.bottom() - 1 + kBottomBandOverhang),
                     colour);

    const QRect exposed = event->rect() & picture;
    if (exposed.isEmpty() || image_.isNull())
        return;
    // Only the picture's part under the exposed area is scaled: a 600 %
    // view repaints a few hundred source pixels, not the whole picture.
    const int zoom = ZoomPercent();
    const QPoint inPicture = exposed.topLeft() - picture.topLeft();
    const int left = Unscaled(inPicture.x(), zoom);
    const int top = Unscaled(inPicture.y(), zoom);
    const int right = std::min(image_.width(), Unscaled(inPicture.x() + exposed.width(), zoom) + 1);
    const int bottom = std::min(image_.height(), Unscaled(inPicture.y() + exposed.height(), zoom) + 1);
    const QRect source(left, top, right - left, bottom - top);
    const QRectF target(picture.left() + left * zoom / 100.0, picture.top() + top * zoom / 100.0,
                        source.width() * zoom / 100.0, source.height() * zoom / 100.0);
    painter.setClipRect(exposed);
    // Reduced pictures are smoothed; enlarged ones show their pixels, as
    // a viewer's zoom does. On a screen of ratio 2 a reduced picture is
    // drawn from its own pixels at the screen's resolution.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, zoom < 100);
    if (!bottomUp_) {
        painter.drawImage(target, image_, source);
        return;
    }
    // Bottom-up rows: take the mirrored source rows and flip them back onto
    // the same target rectangle.
    const QRect rows(source.left(), image_.height() - source.bottom() - 1, source.width(), source.height());
    painter.setTransform(QTransform(1, 0, 0, -1, 0, 2 * target.top() + target.height()));
    painter.drawImage(target, image_, rows);
}

QImage PictureView::Image() const
{
    return bottomUp_ ? image_.mirrored(false, true) : image_;
}

QImage PictureView::Render()
{
    QImage image(viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    viewport()->render(&image);
    return image;
}

void PictureView::resizeEvent(QResizeEvent* event)
{
    const int before = ZoomPercent();
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollSizes();
    // A fitted picture follows the window; the status shows the new zoom.
    if (ZoomPercent() != before)
        emit ZoomChanged();
}

void PictureView::scrollContentsBy(int dx, int dy)
{
    // Pixels already on screen move; only the uncovered strip is painted.
    viewport()->scroll(dx, dy);
}

void PictureView::keyPressEvent(QKeyEvent* event)
{
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Space: CloseWindow(); return;
    case Qt::Key_PageUp: v->setValue(v->value() - kPageScroll); return;
    case Qt::Key_PageDown: v->setValue(v->value() + kPageScroll); return;
    case Qt::Key_Left: h->setValue(h->value() - kLineScroll); return;
    case Qt::Key_Right: h->setValue(h->value() + kLineScroll); return;
    case Qt::Key_Up: v->setValue(v->value() - kLineScroll); return;
    case Qt::Key_Down: v->setValue(v->value() + kLineScroll); return;
    default: QAbstractScrollArea::keyPressEvent(event);
    }
}

void PictureView::mouseDoubleClickEvent(QMouseEvent* event)
{
    CloseWindow();
    QAbstractScrollArea::mouseDoubleClickEvent(event);
}

void PictureView::CloseWindow()
{
    // Posted: the window must not go away inside its own event handler.
    QWidget* window = parentWidget() ? qobject_cast<QMdiSubWindow*>(parentWidget()) : nullptr;
    QWidget* target = window ? window : this;
    QMetaObject::invokeMethod(target, &QWidget::close, Qt::QueuedConnection);
}

QString PictureView::StatusText() const
{
    return QString::fromStdString(document_->StatusText(ZoomPercent()));
}

void PictureView::CopyToClipboard() const
{
    if (!CanCopy())
        return;
    QClipboard* clipboard = QApplication::clipboard();
    if (!clipboard)
        return;
    ScopedWaitCursor wait;
    // The image carries its colour table: paletted pictures (and the display
    // copy on the application palette) bring their palette along.
    clipboard->setImage(Image());
}

}  // namespace lumora
