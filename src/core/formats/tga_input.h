#pragma once
// Buffered reading for the Targa reader: hands out the requested bytes in
// place, straight from its buffer, refilling it as needed.
#include <cstdint>
#include <vector>

#include "core/formats/byte_source.h"

namespace lumora {

class TgaInput {
public:
    static constexpr size_t kBufferSize = 8192;

    explicit TgaInput(ByteSource& source) : source_(source), buffer_(kBufferSize) {}

    // `count` contiguous bytes, valid until the next call; null when the
    // file ends first.
    const uint8_t* Take(size_t count)
    {
        if (filled_ - next_ < count && !Fill(count))
            return nullptr;
        const uint8_t* bytes = buffer_.data() + next_;
        next_ += count;
        return bytes;
    }

    bool Skip(uint64_t count);

private:
    bool Fill(size_t count);

    ByteSource& source_;
    std::vector<uint8_t> buffer_;
    size_t next_ = 0;
    size_t filled_ = 0;
};

}  // namespace lumora
