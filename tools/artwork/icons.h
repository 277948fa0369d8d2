#pragma once
// Small pictures of the user interface: the album view's cursors, the
// toolbar icons, the progress-gauge cells and the pictures of the dialogs'
// bitmap buttons. Each comes with the file name it is written under.
#include <string>
#include <vector>

#include "artwork/raster.h"

namespace lumora::art {

struct NamedImage {
    std::string name;  // path relative to the artwork directory
    Image image;
};

std::vector<NamedImage> RenderCursors();
std::vector<NamedImage> RenderToolbarIcons();
// Gauge cells, slideshow palette buttons, caption glyphs of the roll-up
// window and the pictures of the tab and delete dialogs.
std::vector<NamedImage> RenderControlBitmaps();

}  // namespace lumora::art
