#pragma once
#include "core/layout/geometry.h"

namespace lumora {

// Size of a preview made for a picture box: the image scaled, up or down, to
// the largest size that fits the box with its aspect ratio kept, so that it
// touches the box on at least one side; a side never shrinks below one
// pixel. An image without pixels has no preview size (0 x 0).
Size FitPreviewSize(Size box, Size image);

}  // namespace lumora
