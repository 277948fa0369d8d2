#pragma once
// The pictures the desktop shows for the program and its albums, in every
// size of the hicolor theme: the program as a closed photo album, an album
// file as a small ring binder holding a photo.
#include <vector>

#include "artwork/icons.h"

namespace lumora::art {

// The theme's sizes, 16 to 512 pixels.
const std::vector<int>& DesktopIconSizes();

Image RenderProgramIcon(int pixels);
Image RenderAlbumFileIcon(int pixels);

// Both icons at every size, named as the theme folders hold them
// ("16x16/apps/lumora.png", "16x16/mimetypes/application-x-lumora-album.png").
std::vector<NamedImage> RenderDesktopIcons();

}  // namespace lumora::art
