#include "gui/album/tab_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/album/section_tab.h"
#include "gui/widgets/color_button.h"
#include "gui/widgets/dialog_support.h"
#include "gui/widgets/dialog_buttons.h"
#include "gui/album/text_drawing.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

constexpr const char* kNewTabExplanation =
    "Vous êtes sur le point de créer un nouvel onglet dans l'album. Il sera inséré juste avant la "
    "photo actuellement sélectionnée. Cela aura pour effet de créer un saut à la page de droite "
    "suivante.";

// The picture and the explanation at the top of "Nouvel onglet".
QLayout* NewTabHeader(QWidget* parent)
{
    auto* header = new QHBoxLayout;
    auto* picture = new QLabel(parent);
    picture->setObjectName(widget_name::kTabPicture);
    picture->setPixmap(QPixmap(":/artwork/buttons/newonglet.png"));
    picture->setAlignment(Qt::AlignTop);
    header->addWidget(picture);
    auto* explanation = new QLabel(kNewTabExplanation, parent);
    explanation->setWordWrap(true);
    header->addWidget(explanation, 1);
    return header;
}

}  // namespace

TabDialog::TabDialog(Kind kind, const SectionTab& tab, std::array<uint32_t, 16>* customColors, QWidget* parent)
    : QDialog(parent)
{
    const bool isNew = kind == Kind::NewTab;
    setWindowTitle(isNew ? "Nouvel onglet" : "Propriétés de l'onglet");
    auto* layout = new QVBoxLayout(this);
    if (isNew)
        layout->addLayout(NewTabHeader(this));

    auto* fields = new QFormLayout;
    name_ = new QLineEdit(AlbumText(tab.name), this);
    name_->setObjectName(widget_name::kTabNameEdit);
    fields->addRow("&Nom :", name_);
    auto* colours = new QHBoxLayout;
    tabColor_ = new ColorButton("&Onglet :", tab.tabColor, customColors, this);
    tabColor_->setObjectName(widget_name::kTabColourButton);
    nameColor_ = new ColorButton("&Texte :", tab.nameColor, customColors, this);
    nameColor_->setObjectName(widget_name::kTabNameColourButton);
    colours->addWidget(tabColor_);
    colours->addWidget(nameColor_);
    fields->addRow("Couleurs :", colours);
    layout->addLayout(fields);

    AddOkCancelHelp(*this, *layout);
    setMinimumWidth(isNew ? 460 : 380);
    PrepareDialog(*this, parent);
    name_->selectAll();
    name_->setFocus();
}

std::string TabDialog::Name() const
{
    return name_->text().toStdString();
}

uint32_t TabDialog::TabColor() const
{
    return tabColor_->Color();
}

uint32_t TabDialog::NameColor() const
{
    return nameColor_->Color();
}

void TabDialog::Store(SectionTab& tab) const
{
    tab.name = Name();
    tab.tabColor = TabColor();
    tab.nameColor = NameColor();
}

}  // namespace lumora
