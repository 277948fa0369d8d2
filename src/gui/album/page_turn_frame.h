#pragma once
// One frame of a turning page: the view as it was shown, with the page's
// outline inverted on it. Inverting the same outline again gives the view
// back, so the turn leaves the screen as it found it.
#include <QImage>
#include <QPoint>

#include "core/layout/geometry.h"

namespace lumora {

// `shown` is the viewport's picture, `scroll` the view's scroll position and
// `book` the book origin in the logical frame.
QImage PageTurnFrame(const QImage& shown, int frame, bool forward, Point book, QPoint scroll);

}  // namespace lumora
