#pragma once
// ZSoft PCX files of version 5: 1-bit, 16-colour (four 1-bit planes),
// 256-colour and 24-bit (three 8-bit planes) pictures, run-length coded.
// Failures show nothing; the result says what went wrong.
#include <string>

#include "core/formats/byte_source.h"
#include "core/picture/picture.h"
#include "core/picture/read_options.h"

namespace lumora {

ReadResult ReadPCXFile(const std::string& path, const ReadOptions& options = {});
ReadResult ReadPCXFile(const PictureFile& file, const ReadOptions& options = {});

// The same from any byte source holding a whole PCX file.
ReadResult ReadPCXFromSource(ByteSource& source, const ReadOptions& options = {});

}  // namespace lumora
