#include "core/formats/rle8.h"

#include <algorithm>
#include <cstring>

namespace lumora {

void ExpandRLE8(std::span<const uint8_t> encoded, std::span<uint8_t> pixels, uint32_t stride)
{
    const size_t inEnd = encoded.size();
    const uint64_t outEnd = pixels.size();
    size_t in = 0;
    uint64_t row = 0;     // line being written, counted from the first in memory
    uint64_t column = 0;  // bytes written on this line so far

    // Writes `count` bytes from `source` (or `count` copies of `value`) at the
    // current position; false when the pixel area ended first.
    auto put = [&](size_t count, const uint8_t* source, uint8_t value) {
        const uint64_t at = row * stride + column;
        const uint64_t room = at < outEnd ? outEnd - at : 0;
        const size_t n = static_cast<size_t>(std::min<uint64_t>(count, room));
        if (source)
            std::memcpy(pixels.data() + at, source, n);
        else if (n)
            std::memset(pixels.data() + at, value, n);
        column += count;
        return n == count;
    };

    while (in + 2 <= inEnd) {
        const uint8_t count = encoded[in];
        const uint8_t value = encoded[in + 1];
        in += 2;
        if (count > 0) {
            if (!put(count, nullptr, value))
                return;
            continue;
        }
        switch (value) {
        case 0:  // end of line
            ++row;
            column = 0;
            break;
        case 1:  // end of picture
            return;
        case 2:  // delta: move right dx, up dy
            if (in + 2 > inEnd)
                return;
            column += encoded[in];
            row += encoded[in + 1];
            in += 2;
            break;
        default: {  // absolute run of `value` bytes, padded to even
            const size_t available = std::min<size_t>(value, inEnd - in);
            const bool complete = put(available, encoded.data() + in, 0);
            in += value + (value & 1u);
            if (!complete || available < value)
                return;
            break;
        }
        }
        if (row * stride + column > outEnd)
            return;
    }
}

}  // namespace lumora
