#include "gui/album/text_dialog.h"

#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/album/album_commands.h"
#include "core/album/font_description.h"
#include "gui/widgets/color_button.h"
#include "gui/widgets/dialog_support.h"
#include "gui/widgets/dialog_buttons.h"
#include "gui/album/text_drawing.h"
#include "gui/widgets/widget_names.h"

namespace lumora {

TextStyle& LastTextStyle()
{
    static TextStyle style{DefaultTextFont(), 0};
    return style;
}

QString TextForEditing(const std::string& albumText)
{
    QString text = AlbumText(albumText);
    text.replace("\r\n", "\n");
    return text;
}

std::string TextFromEditing(const QString& edited)
{
    QString text = edited;
    text.replace("\n", "\r\n");
    return text.toStdString();
}

TextDialog::TextDialog(const std::string& text, const TextFont& font, Rgb color,
                         std::array<uint32_t, 16>* customColors, QWidget* parent)
    : QDialog(parent), font_(font)
{
    setWindowTitle("Texte...");
    auto* layout = new QVBoxLayout(this);
    edit_ = new QPlainTextEdit(TextForEditing(text), this);
    edit_->setObjectName(widget_name::kTextEdit);
    layout->addWidget(edit_, 1);

    auto* fontRow = new QHBoxLayout;
    description_ = new QLabel(this);
    description_->setObjectName(widget_name::kTextFontLabel);
    description_->setTextFormat(Qt::PlainText);
    fontRow->addWidget(description_, 1);
    auto* change = new QPushButton("&Changer la police...", this);
    change->setObjectName(widget_name::kTextFontButton);
    connect(change, &QPushButton::clicked, this, &TextDialog::ChooseFont);
    fontRow->addWidget(change);
    layout->addLayout(fontRow);

    color_ = new ColorButton("&Couleur du texte :", color, customColors, this);
    color_->setObjectName(widget_name::kTextColourButton);
    color_->setMinimumWidth(190);  // the label stays clear of the swatch
    layout->addWidget(color_, 0, Qt::AlignLeft);
    AddOkCancelHelp(*this, *layout);
    SetFont(font);
    setMinimumSize(420, 300);
    PrepareDialog(*this, parent);
    edit_->setFocus();
}

std::string TextDialog::Text() const
{
    return TextFromEditing(edit_->toPlainText());
}

Rgb TextDialog::Color() const
{
    return color_->Color();
}

void TextDialog::SetFont(const TextFont& font)
{
    font_ = font;
    description_->setText(QString::fromStdString(DescribeFont(font_, false)));
}

void TextDialog::ChooseFont()
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, QFontFromTextFont(font_), this);
    if (ok)
        SetFont(TextFontFromQFont(chosen, font_));
}

ViewTextDialog::ViewTextDialog(const std::string& text, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Visualiser un texte");
    auto* layout = new QVBoxLayout(this);
    auto* edit = new QPlainTextEdit(TextForEditing(text), this);
    edit->setObjectName(widget_name::kTextEdit);
    edit->setReadOnly(true);
    layout->addWidget(edit, 1);
    AddAnswerButtons(*this, *layout, "  OK  ", {});
    setMinimumSize(420, 300);
    PrepareDialog(*this, parent);
}

}  // namespace lumora
