#include "gui/slideshow/slideshow_options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/res/strings.h"
#include "gui/widgets/dialog_buttons.h"
#include "gui/widgets/dialog_support.h"
#include "gui/platform/program_art.h"
#include "gui/platform/commands.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

constexpr int kLowestPause = 1;
constexpr int kHighestPause = 500;

}  // namespace

SlideshowOptionsDialog::SlideshowOptionsDialog(const Preferences& prefs, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QString::fromStdString(LoadString(kStrSlideshow)));
    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName(widget_name::kSlideshowPicture);
    picture->setPixmap(CommandIcon(kCmdSlideshow).pixmap(32, 32));
    top->addWidget(picture, 0, Qt::AlignTop);
    auto* modes = new QVBoxLayout;
    manual_ = new QRadioButton("Diaporama &manuel", this);
    manual_->setObjectName(widget_name::kManualRadio);
    automatic_ = new QRadioButton("Diaporama &automatique", this);
    automatic_->setObjectName(widget_name::kAutomaticRadio);
    modes->addWidget(manual_);
    modes->addWidget(automatic_);
    top->addLayout(modes, 1);
    column->addLayout(top);

    auto* grid = new QGridLayout;
    grid->setContentsMargins(20, 0, 0, 0);
    pauseLabel_ = new QLabel("&Pause entre deux photos :", this);
    pauseLabel_->setObjectName(widget_name::kPauseLabel);
    pauseEdit_ = new QLineEdit(QString::number(prefs.slideshowPause), this);
    pauseEdit_->setObjectName(widget_name::kPauseEdit);
    pauseEdit_->setMaximumWidth(50);
    pauseLabel_->setBuddy(pauseEdit_);
    secondsLabel_ = new QLabel("secondes", this);
    secondsLabel_->setObjectName(widget_name::kSecondsLabel);
    grid->addWidget(pauseLabel_, 0, 0);
    grid->addWidget(pauseEdit_, 0, 1);
    grid->addWidget(secondsLabel_, 0, 2);
    loop_ = new QCheckBox("&Recommencer après la dernière photo", this);
    loop_->setObjectName(widget_name::kLoopCheck);
    grid->addWidget(loop_, 1, 0, 1, 3);
    wait_ = new QCheckBox(" &Attendre la fin de la séquence sonore pour ", this);
    wait_->setObjectName(widget_name::kWaitForSoundCheck);
    grid->addWidget(wait_, 2, 0, 1, 3);
    waitContinued_ = new QLabel("passer à la photo suivante.", this);
    waitContinued_->setObjectName(widget_name::kWaitForSoundLabel);
    waitContinued_->setContentsMargins(22, 0, 0, 0);
    grid->addWidget(waitContinued_, 3, 0, 1, 3);
    column->addLayout(grid);

    realSize_ = new QCheckBox("Afficher les photos en taille &réelle", this);
    realSize_->setObjectName(widget_name::kRealSizeCheck);
    column->addWidget(realSize_);

    auto* buttons = OkCancelButtons(this);
    column->addWidget(buttons);

    manual_->setChecked(!prefs.slideshowAuto);
    automatic_->setChecked(prefs.slideshowAuto);
    loop_->setChecked(prefs.slideshowLoop);
    wait_->setChecked(prefs.soundIsMaster);
    realSize_->setChecked(prefs.slideshowRealSize);
    pause_ = prefs.slideshowPause;
    EnableAutomaticControls(prefs.slideshowAuto);
    connect(manual_, &QRadioButton::clicked, this, [this] { EnableAutomaticControls(false); });
    connect(automatic_, &QRadioButton::clicked, this, [this] { EnableAutomaticControls(true); });
    PrepareDialog(*this, parent);
}

void SlideshowOptionsDialog::EnableAutomaticControls(bool on)
{
    for (QWidget* control : std::initializer_list<QWidget*>{loop_, pauseEdit_, pauseLabel_, secondsLabel_, wait_,
                                                            waitContinued_})
        control->setEnabled(on);
}

bool SlideshowOptionsDialog::Automatic() const { return automatic_->isChecked(); }

void SlideshowOptionsDialog::accept()
{
    // The pause is checked in either mode: the dialog keeps one value.
    bool isNumber = false;
    const long long value = pauseEdit_->text().trimmed().toLongLong(&isNumber);
    QString refusal;
    if (!isNumber)
        refusal = QString::fromStdString(LoadString(kStrEnterInteger));
    else if (value < kLowestPause || value > kHighestPause)
        refusal = QString::fromStdString(LoadString(kStrEnterIntegerInRange)).arg(kLowestPause).arg(kHighestPause);
    if (!refusal.isEmpty()) {
        QMessageBox::warning(this, QStringLiteral("Lumora"), refusal);
        pauseEdit_->setFocus();
        pauseEdit_->selectAll();
        return;
    }
    pause_ = static_cast<int>(value);
    QDialog::accept();
}

void SlideshowOptionsDialog::Apply(Preferences& prefs) const
{
    prefs.slideshowAuto = Automatic();
    prefs.slideshowLoop = loop_->isChecked();
    prefs.slideshowPause = pause_;
    prefs.soundIsMaster = wait_->isChecked();
    prefs.slideshowRealSize = realSize_->isChecked();
}

}  // namespace lumora
