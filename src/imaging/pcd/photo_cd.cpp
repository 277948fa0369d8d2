#include "imaging/pcd/photo_cd.h"

namespace lumora {

// Not read yet: the Photo CD decoder is still to come.
HDIB ReadPhotoCDFile(const std::string& /*path*/)
{
    return {};
}

}  // namespace lumora
