#pragma once
// Ordered dithering to the eight pure colours of the sixteen-colour table,
// for 16-colour screens.
#include "core/picture/picture.h"

namespace lumora {

// 24-bit source -> 4-bit picture of the same size; any other depth: empty.
Picture DitherTo16(const Picture& source);
// 8-bit source (looked up in its colour table) -> 4-bit; otherwise empty.
Picture DitherPalettedTo16(const Picture& source);

}  // namespace lumora
