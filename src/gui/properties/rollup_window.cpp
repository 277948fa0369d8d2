#include "gui/properties/rollup_window.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <QWindow>

#include "core/res/strings.h"
#include "gui/widgets/dialog_support.h"

namespace lumora {
namespace {

constexpr int kGlyph = 14;

QString Text(int id)
{
    return QString::fromStdString(LoadString(id));
}

}  // namespace

RollupTitleBar::RollupTitleBar(const QString& caption, QWidget* parent)
    : QWidget(parent), caption_(caption), glyphs_(":/artwork/titlebar.png")
{
    setFixedHeight(kHeight);
    setObjectName("titlebar");
}

void RollupTitleBar::SetRolled(bool rolled)
{
    rolled_ = rolled;
    update(width() - kGlyph, 0, kGlyph, kGlyph);
}

void RollupTitleBar::SetMenuPressed(bool pressed)
{
    menuPressed_ = pressed;
    update(0, 0, kGlyph, kGlyph);
}

void RollupTitleBar::SetActive(bool active)
{
    if (active_ == active)
        return;
    active_ = active;
    update();
}

void RollupTitleBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette& colours = palette();
    const QPalette::ColorGroup group = active_ ? QPalette::Active : QPalette::Inactive;
    painter.fillRect(rect(), colours.color(group, QPalette::Highlight));
    painter.setPen(colours.color(group, QPalette::HighlightedText));
    QFont font = SmallFont8();
    font.setPixelSize(9);
    painter.setFont(font);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, caption_);
    painter.drawPixmap(0, 0, glyphs_, menuPressed_ ? kGlyph : 0, 0, kGlyph, kGlyph);
    painter.drawPixmap(width() - kGlyph, 0, glyphs_, rolled_ ? 3 * kGlyph : 2 * kGlyph, 0, kGlyph, kGlyph);
    painter.setPen(colours.color(QPalette::Dark));
    painter.drawLine(0, height() - 1, width() - 1, height() - 1);
}

void RollupTitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int x = event->position().toPoint().x();
    if (x >= width() - kGlyph) {
        emit RollClicked();
    } else if (x < kGlyph) {
        emit MenuClicked();
    } else {
        // The window itself moves, with the platform's own move where there
        // is one (Wayland allows no other), else by following the pointer.
        if (window()->windowHandle() && window()->windowHandle()->startSystemMove())
            return;
        dragging_ = true;
        grab_ = event->globalPosition().toPoint() - window()->pos();
    }
}

void RollupTitleBar::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        window()->move(event->globalPosition().toPoint() - grab_);
}

void RollupTitleBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    dragging_ = false;
    window()->move(event->globalPosition().toPoint() - grab_);
}

void RollupTitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && event->position().toPoint().x() < kGlyph)
        emit CloseRequested();
}

RollupWindow::RollupWindow(const QString& caption, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint),
      titleBar_(new RollupTitleBar(caption, this)),
      layout_(new QVBoxLayout(this))
{
    setWindowTitle(caption);
    setAttribute(Qt::WA_ShowWithoutActivating);
    layout_->setContentsMargins(1, 1, 1, 1);
    layout_->setSpacing(0);
    layout_->addWidget(titleBar_);

    rollUp_ = menu_.addAction(Text(kStrRollUp), this, &RollupWindow::ToggleRoll);
    rollDown_ = menu_.addAction(Text(kStrRollDown), this, &RollupWindow::ToggleRoll);
    menu_.addSeparator();
    menu_.addAction(Text(kStrClose), this, &RollupWindow::Closed);

    connect(titleBar_, &RollupTitleBar::RollClicked, this, &RollupWindow::ToggleRoll);
    connect(titleBar_, &RollupTitleBar::MenuClicked, this, &RollupWindow::ShowTitleMenu);
    connect(titleBar_, &RollupTitleBar::CloseRequested, this, &RollupWindow::Closed);
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &RollupWindow::Step);
}

void RollupWindow::SetContent(QWidget* content)
{
    content_ = content;
    layout_->addWidget(content);
}

void RollupWindow::ShowTitleMenu()
{
    rollUp_->setEnabled(!rolled_);
    rollDown_->setEnabled(rolled_);
    titleBar_->SetMenuPressed(true);
    menu_.exec(mapToGlobal(QPoint(0, RollupTitleBar::kHeight + 1)));
    titleBar_->SetMenuPressed(false);
}

void RollupWindow::ToggleRoll()
{
    const int steps = AnimationSteps();
    const int rolledHeight = RollupTitleBar::kHeight + 2;
    if (!rolled_) {
        fullHeight_ = height();
        startHeight_ = fullHeight_;
        stepSize_ = -(fullHeight_ - rolledHeight) / steps;
        // The contents may not keep the window taller than its strip.
        if (content_)
            content_->hide();
    } else {
        startHeight_ = height();
        stepSize_ = (fullHeight_ - startHeight_) / steps;
    }
    setMinimumHeight(rolledHeight);
    setMaximumHeight(QWIDGETSIZE_MAX);
    rolled_ = !rolled_;
    titleBar_->SetRolled(rolled_);
    step_ = 0;
    timer_.start();
}

void RollupWindow::Step()
{
    ++step_;
    if (step_ < AnimationSteps()) {
        resize(width(), startHeight_ + step_ * stepSize_);
        return;
    }
    timer_.stop();
    if (rolled_) {
        setFixedHeight(RollupTitleBar::kHeight + 2);
    } else {
        setFixedHeight(fullHeight_);
        if (content_)
            content_->show();
    }
}

bool RollupWindow::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        titleBar_->SetActive(true);
    else if (event->type() == QEvent::WindowDeactivate)
        titleBar_->SetActive(false);
    return QWidget::event(event);
}

}  // namespace lumora
