#include "imaging/pcx_reader.h"

namespace lumora {

// Not read yet: this format's reader is still to come.
HDIB ReadPCXFile(const std::string& /*path*/)
{
    return {};
}

}  // namespace lumora
