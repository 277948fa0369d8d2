#pragma once
// Progress of the album being read: the item total from the file header and
// a counter that every item record advances. Process-wide, as only one
// album is read at a time.
#include <cstdint>

namespace lumora {

struct AlbumLoadProgress {
    uint16_t counter = 0;
    uint16_t total = 0;
};

AlbumLoadProgress& LoadProgress();

// Counts one more item read and moves the progress gauge. A damaged file
// may announce fewer items (even none) than it holds: the gauge is then
// given the count so far as its total, never 0.
void AdvanceLoadProgress();

}  // namespace lumora
