#include "imaging/tga_reader.h"

namespace lumora {

// Not read yet: this format's reader is still to come.
HDIB ReadTGAFile(const std::string& /*path*/)
{
    return {};
}

}  // namespace lumora
