#pragma once
// Laying a partly transparent sample over a white page.
#include <cstdint>

namespace lumora {

inline uint8_t OverWhite(unsigned value, unsigned alpha)
{
    return static_cast<uint8_t>((value * alpha + 255u * (255u - alpha) + 127u) / 255u);
}

}  // namespace lumora
