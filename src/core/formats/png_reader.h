#pragma once
// PNG files (extension PNG), decoded by libspng row by row straight into the
// picture: palette files give 8-bit pictures with their own colour table,
// every other kind a 24-bit picture. Sixteen-bit samples are reduced to
// eight; transparent pixels are laid over white. Only the first image of an
// animated file is shown (the default image every PNG carries).
#include <cstdint>
#include <span>
#include <string>

#include "core/picture/picture.h"
#include "core/picture/picture_file.h"
#include "core/picture/read_options.h"

namespace lumora {

// NotFound, NotThisType (no PNG signature), Damaged, TooLarge, OutOfMemory
// or Stopped when there is no picture.
ReadResult ReadPNGFile(const std::string& path, const ReadOptions& options = {});
ReadResult ReadPNGFile(const PictureFile& file, const ReadOptions& options = {});
ReadResult ReadPNGFromMemory(std::span<const uint8_t> bytes, const ReadOptions& options = {});

}  // namespace lumora
