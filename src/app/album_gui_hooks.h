#pragma once
// What the album core asks of the windowed program: the preferences it
// reads, screen-format copies of previews (fast bitmaps), the status text
// and wait cursor, the password question.
#include <QPixmap>

namespace lumora {

class CMainFrame;
class CMyObject;
struct Preferences;

// Installs the GUI's answers; call again when the preferences change.
void InstallAlbumGuiHooks(CMainFrame& frame, const Preferences& preferences);
void RemoveAlbumGuiHooks();

// The item's fast bitmap, or null when it has none.
const QPixmap* FastBitmapOf(const CMyObject& item);

}  // namespace lumora
