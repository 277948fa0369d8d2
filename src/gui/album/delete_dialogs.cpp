#include "gui/album/delete_dialogs.h"
#include "gui/platform/message_services.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/album/album_item.h"
#include "gui/widgets/dialog_support.h"
#include "core/res/strings.h"
#include "gui/widgets/dialog_buttons.h"
#include "gui/picture/picture_preview.h"
#include "gui/album/text_drawing.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

// The program's 48 x 48 pictures of these dialogs.
QLabel* Artwork(QWidget* parent, const QString& file, const QString& name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setPixmap(QPixmap(":/artwork/buttons/" + file));
    label->setAlignment(Qt::AlignTop);
    return label;
}

QLabel* Wrapped(QWidget* parent, const QString& text, const QString& name = {})
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

}  // namespace

DeleteImageDialog::DeleteImageDialog(const AlbumItem& photo, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Supprimer une image");
    auto* layout = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    body->addWidget(Artwork(this, "poubelle.png", widget_name::kDeletePhotoPicture));
    auto* texts = new QVBoxLayout;
    texts->addWidget(
        Wrapped(this, "Voulez-vous réellement supprimer de l'album l'image ou animation suivante ?"));
    texts->addWidget(Wrapped(this, "(" + AlbumText(photo.imagePath) + ")", widget_name::kPhotoPathLabel));
    texts->addStretch(1);
    body->addLayout(texts, 1);
    auto* preview = new PreviewBox(this);
    preview->setObjectName(widget_name::kPreviewButton);
    preview->setFixedSize(120, 96);
    preview->SetPicture(photo.preview);
    body->addWidget(preview);
    layout->addLayout(body);
    AddAnswerButtons(*this, *layout, "  Oui  ", "  Non  ");
    setMinimumWidth(440);
    PrepareDialog(*this, parent);
}

DeleteTabDialog::DeleteTabDialog(const std::string& tabName, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Supprimer un onglet");
    auto* layout = new QVBoxLayout(this);
    auto* body = new QHBoxLayout;
    body->addWidget(Artwork(this, "delonglet.png", widget_name::kDeleteTabPicture));
    auto* texts = new QVBoxLayout;
    texts->addWidget(Wrapped(this, "Voulez-vous réellement supprimer l'onglet suivant de l'album ?"));
    texts->addWidget(Wrapped(this, AlbumText(tabName), widget_name::kTabNameLabel));
    texts->addWidget(Wrapped(this, "IMPORTANT : Si vous supprimez l'onglet les images associées seront "
                                   "automatiquement intégrées à l'onglet précédent."));
    body->addLayout(texts, 1);
    layout->addLayout(body);
    AddAnswerButtons(*this, *layout, "  Oui  ", "  Non  ");
    setMinimumWidth(420);
    PrepareDialog(*this, parent);
}

bool ConfirmTextDeletion(QWidget* parent)
{
    // The caption is the program's name, as for every message box.
    QMessageBox box(QMessageBox::Warning, ProgramCaption(),
                    QString::fromStdString(LoadString(kStrConfirmDeleteText)), QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText("&Oui");
    box.button(QMessageBox::No)->setText("&Non");
    return box.exec() == QMessageBox::Yes;
}

}  // namespace lumora
