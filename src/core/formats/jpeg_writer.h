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

enum JpegWriteResult : int {
    kJpegWritten = 0,  // written, or the picture was refused (nothing written)
    kJpegIgnored = 1,  // the file could not be made and the user chose Ignore
    kJpegAborted = 2,  // the file could not be made and the user chose Abort
};

// Writes a 1-, 4-, 8- or 24-bit picture as a baseline JFIF file at
// `quality` (1 to 100). Other pictures are refused. When the file cannot be
// created or written, the user is asked Abort, Retry or Ignore
// (kStrJpegCreateFailed and the path); Retry starts the file again. The
// file is replaced whole or not at all (AtomicFile); `failure` receives the
// last failure's reason.
// The progress gauge runs while it writes (EncodeJPEG is the silent way).
JpegWriteResult WriteJPEGFile(const Picture& dib, const std::string& path, int quality,
                              WriteFailure* failure = nullptr);
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
