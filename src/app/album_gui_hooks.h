#pragma once
// What the album core asks of the windowed program: the preferences it
// reads, screen-format copies of previews (fast bitmaps, see
// view/qt/fast_bitmap.h), the status text and wait cursor, the password
// question, the load-error dialog of a photo whose picture cannot be read.

namespace lumora {

class CMainFrame;
struct Preferences;

// Installs the GUI's answers; call again when the preferences change.
void InstallAlbumGuiHooks(CMainFrame& frame, const Preferences& preferences);
void RemoveAlbumGuiHooks();

}  // namespace lumora
