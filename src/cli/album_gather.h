#pragma once
#include "cli/cli_support.h"

namespace lumora::cli {

// lumora-cli album gather ALBUM DEST [--jpeg on|off] [--compression N]
// [--sounds on|off] [--viewer on|off] [--web-sizes on|off]: the album, its
// pictures (or JPEG copies), its sounds and the web viewer (with each
// photo's copies for the screen) gathered into DEST. One line per
// file written; the first file error stops with its message (code 1).
int RunAlbumGather(Arguments args);

}  // namespace lumora::cli
