#pragma once
// Undo and redo of the active album's edits (the Edit menu and toolbar,
// labelled with what they undo), moving the selected item one place, and
// the "Historique" panel.
namespace lumora {

class AlbumView;
class CommandHost;
struct AlbumChange;

void InstallHistoryCommands(CommandHost& frame);

// After a step was undone or redone in `view`'s album: the item the step
// names selected and shown.
void ShowStep(AlbumView& view, const AlbumChange& change);

}  // namespace lumora
