#pragma once

namespace lumora {

// Bits per pixel times planes of the screen. Linux screens are true colour
// (24); LUMORA_SCREEN_DEPTH=4 or 8 forces the 16- and 256-colour paths so
// that they can be used and seen on a modern display.
int ScreenDepth();

// Whether JPEG files are read in 256 colours when no preference says so:
// only where the screen shows no more than 256 colours (8 bits or fewer);
// on a true-colour screen the dither would only spoil the photo.
bool Jpeg256ByDefault(int screenDepth);

}  // namespace lumora
