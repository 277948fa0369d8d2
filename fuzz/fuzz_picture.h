#pragma once
// What every reader harness checks on a decoded picture: the reader handed
// out a well-formed block, and every conversion the program applies to
// pictures runs over it without going out of bounds.
#include <cstdint>

#include "core/picture/picture.h"
#include "core/picture/dib_rgb.h"
#include "core/picture/read_result.h"
#include "core/colour/dither16.h"
#include "core/colour/halftone.h"

namespace lumora::fuzz {

inline void ExercisePicture(const Picture& dib)
{
    if (!dib)
        return;
    if (!IsValidPicture(dib.Bytes()))
        __builtin_trap();
    // Keep each run fast; the size limits themselves are unit-tested.
    if (uint64_t{dib.Width()} * dib.Height() > (1u << 22))
        return;
    (void)ConvertToAppPalette(dib, AppPalette());
    (void)ResizeToAppPalette(dib, 17, 11, AppPalette());
    (void)DitherTo16(dib);
    (void)DitherPalettedTo16(dib);
    (void)DIBToRGB32TopDown(dib);
}

// A read's result: a picture exactly when no error is named, and the
// messages it makes can always be made.
inline void ExercisePicture(const ReadResult& read)
{
    if (static_cast<bool>(read.picture) != (read.error == ReadError::None))
        __builtin_trap();
    (void)ReadMessages(read);
    ExercisePicture(read.picture);
}

}  // namespace lumora::fuzz
