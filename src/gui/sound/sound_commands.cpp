#include "gui/sound/sound_commands.h"
#include "gui/platform/message_services.h"

#include <QApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

#include "core/album/album_document.h"
#include "core/sound/sounds.h"
#include "core/res/strings.h"
#include "gui/album/album_command_support.h"
#include "gui/picture/load_error_dialog.h"
#include "gui/platform/commands.h"
#include "gui/widgets/dialog_support.h"

namespace lumora {
namespace {

QString Text(int id) { return QString::fromStdString(LoadString(id)); }

const AlbumItem* SelectedItem(const AlbumView& view)
{
    const auto items = view.Document().Items();
    const int selection = view.State().Selection();
    if (selection < 0 || static_cast<size_t>(selection) >= items.size())
        return nullptr;
    return items[static_cast<size_t>(selection)];
}

bool SelectedIsPhoto(const AlbumView& view)
{
    const AlbumItem* item = SelectedItem(view);
    return item && item->IsPhoto();
}

bool SelectedHasSound(const AlbumView& view)
{
    const AlbumItem* item = SelectedItem(view);
    return item && !item->soundPath.empty();
}

void AssociateCommand(CommandHost& frame, AlbumView& view)
{
    const AlbumItem* item = SelectedItem(view);
    if (!item || !item->IsPhoto())
        return;
    StopSound();
    SoundFileDialog dialog(QString::fromStdString(item->soundPath), frame.HostWidget());
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    StopSound();
    if (!chosen)
        return;
    SetItemSound(view.Document(), view.State().Selection(), dialog.selectedFiles().first().toStdString());
}

void PlayCommand(AlbumView& view)
{
    if (const AlbumItem* item = SelectedItem(view))
        PlayItemSound(*item, &view.Document());
}

void RemoveCommand(CommandHost& frame, AlbumView& view)
{
    StopSound();
    if (!SelectedHasSound(view))
        return;
    QMessageBox box(QMessageBox::Question, ProgramCaption(), Text(kStrConfirmRemoveSound),
                    QMessageBox::Yes | QMessageBox::No, frame.HostWidget());
    box.button(QMessageBox::Yes)->setText("&Oui");
    box.button(QMessageBox::No)->setText("&Non");
    if (box.exec() != QMessageBox::Yes)
        return;
    RemoveItemSound(view.Document(), view.State().Selection());
}

}  // namespace

SoundFileDialog::SoundFileDialog(const QString& currentSound, QWidget* parent) : QFileDialog(parent)
{
    // The listen button needs Qt's own dialog: a system dialog takes no children.
    setOption(QFileDialog::DontUseNativeDialog);
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    setWindowTitle("Associer une séquence sonore à une image");
    setNameFilter(QtFileFilter(LoadString(kStrSoundFilter)));
    setLabelText(QFileDialog::LookIn, "Rechercher dans :");
    setLabelText(QFileDialog::FileName, "&Nom de fichier :");
    setLabelText(QFileDialog::FileType, "Type :");
    setLabelText(QFileDialog::Accept, "&Ouvrir");
    setLabelText(QFileDialog::Reject, "Annuler");
    if (!currentSound.isEmpty()) {
        const QFileInfo info(currentSound);
        if (info.dir().exists())
            setDirectory(info.dir());
        selectFile(info.fileName());
        selection_ = info.absoluteFilePath();
    }
    listen_ = new QPushButton("&Ecouter la séquence sonore", this);
    listen_->setObjectName("listenButton");
    listen_->setAutoDefault(false);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(listen_, grid->rowCount(), 0, 1, grid->columnCount(), Qt::AlignLeft);
    connect(listen_, &QPushButton::clicked, this, [this] { PlaySoundFile(selection_.toStdString()); });
    connect(this, &QFileDialog::currentChanged, this, [this](const QString& path) {
        selection_ = path;
        StopSound();
    });
    // Any other dialog event stops the sound.
    connect(this, &QFileDialog::directoryEntered, this, [] { StopSound(); });
    connect(this, &QFileDialog::filterSelected, this, [] { StopSound(); });
    PrepareDialog(*this, parent);
}

SoundFileDialog::~SoundFileDialog() { StopSound(); }

void SoundFileDialog::done(int result)
{
    StopSound();
    QFileDialog::done(result);
}

void InstallSoundCommands(CommandHost& frame)
{
    const auto hasItems = [](const AlbumView& v) { return !v.Document().Items().empty(); };
    frame.SetCommandHandler(kCmdAttachSound, OnActiveAlbum(frame, AssociateCommand),
                            WhenActiveAlbum(frame, [hasItems](const AlbumView& v) {
                                return hasItems(v) && SelectedIsPhoto(v);
                            }));
    frame.SetCommandHandler(kCmdPlaySound, OnActiveAlbum(frame, PlayCommand),
                            WhenActiveAlbum(frame, [hasItems](const AlbumView& v) {
                                return hasItems(v) && SelectedHasSound(v);
                            }));
    frame.SetCommandHandler(kCmdRemoveSound, OnActiveAlbum(frame, RemoveCommand),
                            WhenActiveAlbum(frame, [hasItems](const AlbumView& v) {
                                return hasItems(v) && SelectedHasSound(v);
                            }));
}

}  // namespace lumora
