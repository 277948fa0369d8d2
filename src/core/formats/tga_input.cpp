#include "core/formats/tga_input.h"

#include <algorithm>
#include <cstring>

namespace lumora {

bool TgaInput::Fill(size_t count)
{
    // Keep the unread bytes at the front; rows longer than the buffer
    // (wide uncompressed pictures) grow it.
    const size_t unread = filled_ - next_;
    std::memmove(buffer_.data(), buffer_.data() + next_, unread);
    next_ = 0;
    filled_ = unread;
    if (buffer_.size() < count)
        buffer_.resize(count);
    while (filled_ < count) {
        const size_t n = source_.Read(buffer_.data() + filled_, buffer_.size() - filled_);
        if (n == 0)
            return false;
        filled_ += n;
    }
    return true;
}

bool TgaInput::Skip(uint64_t count)
{
    while (count > 0) {
        const size_t piece = static_cast<size_t>(std::min<uint64_t>(count, kBufferSize));
        if (!Take(piece))
            return false;
        count -= piece;
    }
    return true;
}

}  // namespace lumora
