#include "gui/album/image_properties_dialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/album/album_item.h"
#include "core/formats/image_format.h"
#include "gui/widgets/dialog_support.h"
#include "gui/widgets/dialog_buttons.h"
#include "gui/picture/picture_preview.h"
#include "gui/album/text_drawing.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

QLabel* Fact(QWidget* parent, const QString& text, const QString& name)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

ImagePropertiesDialog::ImagePropertiesDialog(const AlbumItem& photo, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Propriétés de l'image");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Fact(this, AlbumText(photo.imagePath), widget_name::kPhotoPathLabel));

    auto* body = new QHBoxLayout;
    auto* preview = new PreviewBox(this);
    preview->setObjectName(widget_name::kPreviewButton);
    preview->setFixedSize(160, 130);
    preview->SetPicture(photo.preview);
    body->addWidget(preview);

    auto* facts = new QFormLayout;
    description_ = new QLineEdit(AlbumText(photo.description), this);
    description_->setObjectName(widget_name::kDescriptionEdit);
    description_->setMaxLength(kDescriptionLimit);
    facts->addRow("&Description :", description_);
    facts->addRow("Dimensions :",
                  Fact(this, QString("%1 x %2").arg(photo.imageWidth).arg(photo.imageHeight), widget_name::kPictureSizeLabel));
    facts->addRow("Couleurs :", Fact(this, QString::fromStdString(ColorDepthName(photo.bitsPerPixel)), widget_name::kColoursLabel));
    facts->addRow("Taille (octets) :", Fact(this, QString::number(photo.imageFileSize), widget_name::kFileSizeLabel));
    facts->addRow("Format :", Fact(this, QString::fromStdString(ImageTypeName(photo.imagePath)), widget_name::kFormatLabel));
    facts->addRow("Son associé :", Fact(this, AlbumText(photo.soundPath), widget_name::kSoundLabel));
    body->addLayout(facts, 1);
    layout->addLayout(body);

    AddOkCancelHelp(*this, *layout);
    setMinimumWidth(480);
    PrepareDialog(*this, parent);
    description_->setFocus();
}

std::string ImagePropertiesDialog::Description() const
{
    return description_->text().toStdString();
}

}  // namespace lumora
