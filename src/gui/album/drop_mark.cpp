#include "gui/album/drop_mark.h"

#include <QPainter>

#include <algorithm>

#include "gui/album/album_view.h"

namespace lumora {
namespace {

const QColor kMarkColor(0, 0, 160);
constexpr int kFrameWidth = 3;  // book pixels, like the bar

}  // namespace

DropMark::DropMark(AlbumView& view) : QWidget(view.viewport()), view_(view)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    hide();
}

void DropMark::ShowBar(const Rect& mark) { ShowAt(mark, false); }

void DropMark::ShowFrame(const Rect& photo)
{
    ShowAt({photo.left - kFrameWidth, photo.top - kFrameWidth, photo.right + kFrameWidth, photo.bottom + kFrameWidth},
           true);
}

void DropMark::ShowAt(const Rect& mark, bool frame)
{
    const Rect covering = view_.Transform().CoveringWindowRect(mark);
    const QRect inWindow(QPoint(covering.left, covering.top), QPoint(covering.right - 1, covering.bottom - 1));
    if (isVisible() && inWindow == mark_ && frame == frame_)
        return;
    setGeometry(parentWidget()->rect());
    mark_ = inWindow;
    frame_ = frame;
    show();
    raise();
    update();
}

void DropMark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!frame_) {
        painter.fillRect(mark_, kMarkColor);
        return;
    }
    // As thick as the bar at the zoom shown.
    const double zoom = view_.Transform().Zoom();
    const int width = std::max(1, static_cast<int>(kFrameWidth * zoom + 0.5));
    QRect inner = mark_.adjusted(width, width, -width, -width);
    painter.fillRect(QRect(mark_.left(), mark_.top(), mark_.width(), width), kMarkColor);
    painter.fillRect(QRect(mark_.left(), inner.bottom() + 1, mark_.width(), width), kMarkColor);
    painter.fillRect(QRect(mark_.left(), inner.top(), width, inner.height()), kMarkColor);
    painter.fillRect(QRect(inner.right() + 1, inner.top(), width, inner.height()), kMarkColor);
}

}  // namespace lumora
