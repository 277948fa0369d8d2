// Uri-lists from any dragging program: every line read for a local file's
// path must stay within the bytes, and a path read back must come out of
// the address it makes unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/platform/file_uri.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    const std::string_view list(reinterpret_cast<const char*>(data), size);
    for (const std::string& path : LocalPathsOfUriList(list)) {
        const auto again = LocalPathsOfUriList(FileUri(path));
        if (again.size() != 1 || again.front() != path)
            std::abort();
    }
    return 0;
}
