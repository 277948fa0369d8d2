#pragma once
// The picture block a reader fills row by row. Unlike a new picture it leaves
// the pixel rows unwritten, which spares large pictures a pass over memory
// they are about to overwrite: the reader must write every byte of every
// row, padding included. The colour table starts black. (Large blocks come
// from the picture-memory pool, which already asks for huge pages.)
#include <cstdint>

#include "core/picture/picture.h"
#include "core/picture/read_options.h"

namespace lumora {

// TooLarge beyond the options' limit; Damaged for a bit count other than 1,
// 4, 8 or 24, a non-positive size or a pixel area above kMaxPixelBytes;
// OutOfMemory for a failed allocation.
ReadResult AllocPictureToFill(int32_t width, int32_t height, int bitCount, const ReadOptions& options);

}  // namespace lumora
