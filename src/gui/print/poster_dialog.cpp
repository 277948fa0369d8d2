#include "gui/print/poster_dialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "core/print/poster_tiling.h"
#include "core/res/strings.h"
#include "gui/platform/commands.h"
#include "gui/widgets/dialog_support.h"
#include "gui/platform/program_art.h"
#include "gui/widgets/widget_names.h"

namespace lumora {

int& PosterWidthCm()
{
    static int width = kPosterWidthAtStart;
    return width;
}

PosterDialog::PosterDialog(int widthCm, int pictureWidth, int pictureHeight, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Impression d'un poster"));
    w0_ = widthCm;
    // A panorama's height may round to nothing: proposed as 1 cm, so that
    // the proportion can still be worked back from it.
    h0_ = std::max(1, PosterHeightFor(widthCm, pictureWidth, pictureHeight));
    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName(widget_name::kPosterPicture);
    picture->setPixmap(CommandIcon(kCmdPrintPoster).pixmap(32, 32));
    top->addWidget(picture, 0, Qt::AlignTop);
    auto* grid = new QGridLayout;
    auto addRow = [&](int row, const QString& label, const QString& name, int value) {
        auto* text = new QLabel(label, this);
        auto* edit = new QLineEdit(QString::number(value), this);
        edit->setObjectName(name);
        edit->setMaximumWidth(60);
        edit->installEventFilter(this);
        text->setBuddy(edit);
        grid->addWidget(text, row, 0);
        grid->addWidget(edit, row, 1);
        grid->addWidget(new QLabel(QStringLiteral("cm"), this), row, 2);
        return edit;
    };
    widthEdit_ = addRow(0, QStringLiteral("&Largeur :"), widget_name::kPosterWidthEdit, w0_);
    heightEdit_ = addRow(1, QStringLiteral("&Hauteur :"), widget_name::kPosterHeightEdit, h0_);
    top->addLayout(grid, 1);
    column->addLayout(top);

    auto* buttons = OkCancelButtons(this);
    column->addWidget(buttons);
    PrepareDialog(*this, parent);
}

bool PosterDialog::eventFilter(QObject* watched, QEvent* event)
{
    const bool width = watched == widthEdit_, height = watched == heightEdit_;
    if (width || height) {
        if (event->type() == QEvent::FocusIn)
            lastFocused_ = width ? Edit::Width : Edit::Height;
        else if (event->type() == QEvent::FocusOut)
            width ? WidthLeft() : HeightLeft();
    }
    return QDialog::eventFilter(watched, event);
}

void PosterDialog::WidthLeft()
{
    bool isNumber = false;
    const int width = widthEdit_->text().trimmed().toInt(&isNumber);
    if (!isNumber)
        return;  // the range check on OK tells the user
    heightEdit_->setText(QString::number(PosterHeightFor(width, w0_, h0_)));
    heightEdit_->selectAll();
}

void PosterDialog::HeightLeft()
{
    bool isNumber = false;
    const int height = heightEdit_->text().trimmed().toInt(&isNumber);
    if (!isNumber)
        return;
    const int width = PosterWidthFor(height, w0_, h0_);
    if (QString::number(width) != widthEdit_->text().trimmed()) {
        widthEdit_->setText(QString::number(width));
        widthEdit_->selectAll();
    }
}

bool PosterDialog::Validate(QLineEdit* edit, int& value)
{
    bool isNumber = false;
    const long long typed = edit->text().trimmed().toLongLong(&isNumber);
    QString refusal;
    if (!isNumber)
        refusal = QString::fromStdString(LoadString(kStrEnterInteger));
    else if (typed < kPosterSmallestCm || typed > kPosterLargestCm)
        refusal = QString::fromStdString(LoadString(kStrEnterIntegerInRange))
                      .arg(kPosterSmallestCm)
                      .arg(kPosterLargestCm);
    if (!refusal.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Lumora"), refusal);
        edit->setFocus();
        edit->selectAll();
        return false;
    }
    value = static_cast<int>(typed);
    return true;
}

void PosterDialog::accept()
{
    // The edit being typed in has not lost its focus yet.
    if (lastFocused_ == Edit::Width)
        WidthLeft();
    else if (lastFocused_ == Edit::Height)
        HeightLeft();
    if (!Validate(widthEdit_, width_) || !Validate(heightEdit_, height_))
        return;
    QDialog::accept();
}

}  // namespace lumora
