#pragma once
// The sound commands of the command line: attaching a sound to an album's
// photo or removing it, and playing a sound file to its end.
#include "cli/cli_support.h"

namespace lumora::cli {

int RunAlbumSound(Arguments args);  // album sound FILE INDEX SOUNDFILE | --remove
int RunSound(Arguments args);       // sound play SOUNDFILE

}  // namespace lumora::cli
