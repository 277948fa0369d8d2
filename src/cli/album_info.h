#pragma once
// lumora-cli album info FILE [--json]: the album after pagination, its
// settings, fonts, tabs and items, as text or as one JSON object.
#include "cli/cli_support.h"

namespace lumora::cli {

int RunAlbumInfo(Arguments args);

}  // namespace lumora::cli
