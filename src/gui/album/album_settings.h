#pragma once
// The album's own settings, changed through its two dialogs: title,
// description and fonts, and the album properties (with the password).
// Both commands act on the active album window's album.
class QWidget;

namespace lumora {

class AlbumDocument;
class CommandHost;

// Dialog "Titre, Description et Polices de l'album" on `doc`. On OK the
// values go into the album, its change step runs and its views repaint.
// True when confirmed.
bool EditTitleAndFonts(QWidget* parent, AlbumDocument& doc);

// Dialog "Propriétés de l'album" on `doc`. On OK the values and the
// password go into the album and its change step runs; a layout whose
// picture box has another size has every preview remade for it. True when
// confirmed.
bool EditAlbumProperties(QWidget* parent, AlbumDocument& doc);

// Registers "&Propriétés de l'album..." and "Titre, de&scription et
// polices..." with the frame (once); both are enabled while an album window
// is active.
void InstallAlbumSettingsCommands(CommandHost& frame);

}  // namespace lumora
