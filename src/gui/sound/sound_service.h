#pragma once
// The windowed program's sound player: SDL_mixer, with the end of a sound
// handed from SDL's audio thread to the event loop, where it stops the sound
// still current (which clears the playing flag the slideshow waits on).
#include <memory>

#include "core/platform/services.h"

namespace lumora {

std::unique_ptr<SoundPlayer> MakeEventLoopSoundPlayer();

}  // namespace lumora
