#pragma once
// Keeping windows on the screen they open on: a placement saved under
// another screen or another scale factor may lie partly or wholly outside
// the screen the program now has.
#include <QRect>

class QWidget;

namespace lumora {

// `window` moved, and shrunk where it is larger, so that it lies wholly
// inside `available`; a window already inside is returned unchanged.
QRect FitInside(const QRect& window, const QRect& available);

// The available geometry (the screen less its panels) of the screen that
// holds the centre of `window`, else of the primary screen; empty without
// any screen.
QRect AvailableGeometryFor(const QRect& window);

// Moves (and if need be shrinks) the top-level `widget`, frame included,
// onto the available geometry of its screen.
void KeepOnScreen(QWidget& widget);

}  // namespace lumora
