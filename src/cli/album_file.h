#pragma once
// Opening and saving an album for a command: on failure the program's text
// (and a damaged file's cause on its second line) is printed on stderr.
#include <string>

#include "core/album/album_document.h"

namespace lumora::cli {

bool OpenAlbumFile(AlbumDocument& doc, const std::string& path);
// The command line never replaces a version another program wrote since
// the album was read: that save fails.
bool SaveAlbumFile(AlbumDocument& doc, const std::string& path);

}  // namespace lumora::cli
