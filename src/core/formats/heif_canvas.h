#pragma once
// The size a HEIF file's primary picture is put together at, when it is a
// grid of tiles or an overlay of pictures: that size is written in the
// item's own data, not in its declared size, and the decoder allocates it
// before it looks at a single tile. A file that declares a 24 x 16 picture
// but a 16400 x 36636 grid would take gigabytes; the reader refuses such a
// file once it has this size in hand.
#include <cstdint>
#include <optional>
#include <span>

namespace lumora {

struct HeifCanvas {
    uint32_t width = 0;
    uint32_t height = 0;
    bool known = true;  // false: a grid or overlay whose size cannot be read
};

// The primary item's grid or overlay size (not `known` when its item data
// cannot be followed: such a file is refused, the decoder would take the
// size it reads its own way); nothing when the primary item is a coded
// picture or the item boxes cannot be followed (the decoder then judges
// the file alone).
std::optional<HeifCanvas> PrimaryHeifCanvas(std::span<const uint8_t> file);

}  // namespace lumora
