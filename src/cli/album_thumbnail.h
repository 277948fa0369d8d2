#pragma once
#include "cli/cli_support.h"

namespace lumora::cli {

// lumora-cli thumbnail ALBUM OUT.png [--size N] [--spread 0]: the album's
// closed cover (or its first spread) fitted in N x N pixels, drawn from the
// album file alone, for file managers.
int RunThumbnail(Arguments args);

}  // namespace lumora::cli
