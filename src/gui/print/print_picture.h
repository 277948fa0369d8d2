#pragma once
// Reading a photo for the printer: no more pixels than its printed size
// needs. A camera JPEG is decoded already reduced (DCT scaling) and then
// brought down smoothly to the printed size, so that a page of 12-megapixel
// photos costs a few megapixels, not a hundred.
#include <QImage>
#include <QSize>
#include <string>

namespace lumora {

// The picture at `path` no larger than it is drawn in a box of `box`
// device pixels (proportions kept; a smaller picture keeps its size), in
// 32 bits. A null image when the file cannot be read.
QImage LoadPictureForPrint(const std::string& path, QSize box);

}  // namespace lumora
