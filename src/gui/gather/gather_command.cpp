#include "gui/gather/gather_command.h"
#include "gui/platform/message_services.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <optional>

#include "core/album/album_document.h"
#include "core/gather/gather.h"
#include "core/gather/gather_directory.h"
#include "core/sound/sounds.h"
#include "gui/album/album_command_support.h"
#include "gui/platform/commands.h"
#include "gui/gather/gather_dialogs.h"
#include "gui/gather/spread_renderer.h"

namespace lumora {
namespace {

// Saved under its name, or through the save-as dialog for a new album;
// false when it was not (cancelled or failed).
bool SaveFirst(CommandHost& frame, const AlbumDocument& album)
{
    if (QAction* save = frame.Action(kCmdFileSave))
        save->trigger();
    return !album.Path().empty() && !album.IsModified();
}

// Asked until the directory is valid (and created); nothing on Cancel.
std::optional<std::string> AskDestination(const QString& initial, QWidget* parent)
{
    GatherDestinationDialog dialog(initial, parent);
    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        GatherDirectory directory = ValidateGatherDirectory(dialog.Directory().toStdString());
        if (directory)
            return std::move(directory.path);
        ReportStop(GatherDirectoryProblemText(directory.problem));
    }
}

void GatherCommand(CommandHost& frame, AlbumView& view)
{
    StopSound();
    const std::shared_ptr<AlbumDocument> album = view.SharedDocument();
    if (!SaveFirst(frame, *album))
        return;
    QWidget* parent = frame.HostWidget();
    const QString initial = QFileInfo(QString::fromStdString(album->Path())).absolutePath();
    const auto destination = AskDestination(QDir::toNativeSeparators(initial), parent);
    if (!destination)
        return;
    GatherOptionsDialog options(frame.Prefs(), parent);
    if (options.exec() != QDialog::Accepted)
        return;
    options.Apply(frame.Prefs());

    const Preferences& prefs = frame.Prefs();
    PainterSpreadRenderer renderer(view.Book(), {prefs.deskShadow, false});
    GatherProgressDialog progress(album, *destination, GatherOptionsFrom(prefs), &renderer, parent);
    if (progress.Run() != GatherProgressDialog::kDone)
        return;
    // A plain message box: the completion is no warning, and no icon either.
    QMessageBox done(QMessageBox::NoIcon, ProgramCaption(),
                     QString::fromStdString(GatherCompletionText(progress.Outcome())), QMessageBox::Ok, parent);
    done.setTextFormat(Qt::PlainText);
    done.exec();
}

}  // namespace

void InstallGatherCommand(CommandHost& frame)
{
    frame.SetCommandHandler(kCmdGather, OnActiveAlbum(frame, GatherCommand),
                            WhenActiveAlbum(frame, [](const AlbumView& v) {
                                return !v.Document().Items().empty() && !GatherProgressDialog::IsRunning();
                            }));
}

}  // namespace lumora
