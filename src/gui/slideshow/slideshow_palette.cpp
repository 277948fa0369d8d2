#include "gui/slideshow/slideshow_palette.h"

#include <QMouseEvent>
#include <QPainter>

#include "core/res/strings.h"
#include "gui/widgets/dialog_support.h"

namespace lumora {
namespace {

constexpr int kColumns = 5;

}  // namespace

SlideshowPalette::SlideshowPalette(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus),
      buttons_(":/artwork/slideshow_bar.png"), sharpButtons_(":/artwork/slideshow_bar@2x.png")
{
    sharpButtons_.setDevicePixelRatio(2);
    setObjectName("slideshowPalette");
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setWindowTitle(QString::fromStdString(LoadString(kStrSlideshow)));
    setFixedSize(SizeFor(kButtonCount, kColumns));
}

QSize SlideshowPalette::SizeFor(int buttons, int columns)
{
    const int rows = (buttons + columns - 1) / columns;
    const int width = (kButtonWidth - 1) * columns + kRightBorder + kLeftBorder + 1;
    const int height = kTopBorder + kBottomBorder + rows * (kButtonHeight - 1) + 1 + 1;
    return {width, height};
}

QRect SlideshowPalette::ButtonRect(int index) const
{
    // Neighbouring buttons share their edge column and row.
    const int column = index % kColumns;
    const int row = index / kColumns;
    return {kLeftBorder + column * (kButtonWidth - 1), kTopBorder + row * (kButtonHeight - 1), kButtonWidth,
            kButtonHeight};
}

QRect SlideshowPalette::CloseBox() const { return {width() - 18, 5, kCloseBoxSize, kCloseBoxSize}; }

void SlideshowPalette::SetButtonEnabled(Button button, bool enabled)
{
    if (enabled_[button] == enabled)
        return;
    enabled_[button] = enabled;
    update();
}

int SlideshowPalette::ButtonAt(QPoint point) const
{
    for (int i = 0; i < kButtonCount; ++i)
        if (ButtonRect(i).contains(point))
            return i;
    return -1;
}

void SlideshowPalette::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, QColor(192, 192, 192));
    // Two raised frames.
    const int right = r.width() - 1, bottom = r.height() - 1;
    p.setPen(QColor(192, 192, 192));
    p.drawLine(0, 0, right, 0);
    p.drawLine(0, 0, 0, bottom);
    p.setPen(Qt::black);
    p.drawLine(0, bottom, right, bottom);
    p.drawLine(right, 0, right, bottom);
    p.setPen(Qt::white);
    p.drawLine(1, 1, right - 1, 1);
    p.drawLine(1, 1, 1, bottom - 1);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(1, bottom - 1, right - 1, bottom - 1);
    p.drawLine(right - 1, 1, right - 1, bottom - 1);
    // The caption strip, its close box and title.
    const QRect strip(4, 4, r.width() - 8, 19 - 4);
    p.fillRect(strip, palette().color(QPalette::Active, QPalette::Highlight));
    const QRect close = CloseBox();
    p.fillRect(close, QColor(192, 192, 192));
    p.setPen(Qt::white);
    p.drawLine(close.topLeft(), close.topRight());
    p.drawLine(close.topLeft(), close.bottomLeft());
    p.setPen(Qt::black);
    p.drawLine(close.bottomLeft(), close.bottomRight());
    p.drawLine(close.topRight(), close.bottomRight());
    p.drawLine(close.left() + 3, close.top() + 3, close.right() - 3, close.bottom() - 3);
    p.drawLine(close.left() + 3, close.bottom() - 3, close.right() - 3, close.top() + 3);
    QFont font("Arial");
    font.setPixelSize(11);
    p.setFont(font);
    p.setPen(palette().color(QPalette::Active, QPalette::HighlightedText));
    p.drawText(QRect(strip.left() + 4, strip.top(), strip.width() - 24, strip.height()),
               Qt::AlignLeft | Qt::AlignVCenter, windowTitle());
    // The buttons: a picture each, sunken while pressed, greyed when off.
    for (int i = 0; i < kButtonCount; ++i) {
        const QRect button = ButtonRect(i);
        const bool down = i == pressed_;
        p.fillRect(button, QColor(192, 192, 192));
        p.setPen(down ? Qt::black : Qt::white);
        p.drawLine(button.topLeft(), button.topRight());
        p.drawLine(button.topLeft(), button.bottomLeft());
        p.setPen(down ? Qt::white : QColor(128, 128, 128));
        p.drawLine(button.bottomLeft(), button.bottomRight());
        p.drawLine(button.topRight(), button.bottomRight());
        p.setOpacity(enabled_[i] ? 1.0 : 0.35);
        const QPoint glyph((kButtonWidth - kGlyphWidth) / 2, (kButtonHeight - kGlyphHeight) / 2);
        PaintGlyph(p, i, button.topLeft() + glyph + QPoint(down ? 1 : 0, down ? 1 : 0));
        p.setOpacity(1.0);
    }
}

void SlideshowPalette::PaintGlyph(QPainter& painter, int index, QPoint topLeft) const
{
    // On a screen of device ratio 2 the pictures drawn at twice the pixels
    // stay sharp where the small ones would be doubled. (Painting redirected
    // into a picture, the device is the widget: the transform tells.)
    const bool enlarged = painter.device()->devicePixelRatioF() > 1 || painter.deviceTransform().m11() > 1;
    const bool sharp = enlarged && !sharpButtons_.isNull();
    const QPixmap& art = sharp ? sharpButtons_ : buttons_;
    if (art.isNull())
        return;
    const int scale = sharp ? 2 : 1;
    painter.drawPixmap(QRect(topLeft, QSize(kGlyphWidth, kGlyphHeight)), art,
                       QRect(index * kGlyphWidth * scale, 0, kGlyphWidth * scale, kGlyphHeight * scale));
}

void SlideshowPalette::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (at.y() > kTopBorder) {
        const int button = ButtonAt(at);
        if (button >= 0 && enabled_[button]) {
            pressed_ = button;
            update();
        }
        return;
    }
    if (CloseBox().contains(at)) {
        hide();
        emit Hidden();
        return;
    }
    dragging_ = true;
    dragStart_ = at;
}

void SlideshowPalette::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        move(event->globalPosition().toPoint() - dragStart_);
}

void SlideshowPalette::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragging_) {
        dragging_ = false;
        move(event->globalPosition().toPoint() - dragStart_);
        return;
    }
    const int pressed = pressed_;
    pressed_ = -1;
    update();
    if (pressed >= 0 && ButtonAt(event->position().toPoint()) == pressed && enabled_[pressed])
        emit Clicked(pressed);
}

}  // namespace lumora
