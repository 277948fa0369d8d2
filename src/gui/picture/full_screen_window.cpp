#include "gui/picture/full_screen_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "core/formats/screen_picture.h"

namespace lumora {
namespace {

int g_shownCount = 0;

}  // namespace

FullScreenWindow& FullScreenWindow::Of(QWidget& owner)
{
    if (auto* existing = owner.findChild<FullScreenWindow*>(QString(), Qt::FindDirectChildrenOnly))
        return *existing;
    return *new FullScreenWindow(&owner);
}

bool FullScreenWindow::IsActive() { return g_shownCount > 0; }

FullScreenWindow::FullScreenWindow(QWidget* owner) : QWidget(owner, Qt::Window | Qt::FramelessWindowHint)
{
    setObjectName("fullScreenWindow");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setFocusPolicy(Qt::StrongFocus);
}

FullScreenWindow::~FullScreenWindow() { ClosePicture(); }

double FullScreenScale(QSize picture, QSize screen, bool realSize, double windowZoom)
{
    if (windowZoom > 0)
        return windowZoom;
    if (realSize || picture.isEmpty() || screen.isEmpty())
        return 1.0;
    int width = picture.width(), height = picture.height();
    FitWithin(screen.width(), screen.height(), width, height);
    return std::min(double(width) / picture.width(), double(height) / picture.height());
}

void FullScreenWindow::ShowPicture(const QImage& picture, double scale)
{
    scroll_ = {};
    const QWidget* owner = parentWidget();
    QScreen* screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen();
    if (screen)
        setGeometry(screen->geometry());
    scale_ = scale > 0 ? scale : 1.0;
    picture_ = picture;
    if (scale_ < 1 && !picture.isNull()) {
        // Reduced once, to the device pixels it will cover.
        const double ratio = screen ? screen->devicePixelRatio() : 1.0;
        const QSize device(std::max(1, static_cast<int>(std::lround(picture.width() * scale_ * ratio))),
                           std::max(1, static_cast<int>(std::lround(picture.height() * scale_ * ratio))));
        picture_ = picture.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        picture_.setDevicePixelRatio(ratio);
        scale_ = 1.0;
    }
    if (!shown_) {
        shown_ = true;
        ++g_shownCount;
        qApp->installEventFilter(this);
    }
    show();
    raise();
    activateWindow();
    setFocus();
    update();
}

void FullScreenWindow::ClosePicture()
{
    if (shown_) {
        shown_ = false;
        --g_shownCount;
        if (qApp)
            qApp->removeEventFilter(this);
        hide();
    }
    picture_ = QImage();  // the picture belongs to its window, not to us
}

QSize FullScreenWindow::ShownSize() const
{
    const QSizeF size = picture_.deviceIndependentSize() * scale_;
    return {static_cast<int>(std::lround(size.width())), static_cast<int>(std::lround(size.height()))};
}

QPoint FullScreenWindow::ClampedScroll() const
{
    const QSize shown = ShownSize();
    const int maxX = std::max(0, shown.width() - width());
    const int maxY = std::max(0, shown.height() - height());
    return {std::clamp(scroll_.x(), 0, maxX), std::clamp(scroll_.y(), 0, maxY)};
}

QPoint FullScreenWindow::PictureOrigin() const
{
    const QSize shown = ShownSize();
    return {std::max(0, (width() - shown.width()) / 2), std::max(0, (height() - shown.height()) / 2)};
}

void FullScreenWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (picture_.isNull())
        return;
    const QPoint origin = PictureOrigin();
    const QPoint scroll = ClampedScroll();
    if (scale_ == 1.0 && picture_.devicePixelRatio() == 1.0) {
        const QSize visible(std::min(picture_.width() - scroll.x(), width() - origin.x()),
                            std::min(picture_.height() - scroll.y(), height() - origin.y()));
        painter.drawImage(origin, picture_, QRect(scroll, visible));
        return;
    }
    // Enlarged as its window showed it (its pixels, not smoothed), or a
    // reduced copy at the device pixel ratio: only the visible part is drawn.
    painter.setClipRect(rect());
    painter.drawImage(QRectF(QPointF(origin - scroll), QSizeF(ShownSize())), picture_);
}

void FullScreenWindow::ScrollBy(int dx, int dy)
{
    // Kept within the picture, so that scrolling back moves at once even
    // after many presses past an edge.
    scroll_ = ClampedScroll() + QPoint(dx, dy);
    scroll_ = ClampedScroll();
    update();
}

void FullScreenWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageUp: ScrollBy(0, -kPageScroll); return;
    case Qt::Key_PageDown: ScrollBy(0, kPageScroll); return;
    case Qt::Key_Left: ScrollBy(-kLineScroll, 0); return;
    case Qt::Key_Right: ScrollBy(kLineScroll, 0); return;
    case Qt::Key_Up: ScrollBy(0, -kLineScroll); return;
    case Qt::Key_Down: ScrollBy(0, kLineScroll); return;
    default: ClosePicture();
    }
}

void FullScreenWindow::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)
        ClosePicture();
}

void FullScreenWindow::mouseDoubleClickEvent(QMouseEvent*) { ClosePicture(); }

bool FullScreenWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
        // Keys reach this window only; the program's accelerators and other
        // windows do not see them while the picture covers the screen.
        if (watched == this || watched == windowHandle())
            return false;
        if (event->type() == QEvent::ShortcutOverride)
            event->accept();  // no accelerator fires either
        return true;
    default: return false;
    }
}

}  // namespace lumora
