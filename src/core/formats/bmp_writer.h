#pragma once
// Writing a packed DIB as a Windows bitmap file: the 14-byte file header
// followed by the block as it is.
#include <string>
#include <vector>

#include "core/picture/picture.h"
#include "core/platform/atomic_file.h"

namespace lumora {

std::vector<uint8_t> EncodeBMPFile(const Picture& dib);
// Replaces `path` whole (see AtomicFile); false when the picture cannot be
// written as a bitmap file or the file could not be replaced (`failure`
// then says why; it stays empty for a picture that cannot be encoded).
bool WriteBMPFile(const std::string& path, const Picture& dib, WriteFailure* failure = nullptr);

}  // namespace lumora
