#include "gui/print/album_print_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/platform/preferences.h"
#include "gui/platform/commands.h"
#include "gui/widgets/dialog_support.h"
#include "gui/platform/program_art.h"
#include "gui/widgets/widget_names.h"

namespace lumora {

bool& AlbumCoverMode()
{
    static bool covers = false;
    return covers;
}

AlbumPrintDialog::AlbumPrintDialog(Preferences& prefs, QWidget* parent) : QDialog(parent), prefs_(prefs)
{
    setWindowTitle(QStringLiteral("Impression d'un album"));
    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* picture = new QLabel(this);
    picture->setObjectName(widget_name::kPrintPicture);
    picture->setPixmap(CommandIcon(kCmdFilePrint).pixmap(32, 32));
    top->addWidget(picture, 0, Qt::AlignTop);
    auto* choices = new QVBoxLayout;
    contents_ = new QRadioButton(QStringLiteral("&Imprimer le contenu"), this);
    contents_->setObjectName(widget_name::kContentsRadio);
    covers_ = new QRadioButton(QStringLiteral("I&mprimer la couverture"), this);
    covers_->setObjectName(widget_name::kCoversRadio);
    descriptions_ = new QCheckBox(QStringLiteral("Im&primer la description des photos"), this);
    descriptions_->setObjectName(widget_name::kDescriptionsCheck);
    choices->addWidget(contents_);
    choices->addWidget(covers_);
    choices->addSpacing(6);
    choices->addWidget(descriptions_);
    top->addLayout(choices, 1);
    column->addLayout(top);

    auto* buttons = OkCancelButtons(this);
    column->addWidget(buttons);

    descriptions_->setChecked(prefs_.printDescriptions);
    contents_->setChecked(!AlbumCoverMode());
    covers_->setChecked(AlbumCoverMode());
    PrepareDialog(*this, parent);
}

void AlbumPrintDialog::done(int result)
{
    // Kept on Cancel too.
    prefs_.printDescriptions = descriptions_->isChecked();
    AlbumCoverMode() = covers_->isChecked();
    QDialog::done(result);
}

}  // namespace lumora
