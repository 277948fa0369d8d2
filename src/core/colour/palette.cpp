#include "core/colour/palette.h"

#include <algorithm>

#include "core/picture/app_palette.h"
#include "core/picture/byte_order.h"

namespace lumora {

const Palette& AppPalette()
{
    static const Palette palette = [] {
        Palette p;
        p.reserve(kAppPaletteColors.size());
        for (const ColorTriple& c : kAppPaletteColors)
            p.push_back({c.red, c.green, c.blue, 0});
        return p;
    }();
    return palette;
}

const Palette& DefaultPalette()
{
    static const Palette palette = {
        {0x00, 0x00, 0x00, 0}, {0x80, 0x00, 0x00, 0}, {0x00, 0x80, 0x00, 0},
        {0x80, 0x80, 0x00, 0}, {0x00, 0x00, 0x80, 0}, {0x80, 0x00, 0x80, 0},
        {0x00, 0x80, 0x80, 0}, {0xC0, 0xC0, 0xC0, 0}, {0xC0, 0xDC, 0xC0, 0},
        {0xA4, 0xC8, 0xF0, 0}, {0xFF, 0xFB, 0xF0, 0}, {0xA0, 0xA0, 0xA4, 0},
        {0x80, 0x80, 0x80, 0}, {0xFF, 0x00, 0x00, 0}, {0x00, 0xFF, 0x00, 0},
        {0xFF, 0xFF, 0x00, 0}, {0x00, 0x00, 0xFF, 0}, {0xFF, 0x00, 0xFF, 0},
        {0x00, 0xFF, 0xFF, 0}, {0xFF, 0xFF, 0xFF, 0},
    };
    return palette;
}

Palette MakeDIBPalette(const Picture& dib)
{
    Palette palette;
    if (!dib)
        return palette;
    const PictureSpan block = dib.Span();
    const uint16_t count = block.ColorCount();
    const unsigned entrySize = block.HeaderSize() == kCoreHeaderSize ? 3 : 4;
    const uint8_t* table = block.Data() + block.HeaderSize();
    palette.resize(count);
    for (unsigned i = 0; i < count; ++i, table += entrySize)
        palette[i] = {table[2], table[1], table[0], 0};
    return palette;
}

Palette CopyPalette(const Palette& palette) { return palette; }

void FillColorTableFromPalette(uint8_t* dib, const Palette* palette, ColorTableMode mode)
{
    const BitmapInfoHeader header = BitmapInfoHeader::Read(dib);
    uint32_t count = header.clrUsed;
    if (count == 0 && header.bitCount <= 8)
        count = 1u << header.bitCount;
    if (count == 3 && header.compression == kCompressionBitFields)
        count = 0;
    if (count == 0)
        return;

    uint8_t* table = dib + kInfoHeaderSize;
    if (mode == ColorTableMode::PaletteIndices) {
        for (uint32_t i = 0; i < count; ++i)
            WriteLE16(table + i * 2, static_cast<uint16_t>(i));
        return;
    }
    const Palette& source = palette ? *palette : DefaultPalette();
    const size_t copied = std::min<size_t>({source.size(), count, 256});
    for (size_t i = 0; i < copied; ++i) {
        table[i * 4] = source[i].blue;
        table[i * 4 + 1] = source[i].green;
        table[i * 4 + 2] = source[i].red;
        table[i * 4 + 3] = 0;
    }
}

}  // namespace lumora
