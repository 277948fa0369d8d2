#include "imaging/jpeg_reader.h"

namespace lumora {

// Not read yet: this format's reader is still to come.
HDIB ReadJPEGFile(const std::string& /*path*/)
{
    return {};
}

}  // namespace lumora
