#include "imaging/gif_reader.h"

namespace lumora {

// Not read yet: this format's reader is still to come.
HDIB ReadGIFFile(const std::string& /*path*/)
{
    return {};
}

}  // namespace lumora
