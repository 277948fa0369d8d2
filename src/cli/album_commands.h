#pragma once
#include "cli/cli_support.h"

namespace lumora::cli {

// lumora-cli album new|add|add-text|add-tab|delete|delete-tab|tab|text|describe|set|info FILE ...
int RunAlbum(Arguments args);

}  // namespace lumora::cli
