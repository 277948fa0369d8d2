#include "core/formats/byte_source.h"

#include <algorithm>
#include <cstring>

namespace lumora {

size_t MemorySource::Read(void* buffer, size_t count)
{
    if (position_ >= bytes_.size())
        return 0;
    const size_t n = static_cast<size_t>(std::min<uint64_t>(count, bytes_.size() - position_));
    std::memcpy(buffer, bytes_.data() + position_, n);
    position_ += n;
    return n;
}

}  // namespace lumora
