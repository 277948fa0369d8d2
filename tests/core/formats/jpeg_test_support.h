#pragma once
// libjpeg used directly, as the trusted reference the program's JPEG reader
// and writer are checked against.
#include <cstdint>
#include <string>
#include <vector>

#include "core/picture/picture.h"
#include "core/platform/services.h"

namespace lumora::test {

struct DecodedJpeg {
    uint32_t width = 0, height = 0;
    int components = 0;
    bool progressive = false;
    std::vector<uint8_t> samples;  // rows top first, `components` bytes a pixel
    std::vector<ColorTriple> colormap;     // when quantised
    std::vector<uint16_t> lumaTable;  // the first quantisation table, natural order
};

// Decodes a good file; `quantize` asks for 236 colours with
// Floyd-Steinberg dithering. Colour files come out RGB, grey ones grey.
DecodedJpeg DecodeReference(const std::string& path, bool quantize = false);

// libjpeg's picture at scale 1/8 from bytes in memory, as the program's
// reader asks for it (fast transform, plain upsampling), blue-green-red
// samples (greys too); no samples when libjpeg fails.
DecodedJpeg DecodeReferenceEighth(const std::vector<uint8_t>& bytes);

// The first quantisation table libjpeg makes for `quality`.
std::vector<uint16_t> LumaTableForQuality(int quality);

// Records what the readers and the writer do with the gauge.
class CountingProgress final : public ProgressSink {
public:
    // Installed for the object's lifetime.
    ScopedServices installed_{[this](Services& services) { services.progress = this; }};
    CountingProgress() = default;
    void Begin() override { ++begins; }
    void SetProgress(long done, long total) override
    {
        ++steps;
        lastDone = done;
        lastTotal = total;
    }
    void End() override { ++ends; }
    int begins = 0, ends = 0, steps = 0;
    long lastDone = 0, lastTotal = 0;
};

}  // namespace lumora::test
