#include "core/album/log_font.h"

#include <array>

#include "core/album/archive.h"

namespace lumora {
namespace {

void Store16(Archive& ar, int32_t value) { ar.Write16(static_cast<uint16_t>(value)); }

int32_t Load16(Archive& ar) { return static_cast<int16_t>(ar.Read16()); }

// The eight single-byte fields, in record order.
std::array<uint8_t*, 8> ByteFields(LogFont& font)
{
    return {&font.italic,  &font.underline,    &font.strikeOut,     &font.charSet,
            &font.outPrecision, &font.clipPrecision, &font.quality, &font.pitchAndFamily};
}

}  // namespace

void SerializeFont(Archive& ar, LogFont& font)
{
    if (ar.IsStoring()) {
        for (const int32_t value : {font.height, font.width, font.escapement, font.orientation,
                                    font.weight})
            Store16(ar, value);
        for (const uint8_t* byte : ByteFields(font))
            ar.WriteBytes(byte, 1);
        ar.WriteString(font.faceName);
        return;
    }
    // Read into a fresh value so that a short record leaves `font` as it was.
    LogFont read;
    for (int32_t* value : {&read.height, &read.width, &read.escapement, &read.orientation,
                           &read.weight})
        *value = Load16(ar);
    for (uint8_t* byte : ByteFields(read))
        ar.ReadBytes(byte, 1);
    read.faceName = ar.ReadString();
    font = std::move(read);
}

}  // namespace lumora
