#pragma once

namespace lumora {

// Bits per pixel times planes of the screen. Linux screens are true colour
// (24); LUMORA_SCREEN_DEPTH=4 or 8 forces the 16- and 256-colour paths so
// that they can be used and seen on a modern display.
int ScreenDepth();

}  // namespace lumora
