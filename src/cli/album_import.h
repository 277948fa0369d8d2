#pragma once
#include "cli/cli_support.h"

namespace lumora::cli {

// lumora-cli album import ALBUM FOLDER [--by-day on|off] [--recursive]
// [--force]: a new album of the folder's pictures in capture order.
int RunAlbumImport(Arguments args);

}  // namespace lumora::cli
