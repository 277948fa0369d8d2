#include "imaging/tiff_reader.h"

namespace lumora {

// Not read yet: this format's reader is still to come.
HDIB ReadTIFFFile(const std::string& /*path*/)
{
    return {};
}

}  // namespace lumora
