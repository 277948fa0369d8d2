#pragma once
// The zoom commands of the album window: "Ajuster à la fenêtre" (Ctrl+0),
// "Taille classique" (Ctrl+1), "Zoom avant" and "Zoom arrière" (Ctrl++,
// Ctrl+−, and Ctrl with the wheel in the view itself).
namespace lumora {

class CommandHost;

// Registers them with the main window (once, at start-up), beside the
// picture windows' handlers of the same commands.
void InstallAlbumZoomCommands(CommandHost& frame);

}  // namespace lumora
