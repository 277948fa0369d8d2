#pragma once
// The commands that change an album from its window: inserting photos and
// texts, deleting an item, the properties of a photo or text, the tab
// commands and switching the tabs on and off. Each asks its question (file
// dialog, confirmation, properties dialog), leaves the change itself to the
// album's command rules, then shows the selected item; every window of the
// album repaints as the album tells it of the change.
namespace lumora {

class AlbumView;
class CommandHost;

// Registers the editing commands with the frame (once).
void InstallEditingCommands(CommandHost& frame);

// Brings the view to the spread of its selected item and refreshes the
// location text; true when the view moved.
bool ShowSelectedItem(AlbumView& view);

}  // namespace lumora
