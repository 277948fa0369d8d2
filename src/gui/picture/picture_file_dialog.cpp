#include "gui/picture/picture_file_dialog.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>

#include "core/formats/image_format.h"
#include "gui/picture/load_error_dialog.h"
#include "gui/widgets/dialog_support.h"
#include "core/res/strings.h"
#include "gui/picture/picture_preview.h"
#include "gui/widgets/widget_names.h"

namespace lumora {
namespace {

QString Text(int id)
{
    return QString::fromStdString(LoadString(id));
}

// A radio button with the static "l'image actuelle" below it.
QRadioButton* AddInsertionRadio(QVBoxLayout* layout, const QString& label, const QString& name)
{
    auto* radio = new QRadioButton(label);
    radio->setObjectName(name);
    layout->addWidget(radio);
    auto* current = new QLabel("l'image actuelle");
    current->setIndent(20);
    layout->addWidget(current);
    return radio;
}

}  // namespace

bool& InsertAfterFlag()
{
    static bool insertAfter = false;
    return insertAfter;
}

PictureFileDialog::PictureFileDialog(Purpose purpose, bool& showPreview, QWidget* parent)
    : QFileDialog(parent), showPreviewPreference_(showPreview), showPreview_(showPreview)
{
    // The preview panel needs Qt's own dialog: a system dialog takes no children.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilter(QtFileFilter(PictureFilter()));
    const bool inserting = purpose == Purpose::InsertImages;
    setWindowTitle(Text(inserting ? kStrAddPicturesTitle : kStrBrowseTitle));
    setFileMode(inserting ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    setLabelText(QFileDialog::LookIn, "Rechercher dans :");
    setLabelText(QFileDialog::FileName, "&Nom de fichier :");
    setLabelText(QFileDialog::FileType, "Type :");
    setLabelText(QFileDialog::Accept, "&Ouvrir");
    setLabelText(QFileDialog::Reject, "Annuler");

    auto* panel = new QWidget(this);
    panel->setFixedWidth(170);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(6, 0, 0, 0);
    preview_ = new PicturePreviewPanel(showPreview_, panel);
    column->addWidget(preview_, 1);
    if (inserting)
        AddInsertionChoice(panel);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(panel, 0, grid->columnCount(), grid->rowCount(), 1);
    connect(this, &QFileDialog::currentChanged, preview_, &PicturePreviewPanel::SelectionChanged);
    // A name typed (or pasted) in the name field moves no cursor in the
    // list: the preview follows what the dialog would open as well.
    if (auto* name = findChild<QLineEdit*>("fileNameEdit"))
        connect(name, &QLineEdit::textChanged, this, &PictureFileDialog::PreviewTypedFile);
    PrepareDialog(*this, parent);
}

void PictureFileDialog::PreviewTypedFile(const QString& text)
{
    // One name, or several in quotes; taken from the folder shown unless
    // absolute. The first that names a file is shown.
    QStringList names;
    static const QRegularExpression quoted("\"([^\"]+)\"");
    for (auto match = quoted.globalMatch(text); match.hasNext();)
        names << match.next().captured(1);
    if (names.isEmpty() && !text.isEmpty())
        names << text;
    for (QString name : names) {
        if (name.startsWith("~/"))
            name = QDir::homePath() + name.mid(1);
        const QString path = QFileInfo(name).isAbsolute() ? name : directory().absoluteFilePath(name);
        if (QFileInfo(path).isFile()) {
            if (path != preview_->SelectedPath())
                preview_->SelectionChanged(path);
            return;
        }
    }
}

void PictureFileDialog::done(int result)
{
    if (result == QDialog::Accepted)
        showPreviewPreference_ = showPreview_;
    QFileDialog::done(result);
}

void PictureFileDialog::AddInsertionChoice(QWidget* panel)
{
    auto* group = new QGroupBox(panel);
    auto* radios = new QVBoxLayout(group);
    QRadioButton* before = AddInsertionRadio(radios, "Insérer A&VANT", widget_name::kInsertBeforeRadio);
    after_ = AddInsertionRadio(radios, "Insérer A&PRES", widget_name::kInsertAfterRadio);
    (InsertAfterFlag() ? after_ : before)->setChecked(true);
    connect(after_, &QRadioButton::toggled, this, [](bool on) { InsertAfterFlag() = on; });
    panel->layout()->addWidget(group);
}

bool PictureFileDialog::InsertAfter() const
{
    return after_ && after_->isChecked();
}

QStringList AskImagesToInsert(QWidget* parent, bool& showPreview)
{
    PictureFileDialog dialog(PictureFileDialog::Purpose::InsertImages, showPreview, parent);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString BrowseForPicture(QWidget* parent, const QString& current, bool& showPreview)
{
    PictureFileDialog dialog(PictureFileDialog::Purpose::Browse, showPreview, parent);
    if (!current.isEmpty())
        dialog.selectFile(current);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.first();
}

}  // namespace lumora
