#pragma once
// A date and time written into a file's name by the phone or camera that
// made it: IMG_20250614_183012.jpg, 2025-06-14 18.30.12.heic,
// PXL_20250614_183012345.jpg, Screenshot_2025-06-14-18-30-12.png,
// VID-20250614-WA0001 (a date alone: midnight).
#include <optional>
#include <string_view>

#include "core/import/capture_time.h"

namespace lumora {

// The first valid date (years 1970 to 2099) in `name`, with the time that
// follows it when there is one; the digits must stand apart from other
// digits, so that a serial number is not taken for a date.
std::optional<CaptureTime> CaptureTimeFromFileName(std::string_view name);

}  // namespace lumora
