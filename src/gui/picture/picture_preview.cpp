#include "gui/picture/picture_preview.h"

#include <QApplication>
#include <QCheckBox>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

#include "core/platform/services.h"
#include "gui/platform/dib_painter.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

constexpr int kTickMs = 200;
constexpr int kPictureInset = 3;

}  // namespace

void PreviewSettle::Selected(long long nowMs)
{
    // The first selection is taken as long rested: its preview comes at once.
    requestMs_ = state_ == State::Idle ? nowMs - 1000 : nowMs;
    state_ = State::Pending;
}

bool PreviewSettle::Tick(long long nowMs)
{
    if (state_ != State::Pending || nowMs - requestMs_ <= kSettleMs)
        return false;
    state_ = State::Loaded;
    return true;
}

PreviewBox::PreviewBox(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(100, 80);
}

void PreviewBox::SetPicture(Dib picture)
{
    picture_ = std::move(picture);
    update();
}

void PreviewBox::ClearPicture()
{
    picture_ = Dib();
    update();
}

void PreviewBox::SetPictureShown(bool shown)
{
    shown_ = shown;
    update();
}

void PreviewBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect box = rect();
    painter.fillRect(box, QColor(0xC0, 0xC0, 0xC0));
    // Raised: light on the top and left edges, dark on the bottom and right.
    painter.setPen(Qt::white);
    painter.drawLine(box.topLeft(), box.topRight());
    painter.drawLine(box.topLeft(), box.bottomLeft());
    painter.setPen(Qt::black);
    painter.drawLine(box.bottomLeft(), box.bottomRight());
    painter.drawLine(box.topRight(), box.bottomRight());
    if (shown_ && !picture_.IsEmpty())
        DrawFitted(picture_, painter, kPictureInset, kPictureInset, box.width() - 2 * kPictureInset,
                   box.height() - 2 * kPictureInset);
}

Dib ReadPreviewPicture(const QString& path)
{
    ReadOptions options = ReadOptionsFromPreferences(CurrentPreferences());
    options.photoCDSize = 0;  // the smallest Photo CD resolution is plenty
    Dib picture;
    picture.Load(path.toStdString(), options);
    return picture;
}

PicturePreviewPanel::PicturePreviewPanel(bool& showPreview, QWidget* parent)
    : QWidget(parent), showApercu_(showPreview)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    box_ = new PreviewBox(this);
    box_->setObjectName(widget_name::kPreviewBox);
    box_->SetPictureShown(showApercu_);
    layout->addWidget(box_, 1);
    check_ = new QCheckBox("&Afficher l'aperçu", this);
    check_->setObjectName(widget_name::kPreviewCheck);
    check_->setChecked(showApercu_);
    layout->addWidget(check_);
    connect(check_, &QCheckBox::toggled, this, &PicturePreviewPanel::ShowToggled);

    elapsed_.start();
    clock_ = [this] { return elapsed_.elapsed(); };
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &PicturePreviewPanel::Tick);
    timer_->start(kTickMs);
}

void PicturePreviewPanel::SelectionChanged(const QString& path)
{
    selected_ = path;
    settle_.Selected(clock_());
}

void PicturePreviewPanel::Tick()
{
    if (settle_.Tick(clock_()))
        LoadPreview();
}

void PicturePreviewPanel::LoadPreview()
{
    if (!check_->isChecked())
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    box_->SetPicture(ReadPreviewPicture(selected_));
    QApplication::restoreOverrideCursor();
}

void PicturePreviewPanel::ShowToggled(bool on)
{
    showApercu_ = on;
    box_->SetPictureShown(on);
    if (on)
        LoadPreview();
}

}  // namespace lumora
