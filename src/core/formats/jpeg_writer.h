#pragma once
// Writing pictures as JPEG files (albums gathered with conversion).
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/picture/picture.h"
#include "core/platform/atomic_file.h"

namespace lumora {

// What writing a JPEG file came to. Nothing is asked or shown: a caller
// that offers to try again (the gather) asks its own question.
enum class JpegWriteOutcome {
    Written,
    Refused,  // not a picture JPEG files hold (CanWriteJPEG): nothing written
    Failed,   // the file could not be made or written: `failure` says why
};
struct JpegWriteResult {
    JpegWriteOutcome outcome = JpegWriteOutcome::Written;
    WriteFailure failure;
    explicit operator bool() const { return outcome == JpegWriteOutcome::Written; }
};

// Writes a 1-, 4-, 8- or 24-bit picture as a baseline JFIF file at
// `quality` (1 to 100). The file is replaced whole or not at all
// (AtomicFile). The status text names the file and the progress gauge runs
// while it writes (EncodeJPEG is the silent way). A picture wider or taller
// than JPEG allows fails with EFBIG before any memory is taken.
JpegWriteResult WriteJPEGFile(const Picture& dib, const std::string& path, int quality);
// The words the program shows when a JPEG file could not be made
// (kStrJpegCreateFailed, then the path).
std::string JpegWriteFailedText(const std::string& path);
// True for the pictures WriteJPEGFile writes (1, 4, 8 or 24 bits, valid).
bool CanWriteJPEG(const Picture& dib);

// The same picture as the bytes of a JPEG file, made in memory without a
// word to the user (worker threads). Nothing for a picture WriteJPEGFile
// refuses, a failure inside libjpeg, or when `cancelled` (asked every few
// rows) answers true.
std::optional<std::vector<uint8_t>> EncodeJPEG(const Picture& dib, int quality,
                                               const std::function<bool()>& cancelled = {});

// The gather's compression rate (1 to 99) as a JPEG quality.
int JpegQualityForCompression(int rate);

}  // namespace lumora
