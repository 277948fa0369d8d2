#include "core/colour/nearest_color.h"

#include <limits>
#include <span>

#include "core/picture/app_palette.h"

namespace lumora {
namespace {

uint32_t ToColorRef(const ColorTriple& rgb)
{
    return static_cast<uint32_t>(rgb.red) | (static_cast<uint32_t>(rgb.green) << 8) |
           (static_cast<uint32_t>(rgb.blue) << 16);
}

int Distance(uint32_t color, const ColorTriple& entry)
{
    const int dr = static_cast<int>(color & 0xFF) - entry.red;
    const int dg = static_cast<int>((color >> 8) & 0xFF) - entry.green;
    const int db = static_cast<int>((color >> 16) & 0xFF) - entry.blue;
    return dr * dr + dg * dg + db * db;
}

uint32_t NearestIn(uint32_t color, std::span<const ColorTriple> entries)
{
    int best = std::numeric_limits<int>::max();
    uint32_t nearest = color;
    for (const ColorTriple& entry : entries) {
        const int distance = Distance(color, entry);
        if (distance < best) {
            best = distance;
            nearest = ToColorRef(entry);
        }
    }
    return nearest;
}

}  // namespace

uint32_t NearestScreenColor(uint32_t color, int screenDepth)
{
    color &= 0xFFFFFF;
    if (screenDepth > 8)
        return color;
    if (screenDepth > 4)
        return NearestIn(color, kAppPaletteColors);
    return NearestIn(color, kSixteenColors);
}

}  // namespace lumora
