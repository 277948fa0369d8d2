#include "gui/properties/properties_window.h"

#include <QMdiSubWindow>
#include <QVBoxLayout>

#include "core/album/album_commands.h"
#include "core/album/album_document.h"
#include "core/picture_document/image_document.h"
#include "core/properties/photo_properties.h"
#include "core/res/strings.h"
#include "gui/album/album_view.h"
#include "gui/picture/picture_view.h"
#include "gui/widgets/dialog_support.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

QString Text(int id)
{
    return QString::fromStdString(LoadString(id));
}

QLabel* NamedLabel(const QString& text, const char* name, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

}  // namespace

PropertiesWindow::PropertiesWindow(QWidget* owner) : RollupWindow(Text(kStrProperties), owner)
{
    auto* pane = new QWidget(this);
    pane->setFont(SmallFont8());
    auto* layout = new QVBoxLayout(pane);
    layout->setContentsMargins(6, 4, 6, 6);
    layout->setSpacing(3);
    name_ = NamedLabel("<object name>", widget_name::kObjectNameLabel, pane);
    properties_ = NamedLabel("<propriétés>", widget_name::kPropertiesLabel, pane);
    noObject_ = NamedLabel("Aucun objet sélectionné", widget_name::kNoObjectLabel, pane);
    noObject_->setAlignment(Qt::AlignCenter);
    descriptionLabel_ = NamedLabel("Description :", widget_name::kDescriptionLabel, pane);
    description_ = new QLineEdit(pane);
    description_->setObjectName(widget_name::kPropertiesDescriptionEdit);
    for (QWidget* control : std::initializer_list<QWidget*>{name_, properties_, noObject_, descriptionLabel_,
                                                             description_})
        layout->addWidget(control);
    layout->addStretch(1);
    SetContent(pane);
    // Dialog 131 is 87 x 119 dialog units of the 8-point font.
    resize(150, 205);
    connect(description_, &QLineEdit::textEdited, this, &PropertiesWindow::DescriptionEdited);
    // The keystrokes in the field make one step of the album's history,
    // closed when the field loses the focus.
    connect(description_, &QLineEdit::editingFinished, this, [this] {
        if (album_)
            album_->Document().CloseStep();
    });
    ShowNoObject();
}

void PropertiesWindow::Describe(QMdiSubWindow* active)
{
    QWidget* widget = active ? active->widget() : nullptr;
    if (auto* album = qobject_cast<AlbumView*>(widget))
        DescribeAlbum(*album);
    else if (auto* picture = qobject_cast<PictureView*>(widget))
        DescribePicture(*picture);
    else
        ShowNoObject();
}

void PropertiesWindow::DescribeAlbum(AlbumView& view)
{
    const AlbumDocument& doc = view.Document();
    const int selection = view.State().Selection();
    if (selection < 0 || static_cast<size_t>(selection) >= doc.ItemCount() ||
        !doc.Items()[static_cast<size_t>(selection)]->IsPhoto()) {
        ShowNoObject();
        return;
    }
    const AlbumItem& photo = *doc.Items()[static_cast<size_t>(selection)];
    const PhotoProperties facts = DescribePhoto(photo);
    album_ = &view;
    ShowObject();
    SetTexts(QString::fromStdString(photo.description), QString::fromStdString(facts.text),
             QString::fromStdString(facts.fileName));
    ShowDescription(true);
}

void PropertiesWindow::DescribePicture(const PictureView& view)
{
    album_ = nullptr;
    const PictureDocument& document = view.Document();
    ShowObject();
    SetTexts({}, QString::fromStdString(document.PropertiesText()),
             QString::fromStdString(FileNameOf(document.PathName())));
    ShowDescription(false);
}

void PropertiesWindow::ShowNoObject()
{
    album_ = nullptr;
    if (state_ == State::NoObject)
        return;
    state_ = State::NoObject;
    noObject_->show();
    for (QWidget* control : std::initializer_list<QWidget*>{descriptionLabel_, properties_, name_, description_})
        control->hide();
}

void PropertiesWindow::ShowObject()
{
    if (state_ == State::Object)
        return;
    state_ = State::Object;
    noObject_->hide();
    for (QWidget* control : std::initializer_list<QWidget*>{descriptionLabel_, properties_, name_, description_})
        control->show();
}

void PropertiesWindow::SetTexts(const QString& description, const QString& properties, const QString& name)
{
    // Only what changed is written, so that nothing flickers and the text
    // being typed is left alone.
    if (description != lastDescription_) {
        lastDescription_ = description;
        description_->setText(description);
    }
    if (properties_->text() != properties)
        properties_->setText(properties);
    if (name_->text() != name)
        name_->setText(name);
}

void PropertiesWindow::ShowDescription(bool shown)
{
    descriptionLabel_->setVisible(shown);
    description_->setVisible(shown);
}

void PropertiesWindow::DescriptionEdited(const QString& text)
{
    if (!album_)
        return;
    lastDescription_ = text;
    SetItemDescription(album_->Document(), album_->State().Selection(), text.toStdString(), true);
}

}  // namespace lumora
