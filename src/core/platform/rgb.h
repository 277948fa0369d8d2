#pragma once
// A colour as album files and the initialisation file store it: red in the
// low byte, then green, then blue (0x00BBGGRR).
#include <cstdint>

namespace lumora {

using Rgb = uint32_t;

constexpr Rgb MakeRgb(uint8_t red, uint8_t green, uint8_t blue)
{
    return static_cast<Rgb>(red) | (static_cast<Rgb>(green) << 8) | (static_cast<Rgb>(blue) << 16);
}
constexpr uint8_t RedOf(Rgb color) { return color & 0xFF; }
constexpr uint8_t GreenOf(Rgb color) { return (color >> 8) & 0xFF; }
constexpr uint8_t BlueOf(Rgb color) { return (color >> 16) & 0xFF; }

}  // namespace lumora
