#pragma once
// The largest picture the readers accept, checked from the declared size
// before any pixel memory is taken. A file of a few hundred bytes may declare
// a canvas of two thousand million pixels; such a picture is refused with a
// message instead of being allocated and decoded for minutes.
#include <cstdint>
#include <string>

namespace lumora {

// 200 million pixels, or LUMORA_MAX_MEGAPIXELS (a positive whole number of
// millions) from the environment for whoever needs larger panoramas.
uint64_t MaxPicturePixels();

// True when a width x height picture may be read. Otherwise reports
// "Image trop grande…" (once per call) and returns false.
bool CheckPictureSize(uint64_t width, uint64_t height);

// The same without a message (fuzzing, quick checks).
bool PictureSizeAllowed(uint64_t width, uint64_t height);

// Reports the "Mémoire insuffisante" message for a picture that could not
// be given its memory.
void ReportPictureOutOfMemory(const std::string& path);

}  // namespace lumora
