#include "gui/widgets/progress_gauge.h"

#include <QPainter>

namespace lumora {
namespace {

// Until the program's own cell picture is installed: a raised blue block
// and an empty sunken one.
QPixmap DefaultCells()
{
    QPixmap cells(2 * ProgressGauge::kCellWidth, ProgressGauge::kCellHeight);
    cells.fill(Qt::transparent);
    QPainter p(&cells);
    p.fillRect(0, 0, 9, 9, QColor(0, 0, 128));
    p.fillRect(1, 1, 7, 4, QColor(64, 96, 200));
    p.fillRect(10, 0, 9, 9, QColor(192, 192, 192));
    p.setPen(QColor(128, 128, 128));
    p.drawRect(10, 0, 8, 8);
    return cells;
}

}  // namespace

ProgressGauge::ProgressGauge(QWidget* parent) : QWidget(parent), cells_(DefaultCells())
{
    setFixedSize(kPaneWidth, kCellHeight + 6);
}

int ProgressGauge::BlocksFor(unsigned current, unsigned total)
{
    if (total == 0)
        return 0;
    return static_cast<int>(static_cast<uint64_t>(current) * kBlocks / total);
}

void ProgressGauge::Begin()
{
    running_ = true;
    filled_ = 0;
    Redraw();
}

void ProgressGauge::SetProgress(unsigned current, unsigned total)
{
    const int blocks = std::min(BlocksFor(current, total), kBlocks);
    if (blocks == filled_)
        return;
    filled_ = blocks;
    Redraw();
}

void ProgressGauge::End()
{
    running_ = false;
    filled_ = 0;
    Redraw();
}

void ProgressGauge::Redraw()
{
    ++repaints_;
    repaint();  // on screen before the long operation blocks the event loop
}

void ProgressGauge::SetText(const QString& text)
{
    text_ = text;
    if (!running_)
        update();
}

void ProgressGauge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!running_) {
        painter.drawText(rect().adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, text_);
        return;
    }
    for (int i = 0; i < kBlocks; ++i) {
        const int cellX = i < filled_ ? 0 : kCellWidth;
        painter.drawPixmap(4 + kCellWidth * i, 3, cells_, cellX, 0, kCellWidth, kCellHeight);
    }
}

}  // namespace lumora
