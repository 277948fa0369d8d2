#pragma once
// The capture time a camera writes into a photo: EXIF DateTimeOriginal with
// its SubSecTimeOriginal, found in a JPEG's APP1 segment, a PNG's eXIf chunk,
// a WebP's EXIF chunk or a HEIF file's Exif item. Every offset is checked
// against the bytes at hand; a damaged structure gives no time.
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "core/import/capture_time.h"

namespace lumora {

// From a TIFF structure (byte-order mark, IFD0 with its Exif directory).
std::optional<CaptureTime> TiffCaptureTime(std::span<const uint8_t> tiff);

// From the first bytes of a picture file, whatever its kind (told by its
// signature, not its name): JPEG, PNG and WebP. HEIF needs its boxes read
// from the file (EmbeddedCaptureTime).
std::optional<CaptureTime> CaptureTimeInBytes(std::span<const uint8_t> bytes);

// From a picture file: at most the first few hundred kilobytes are read
// (the metadata comes before the pixels in every camera's files), the
// HEIF family through libheif, which reads its boxes but no image.
std::optional<CaptureTime> EmbeddedCaptureTime(const std::string& path);

}  // namespace lumora
