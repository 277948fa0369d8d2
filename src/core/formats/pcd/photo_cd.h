#pragma once
#include <string>

#include "core/formats/byte_source.h"
#include "core/picture/picture.h"
#include "core/picture/read_options.h"

namespace lumora {

// Reads a Kodak Photo CD image pack at the size options.photoCDSize
// chooses: 0..3 for 192 x 128, 384 x 256, 768 x 512 and 1536 x 1024; other
// codes mean 768 x 512. NotFound when the file cannot be opened, NotThisType
// without the pack's signature; a damaged pack still gives a picture, its
// faults in the result's photoCDErrors.
ReadResult ReadPhotoCDFile(const std::string& path, const ReadOptions& options = {});
ReadResult ReadPhotoCDFile(const PictureFile& file, const ReadOptions& options = {});

// The same from any source. Each call decodes on its own, so several may
// run at once.
ReadResult ReadPhotoCDFromSource(ByteSource& source, const ReadOptions& options = {});

}  // namespace lumora
