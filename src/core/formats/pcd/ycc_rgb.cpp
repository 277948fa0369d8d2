#include "core/formats/pcd/ycc_rgb.h"

#include <algorithm>
#include <array>

namespace lumora::pcd {
namespace {

// Each component's share of each output, precomputed for every sample value.
struct ProductTables {
    std::array<int32_t, 256> luma;           // Y x 1391, in all three outputs
    std::array<int32_t, 256> chroma2Red;     // C2 x 1865 - 255023
    std::array<int32_t, 256> chroma1Green;   // C1 x -441
    std::array<int32_t, 256> chroma2Green;   // C2 x -949 + 199313
    std::array<int32_t, 256> chroma1Blue;    // C1 x 2271 - 353784
    std::array<uint8_t, 1024> scale;         // 0..1023 down to 0..255

    ProductTables()
    {
        for (int32_t v = 0; v < 256; ++v) {
            const size_t i = static_cast<size_t>(v);
            luma[i] = v * 1391;
            chroma2Red[i] = v * 1865 - 255023;
            chroma1Green[i] = v * -441;
            chroma2Green[i] = v * -949 + 199313;
            chroma1Blue[i] = v * 2271 - 353784;
        }
        for (size_t i = 0; i < scale.size(); ++i)
            scale[i] = static_cast<uint8_t>(i / 4);
    }

    uint8_t Output(int32_t sum) const
    {
        // Arithmetic shift: negative sums stay negative and clamp to 0.
        return scale[static_cast<size_t>(std::clamp(sum >> 8, 0, 1023))];
    }
};

const ProductTables& Tables()
{
    static const ProductTables tables;  // built once, read-only afterwards
    return tables;
}

inline RgbSample Convert(const ProductTables& t, uint8_t y, uint8_t c1, uint8_t c2)
{
    const int32_t l = t.luma[y];
    return {t.Output(l + t.chroma2Red[c2]),
            t.Output(l + t.chroma1Green[c1] + t.chroma2Green[c2]),
            t.Output(l + t.chroma1Blue[c1])};
}

}  // namespace

RgbSample YccToRgb(uint8_t luma, uint8_t chroma1, uint8_t chroma2)
{
    return Convert(Tables(), luma, chroma1, chroma2);
}

bool ConvertPlanesToRgb(PcdPlane& luma, PcdPlane& chroma1, PcdPlane& chroma2,
                        PcdErrorLog& errors)
{
    if (!luma || !chroma1 || !chroma2 || chroma1.width != luma.width ||
        chroma2.width != luma.width || chroma1.height != luma.height ||
        chroma2.height != luma.height) {
        errors.Raise(kPcdErrConsistency);
        return false;
    }
    const ProductTables& t = Tables();
    for (uint32_t y = 0; y < luma.height; ++y) {
        uint8_t* r = luma.Row(y);
        uint8_t* g = chroma1.Row(y);
        uint8_t* b = chroma2.Row(y);
        for (uint32_t x = 0; x < luma.width; ++x) {
            const RgbSample rgb = Convert(t, r[x], g[x], b[x]);
            r[x] = rgb.red;
            g[x] = rgb.green;
            b[x] = rgb.blue;
        }
    }
    return true;
}

}  // namespace lumora::pcd
