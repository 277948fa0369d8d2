#pragma once
// What the album core asks of the windowed program: the preferences it
// reads, screen-format copies of previews (fast bitmaps, see
// gui/album/fast_bitmap.h), the status text and wait cursor, the password
// question, the load-error dialog of a photo whose picture cannot be read.

namespace lumora {

class CommandHost;
struct Preferences;

// Installs the GUI's answers; call again when the preferences change.
void InstallAlbumServices(CommandHost& frame, const Preferences& preferences);
void RemoveAlbumServices();

}  // namespace lumora
