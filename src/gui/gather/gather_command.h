#pragma once
// "Rasse&mbler l'album..." (menu Album and toolbar): the album, its
// pictures, sounds and web viewer copied into one directory.
namespace lumora {

class CommandHost;

void InstallGatherCommand(CommandHost& frame);

}  // namespace lumora
