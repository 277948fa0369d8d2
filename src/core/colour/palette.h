#pragma once
// Logical palettes as plain values: the entries of a colour table as red,
// green, blue and flags, in slot order.
#include <cstdint>
#include <vector>

#include "core/picture/picture.h"

namespace lumora {

struct PaletteEntry {
    uint8_t red = 0, green = 0, blue = 0, flags = 0;
    friend bool operator==(const PaletteEntry&, const PaletteEntry&) = default;
};

// An empty palette means "none" (a 24-bit picture has none).
using Palette = std::vector<PaletteEntry>;

// The 256 colours every picture made for a 16- or 256-colour screen carries.
const Palette& AppPalette();

// The platform's stock default palette (the twenty static colours), used
// where a colour table is filled without a palette.
const Palette& DefaultPalette();

// One entry per colour-table entry of the picture; empty for a picture
// without colour table.
Palette MakeDIBPalette(const Picture& dib);

Palette CopyPalette(const Palette& palette);

enum class ColorTableMode { Rgb = 0, PaletteIndices = 1 };

// Fills the colour table of a locked 40-byte block from the palette (the
// default palette when null). Palette-index mode writes 16-bit indices
// 0, 1, 2...; RGB mode copies at most 256 entries, never more than the table
// holds.
void FillColorTableFromPalette(uint8_t* dib, const Palette* palette, ColorTableMode mode);

}  // namespace lumora
