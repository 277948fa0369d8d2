#pragma once
// A file read byte by byte through a 32767-byte read-ahead buffer.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "core/formats/byte_source.h"
#include "core/platform/file.h"

namespace lumora {

class BufferedFile {
public:
    static constexpr size_t kBufferSize = 32767;

    // Opens `path` for reading; IsOpen() tells whether that worked.
    explicit BufferedFile(const std::string& path);
    // Reads from a source the caller keeps alive (a block in memory).
    explicit BufferedFile(ByteSource& source);

    bool IsOpen() const { return source_ != nullptr; }

    // The next byte; past the end of the file, 0 (and PastEnd() turns true).
    uint8_t ReadByte()
    {
        if (position_ >= filled_)
            Refill();
        if (position_ >= filled_) {
            pastEnd_ = true;
            return 0;
        }
        return buffer_[position_++];
    }

    // Moves the file and empties the buffer.
    bool Seek(int64_t offset, File::Origin origin);

    bool PastEnd() const { return pastEnd_; }
    uint64_t Length() const { return source_ ? source_->Length() : 0; }
    // Position of the next byte ReadByte() returns.
    uint64_t Tell() const;

private:
    void Refill();

    File file_;
    std::unique_ptr<FileSource> fileSource_;
    ByteSource* source_ = nullptr;
    std::unique_ptr<std::array<uint8_t, kBufferSize>> bufferStorage_;
    uint8_t* buffer_ = nullptr;
    size_t position_ = kBufferSize;
    size_t filled_ = 0;
    bool pastEnd_ = false;
};

}  // namespace lumora
