// Picture files and names from anywhere, read for their capture time: the
// EXIF walk through JPEG segments, PNG and WebP chunks and the TIFF
// directories, and the date in a file name, must stay within the bytes.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "core/import/exif_capture_time.h"
#include "core/import/file_name_time.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    const std::span<const uint8_t> bytes(data, size);
    CaptureTimeInBytes(bytes);
    TiffCaptureTime(bytes);
    CaptureTimeFromFileName(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
