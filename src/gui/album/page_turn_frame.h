#pragma once
// One frame of a turning page: the view as it was shown, with the page's
// outline inverted on it. Inverting the same outline again gives the view
// back, so the turn leaves the screen as it found it.
#include <QImage>

#include "core/layout/view_transform.h"

namespace lumora {

// `shown` is the viewport's picture in device pixels (its device pixel
// ratio set) and `view` the transform it was drawn with: the outline is
// placed and drawn as thick as one book pixel is at that zoom and ratio.
QImage PageTurnFrame(const QImage& shown, int frame, bool forward, const ViewTransform& view);

}  // namespace lumora
