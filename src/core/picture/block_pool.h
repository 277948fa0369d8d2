#pragma once
// Memory for picture blocks. Large pictures come and go in a row (a folder
// of photos, a slideshow); fresh pages from the system cost far more than
// reading the file, so the last few large blocks freed are kept and handed
// out again, and fresh large blocks ask for huge pages.
#include <cstddef>
#include <cstdint>

namespace lumora {

struct PictureBlock {
    uint8_t* bytes = nullptr;
    size_t capacity = 0;
};

// A block of at least `size` bytes (contents undefined); bytes is null when
// memory fails.
PictureBlock TakePictureBlock(size_t size);
// Gives a block back: kept for reuse or returned to the system.
void GivePictureBlock(PictureBlock block) noexcept;
// Returns every kept block to the system.
void ReleaseKeptPictureBlocks() noexcept;

}  // namespace lumora
