#pragma once
// The colour a screen really shows for a requested colour: a true-colour
// screen shows it as it is, a 256-colour screen the nearest colour of the
// application palette, a 16-colour screen the nearest of the sixteen
// standard colours. Dialogs use it so that a colour the user picks is the
// one the album will be drawn with.
#include <cstdint>

namespace lumora {

// `color` and the result are Rgb values (0x00BBGGRR); `screenDepth` is
// bits per pixel as ScreenDepth() reports it. Nearest means the smallest
// squared distance in red, green and blue; the first entry wins a tie.
uint32_t NearestScreenColor(uint32_t color, int screenDepth);

}  // namespace lumora
