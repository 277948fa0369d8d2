#pragma once
// Truevision Targa files: colour-mapped, true-colour and grey pictures,
// plain or run-length coded. Colour-mapped and grey files give 8-bit
// pictures, true-colour files 24-bit ones. Failures show nothing; the
// result says what went wrong.
#include <string>

#include "core/formats/byte_source.h"
#include "core/picture/picture.h"
#include "core/picture/read_options.h"

namespace lumora {

ReadResult ReadTGAFile(const std::string& path, const ReadOptions& options = {});
ReadResult ReadTGAFile(const PictureFile& file, const ReadOptions& options = {});

// The same from any byte source positioned at the start of a Targa file.
ReadResult ReadTGAFromSource(ByteSource& source, const ReadOptions& options = {});

}  // namespace lumora
