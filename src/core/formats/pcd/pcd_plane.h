#pragma once
// One sample plane of a Photo CD picture (luma or a chroma component), one
// byte per sample. A plane is allocated at the size it will finally have
// and filled in place: small rows are read into its top-left corner and
// doubled until they cover it.
#include <cstdint>
#include <memory>

#include "core/formats/pcd/pcd_errors.h"

namespace lumora::pcd {

struct PcdPlane {
    uint32_t stride = 0;       // bytes from one row to the next
    uint32_t allocWidth = 0;   // the room the buffer has
    uint32_t allocHeight = 0;
    uint32_t width = 0;        // the part that holds samples now
    uint32_t height = 0;
    std::unique_ptr<uint8_t[]> pixels;

    explicit operator bool() const { return pixels != nullptr; }
    uint8_t* Row(uint32_t y) { return pixels.get() + size_t{y} * stride; }
    const uint8_t* Row(uint32_t y) const { return pixels.get() + size_t{y} * stride; }
};

// A plane with room for allocWidth x allocHeight samples, currently
// `width` x `height`, every current sample set to `fill`. Raises error 6
// and returns an empty plane when memory runs out (error 3 when the
// current size does not fit).
PcdPlane AllocatePlane(uint32_t allocWidth, uint32_t allocHeight, uint32_t width,
                       uint32_t height, uint8_t fill, PcdErrorLog& errors);

// Doubles the plane's current size in place by interpolation: even samples
// of even rows are the old samples, the others averages of their
// neighbours. Raises error 3 (and changes nothing) for a missing plane or
// one without room.
bool UpsamplePlane(PcdPlane& plane, PcdErrorLog& errors);

}  // namespace lumora::pcd
