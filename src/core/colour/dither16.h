#pragma once
// Ordered dithering to the eight pure colours of the sixteen-colour table,
// for 16-colour screens.
#include "core/picture/dib.h"

namespace lumora {

// 24-bit source -> 4-bit picture of the same size; any other depth: empty.
HDIB DitherTo16(const HDIB& source);
// 8-bit source (looked up in its colour table) -> 4-bit; otherwise empty.
HDIB DitherPalettedTo16(const HDIB& source);

}  // namespace lumora
