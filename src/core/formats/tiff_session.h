#pragma once
// Opening TIFF files and memory blocks with libtiff, with the library's
// messages routed to the program instead of the terminal.
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include <tiffio.h>

#include "core/picture/picture_file.h"

namespace lumora {

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

// What libtiff says while one file is read. Errors are kept and the first
// one goes with the read's result, to be shown as a stop box (one box per
// file, however many scanlines failed); warnings (unknown tags, old-style compression...) are
// dropped, as they do not stop the read.
class TiffMessages {
public:
    TiffMessages();
    ~TiffMessages();
    TiffMessages(const TiffMessages&) = delete;
    TiffMessages& operator=(const TiffMessages&) = delete;

    TIFFOpenOptions* Options() const { return options_; }
    bool HadError() const { return !firstError_.empty(); }
    const std::string& FirstError() const { return firstError_; }
    const std::string& FirstModule() const { return firstModule_; }

private:
    static int OnError(TIFF*, void* self, const char* module, const char* format, va_list args);
    static int OnWarning(TIFF*, void* self, const char* module, const char* format, va_list args);

    TIFFOpenOptions* options_;
    std::string firstError_, firstModule_;
};

// A memory block read by libtiff; must outlive the handle opened on it.
struct TiffMemory {
    std::span<const uint8_t> bytes;
    uint64_t position = 0;
};

TiffHandle OpenTiffFile(const PictureFile& file, const TiffMessages& messages);
TiffHandle OpenTiffMemory(TiffMemory& memory, const TiffMessages& messages);

}  // namespace lumora
