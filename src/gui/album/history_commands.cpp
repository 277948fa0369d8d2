#include "gui/album/history_commands.h"

#include <QAction>

#include "core/album/album_commands.h"
#include "core/album/album_document.h"
#include "gui/album/album_command_support.h"
#include "gui/album/editing_commands.h"
#include "gui/album/history_panel.h"
#include "gui/platform/commands.h"

namespace lumora {
namespace {

// A protected album is edited, and its edits undone, only once its
// password was given.
bool Unlocked(const AlbumView& view) { return !view.Document().PasswordCheckPending(); }

// The menu entry and button say what the step is: "&Annuler la suppression".
void Relabel(CommandHost& frame, int command, const std::string& label)
{
    QAction* action = frame.Action(command);
    if (!action)
        return;
    const QString text = QString::fromStdString(label);
    const CommandInfo& info = Command(command);
    action->setText(info.keys.isEmpty() ? text : text + '\t' + MenuKeyText(info.keys.first()));
    action->setToolTip(QString(text).remove('&'));
}

void UndoCommand(AlbumView& view) { ShowStep(view, view.Document().Undo()); }
void RedoCommand(AlbumView& view) { ShowStep(view, view.Document().Redo()); }

void MoveSelected(AlbumView& view, int by)
{
    const int from = view.State().Selection();
    if (MoveAlbumItem(view.Document(), from, from + by)) {
        view.SetSelection(from + by);
        ShowSelectedItem(view);
    }
}

bool CanMove(const AlbumView& view, int by)
{
    const int to = view.State().Selection() + by;
    return Unlocked(view) && to >= 0 && static_cast<size_t>(to) < view.Document().ItemCount();
}

}  // namespace

void ShowStep(AlbumView& view, const AlbumChange& change)
{
    if (change.select >= 0)
        view.SetSelection(change.select);
    ShowSelectedItem(view);
}

void InstallHistoryCommands(CommandHost& frame)
{
    auto on = [&frame](auto command) { return OnActiveAlbum(frame, command); };
    frame.SetCommandHandler(kCmdEditUndo, on(UndoCommand), [&frame] {
        const AlbumView* view = ActiveAlbumView(frame);
        const bool can = view && Unlocked(*view) && view->Document().History().CanUndo();
        Relabel(frame, kCmdEditUndo, can ? UndoMenuLabel(view->Document().History()) : "&Annuler");
        return can;
    });
    frame.SetCommandHandler(kCmdEditRedo, on(RedoCommand), [&frame] {
        const AlbumView* view = ActiveAlbumView(frame);
        const bool can = view && Unlocked(*view) && view->Document().History().CanRedo();
        Relabel(frame, kCmdEditRedo, can ? RedoMenuLabel(view->Document().History()) : "&Rétablir");
        return can;
    });
    frame.SetCommandHandler(kCmdMoveItemBack, on([](AlbumView& v) { MoveSelected(v, -1); }),
                            WhenActiveAlbum(frame, [](const AlbumView& v) { return CanMove(v, -1); }));
    frame.SetCommandHandler(kCmdMoveItemForward, on([](AlbumView& v) { MoveSelected(v, 1); }),
                            WhenActiveAlbum(frame, [](const AlbumView& v) { return CanMove(v, 1); }));
    frame.SetCommandHandler(kCmdHistoryPanel, [&frame] { ToggleHistoryPanel(frame); }, {},
                            [&frame] { return HistoryPanelShown(frame); });
}

}  // namespace lumora
