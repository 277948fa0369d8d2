#include "gui/preferences/preferences_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumora {

PreferencesDialog::PreferencesDialog(const Preferences& p, QWidget* parent)
    : QDialog(parent), customColors_(p.customColors)
{
    setWindowTitle("Préférences");

    auto* display = new QGroupBox("Affichage", this);
    auto* displayLayout = new QVBoxLayout(display);
    shadow = new QCheckBox("&Affichage d'une ombre derrière l'album", display);
    animation = new QCheckBox("A&nimation lors du changement de page", display);
    newOnStartup = new QCheckBox("&Création d'un nouvel album au lancement", display);
    maximise = new QCheckBox("A&grandissement des documents à l'ouverture", display);
    for (QCheckBox* box : {shadow, animation, newOnStartup, maximise})
        displayLayout->addWidget(box);
    shadow->setChecked(p.deskShadow);
    animation->setChecked(p.animatePages);
    newOnStartup->setChecked(p.newOnStartup);
    maximise->setChecked(p.maximiseOnOpen);

    auto* colors = new QGroupBox("Couleurs", this);
    auto* colorLayout = new QVBoxLayout(colors);
    deskColor = new ColorButton("&Bureau par défaut :", p.DeskColor(), &customColors_, colors);
    viewerColor = new ColorButton("Fenêtre du &viewer :", p.ViewerColor(), &customColors_, colors);
    colorLayout->addWidget(deskColor);
    colorLayout->addWidget(viewerColor);

    auto* photoCD = new QGroupBox("Photo CD", this);
    auto* photoCDLayout = new QVBoxLayout(photoCD);
    photoCDSize = new QButtonGroup(this);
    const char* sizes[] = {"&Mini (128 x 192)", "M&edium (256 x 384)", "N&ormal (512 x 768)"};
    for (int i = 0; i < 3; ++i) {
        auto* radio = new QRadioButton(sizes[i], photoCD);
        photoCDSize->addButton(radio, i);
        photoCDLayout->addWidget(radio);
    }
    if (QAbstractButton* current = photoCDSize->button(p.photoCDSize))
        current->setChecked(true);

    auto* jpeg = new QGroupBox("JPEG", this);
    auto* jpegLayout = new QVBoxLayout(jpeg);
    jpegColors = new QButtonGroup(this);
    auto* colors256 = new QRadioButton("&256 couleurs", jpeg);
    auto* trueColor = new QRadioButton("&16,8 M couleurs", jpeg);
    jpegColors->addButton(colors256, 1);
    jpegColors->addButton(trueColor, 0);
    jpegLayout->addWidget(colors256);
    jpegLayout->addWidget(trueColor);
    (p.jpeg256 ? colors256 : trueColor)->setChecked(true);
    // Album previews: 24-bit by default, classic halftones for smaller files.
    previews256 = new QCheckBox("Aperçus en 256 couleurs", this);
    previews256->setChecked(p.previews256);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText("Annuler");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(display, 0, 0, 1, 2);
    grid->addWidget(colors, 1, 0, 1, 2);
    grid->addWidget(photoCD, 2, 0);
    grid->addWidget(jpeg, 2, 1);
    grid->addWidget(previews256, 3, 0, 1, 2);
    grid->addWidget(buttons, 4, 0, 1, 2);
}

void PreferencesDialog::Apply(Preferences& p) const
{
    p.deskShadow = shadow->isChecked();
    p.animatePages = animation->isChecked();
    p.newOnStartup = newOnStartup->isChecked();
    p.maximiseOnOpen = maximise->isChecked();
    p.standardDeskColor = std::to_string(deskColor->Color());
    p.viewerColor = std::to_string(viewerColor->Color());
    if (photoCDSize->checkedId() >= 0)
        p.photoCDSize = photoCDSize->checkedId();
    p.jpeg256 = jpegColors->checkedId() == 1;
    p.previews256 = previews256->isChecked();
    p.customColors = customColors_;
}

}  // namespace lumora
