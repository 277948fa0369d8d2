#include "gui/platform/screen_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace lumora {

QRect FitInside(const QRect& window, const QRect& available)
{
    if (available.isEmpty())
        return window;
    const int width = std::min(window.width(), available.width());
    const int height = std::min(window.height(), available.height());
    const int left = std::clamp(window.left(), available.left(), available.left() + available.width() - width);
    const int top = std::clamp(window.top(), available.top(), available.top() + available.height() - height);
    return {left, top, width, height};
}

QRect AvailableGeometryFor(const QRect& window)
{
    const QScreen* screen = QGuiApplication::screenAt(window.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

void KeepOnScreen(QWidget& widget)
{
    if (widget.isMaximized() || widget.isFullScreen())
        return;
    // The frame (title bar, borders) must fit too; the widget's own
    // geometry is that of its inside.
    const QRect frame = widget.frameGeometry();
    const QRect fitted = FitInside(frame, AvailableGeometryFor(frame));
    if (fitted == frame)
        return;
    const QSize decoration = frame.size() - widget.geometry().size();
    widget.resize(fitted.size() - decoration);
    widget.move(fitted.topLeft());  // move() places the frame's corner
}

}  // namespace lumora
