#pragma once
#include "cli/cli_support.h"

namespace lumora::cli {

// lumora-cli info FILE [--json]
int RunInfo(Arguments args);
// lumora-cli convert IN OUT.bmp [--app-palette] [--dither16] [--size WxH]
int RunConvert(Arguments args);

}  // namespace lumora::cli
