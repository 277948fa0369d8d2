#pragma once
// Copy, cut and paste of album items through the system clipboard: the
// program's own block (with the item's strings in UTF-8 beside it) for
// albums, and the picture or the text for other programs.
#include <string>

class QMimeData;

namespace lumora {

class AlbumItem;
class CommandHost;

// Registers copy, cut and paste with the main window (once).
void InstallClipboardCommands(CommandHost& frame);

// What copying the item offers: our two blocks, and the full picture of a
// photo (read from its file, found beside `albumPath` first) or the text of
// a text item. The caller owns the result.
QMimeData* ItemMimeData(const AlbumItem& item, const std::string& albumPath);

}  // namespace lumora
