#include "gui/album/title_fonts_dialog.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/album/font_description.h"
#include "core/album/album_edits.h"
#include "gui/widgets/color_button.h"
#include "core/colour/nearest_color.h"
#include "gui/widgets/dialog_support.h"
#include "core/platform/screen.h"
#include "core/platform/services.h"
#include "core/res/strings.h"
#include "gui/album/text_drawing.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

// The font buttons in the order they stand, with their names.
struct FontRow {
    AlbumFont font;
    const char* label;
    const char* buttonName;
    const char* labelName;
};
constexpr std::array<FontRow, kAlbumFontCount> kFontRows = {{
    {kTitleFont, "Tit&re...", widget_name::kTitleFontButton, widget_name::kTitleFontLabel},
    {kDescriptionFont, "De&scription...", widget_name::kDescriptionFontButton, widget_name::kDescriptionFontLabel},
    {kPhotosFont, "P&hotos...", widget_name::kPhotosFontButton, widget_name::kPhotosFontLabel},
    {kPageTitleFont, "E&n-tête...", widget_name::kPageTitleFontButton, widget_name::kPageTitleFontLabel},
    {kPageNumberFont, "&Pied de page...", widget_name::kPageNumberFontButton, widget_name::kPageNumberFontLabel},
}};


template <typename W>
W* Named(W* widget, const char* name)
{
    widget->setObjectName(name);
    return widget;
}

QLabel* LabelFor(const char* text, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setBuddy(buddy);
    return label;
}

// The font dialog shows sizes in points; albums keep pixels at 96 dpi.
QFont DialogFont(const TextFont& logFont)
{
    QFont font = QFontFromTextFont(logFont);
    font.setPointSizeF(font.pixelSize() * 72.0 / 96.0);
    font.setStyleStrategy(QFont::PreferDefault);
    return font;
}

}  // namespace

TitleFontsDialog::TitleFontsDialog(const AlbumDocument& doc, QWidget* parent)
    : QDialog(parent), effectKept_(doc.Settings().titleEffect), fonts_(doc.Settings().fonts)
{
    setWindowTitle(QString::fromUtf8("Titre, Description et Polices de l'album"));
    setModal(true);

    title_ = Named(new QLineEdit(AlbumText(doc.Settings().title), this), widget_name::kTitleEdit);
    effect_ = Named(new QComboBox(this), widget_name::kTitleEffectCombo);
    effect_->addItems({"Normal", QString::fromUtf8("Gravé"), "Relief"});
    const int effect = static_cast<int>(doc.Settings().titleEffect);
    effect_->setCurrentIndex(effect >= 0 && effect < kTitleEffectCount ? effect : -1);
    color_ = Named(new ColorButton("&Couleur :", doc.Settings().titleColor, this), widget_name::kTitleColourButton);
    color_->SetColorAdjuster([](Rgb chosen) { return NearestScreenColor(chosen, ScreenDepth()); });
    description_ = Named(new QLineEdit(AlbumText(doc.Settings().description), this), widget_name::kDescriptionEdit);
    description_->setMinimumWidth(320);

    auto* fonts = new QGroupBox("Polices", this);
    auto* fontLayout = new QVBoxLayout(fonts);
    for (int slot = 0; slot < kAlbumFontCount; ++slot)
        fontLayout->addWidget(MakeFontRow(slot, fonts));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(widget_name::kOkButton);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(widget_name::kCancelButton);
    buttons->button(QDialogButtonBox::Cancel)->setText("Annuler");
    connect(buttons, &QDialogButtonBox::accepted, this, &TitleFontsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* grid = new QGridLayout(this);
    grid->addWidget(LabelFor("&Titre :", title_, this), 0, 0);
    grid->addWidget(title_, 0, 1, 1, 3);
    grid->addWidget(LabelFor("&Effet :", effect_, this), 1, 0);
    grid->addWidget(effect_, 1, 1);
    grid->addWidget(color_, 1, 3);
    grid->addWidget(LabelFor("&Description :", description_, this), 2, 0);
    grid->addWidget(description_, 2, 1, 1, 3);
    grid->addWidget(fonts, 3, 0, 1, 4);
    grid->addWidget(buttons, 4, 0, 1, 4);
    grid->setColumnStretch(2, 1);

    PrepareDialog(*this, parent);
}

QWidget* TitleFontsDialog::MakeFontRow(int slot, QWidget* parent)
{
    const FontRow& row = kFontRows[static_cast<size_t>(slot)];
    auto* line = new QWidget(parent);
    auto* layout = new QHBoxLayout(line);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* button = Named(new QPushButton(QString::fromUtf8(row.label), line), row.buttonName);
    button->setMinimumWidth(110);
    button->setAutoDefault(false);
    auto* description = Named(new QLabel(line), row.labelName);
    description->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    description->setMinimumWidth(260);
    layout->addWidget(button, 0, Qt::AlignTop);
    layout->addWidget(description, 1);
    fontStatics_[static_cast<size_t>(slot)] = description;
    connect(button, &QPushButton::clicked, this, [this, slot] { ChooseFont(slot); });
    ShowFontDescription(slot);
    return line;
}

void TitleFontsDialog::ShowFontDescription(int slot)
{
    const TextFont& font = fonts_[kFontRows[static_cast<size_t>(slot)].font];
    fontStatics_[static_cast<size_t>(slot)]->setText(QString::fromStdString(DescribeFont(font, true)));
}

void TitleFontsDialog::ChooseFont(int slot)
{
    TextFont& font = fonts_[kFontRows[static_cast<size_t>(slot)].font];
    QFontDialog dialog(DialogFont(font), this);
    dialog.setObjectName("fontDialog");
    if (dialog.exec() != QDialog::Accepted)
        return;
    // Character set, quality and the other values a QFont has no room for
    // stay as the album had them.
    font = TextFontFromQFont(dialog.selectedFont(), font);
    ShowFontDescription(slot);
}

bool TitleFontsDialog::WithinLimit(QLineEdit* edit, int limit)
{
    if (edit->text().size() <= limit)
        return true;
    std::string message = LoadString(kStrEnterAtMostChars);
    message.replace(message.find("%1"), 2, std::to_string(limit));
    CurrentErrorReporter().ShowMessage(message, {}, MessageIcon::Exclamation);
    edit->setFocus();
    edit->selectAll();
    return false;
}

void TitleFontsDialog::accept()
{
    // Checked in the order the values are taken: the description first.
    if (!WithinLimit(description_, kDescriptionLimit) || !WithinLimit(title_, kTitleLimit))
        return;
    QDialog::accept();
}

void TitleFontsDialog::StoreInto(AlbumSettings& settings) const
{
    settings.description = description_->text().toStdString();
    // A damaged album's effect outside the list is kept unless one is chosen.
    settings.titleEffect = effect_->currentIndex() >= 0 ? static_cast<TitleEffect>(effect_->currentIndex()) : effectKept_;
    settings.titleColor = color_->Color();
    settings.title = title_->text().toStdString();
    settings.fonts = fonts_;
}

}  // namespace lumora
