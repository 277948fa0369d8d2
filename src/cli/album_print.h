#pragma once
#include "cli/cli_support.h"

namespace lumora::cli {

// lumora-cli album print ALBUM OUT.pdf [--covers] [--descriptions on|off]
// [--paper A4|Letter] [--dpi N]: the album's pages, or its three cover
// sheets, printed into a PDF file.
int RunAlbumPrint(Arguments args);

// lumora-cli poster IMAGE OUT.pdf --width-cm C [--paper A4|Letter]
// [--dpi N], or with --dry-run [--printable WxH] only the tiling.
int RunPoster(Arguments args);

}  // namespace lumora::cli
