#pragma once
#include "cli/cli_support.h"

namespace lumora::cli {

// lumora-cli album render FILE OUT.png [--position P] [--selection I]
// [--size WxH]: the album drawn as its window shows it, into a PNG file.
int RunAlbumRender(Arguments args);

// `album render ...` goes to RunAlbumRender, every other album command to
// RunAlbum.
int RunAlbumWithRender(Arguments args);

}  // namespace lumora::cli
