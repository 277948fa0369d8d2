#pragma once
// Where a reader takes its bytes from: a file on disk or a block in memory
// (the program's own pictures, fuzzing). Reads return the count actually
// moved, so a short file shows as a short read.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <span>

#include "core/picture/picture_file.h"
#include "core/platform/file.h"

namespace lumora {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual bool SeekTo(uint64_t position) = 0;
    virtual uint64_t Position() const = 0;
    virtual uint64_t Length() const = 0;

    uint64_t Remaining() const
    {
        const uint64_t length = Length(), position = Position();
        return position < length ? length - position : 0;
    }
    bool ReadExactly(void* buffer, size_t count) { return Read(buffer, count) == count; }
};

class FileSource final : public ByteSource {
public:
    explicit FileSource(File& file) : file_(file), length_(static_cast<uint64_t>(std::max<int64_t>(file.Length(), 0))) {}
    size_t Read(void* buffer, size_t count) override
    {
        const size_t n = file_.Read(buffer, count);
        position_ += n;
        return n;
    }
    bool SeekTo(uint64_t position) override
    {
        if (file_.Seek(static_cast<int64_t>(position), File::Origin::Begin) < 0)
            return false;
        position_ = position;
        return true;
    }
    uint64_t Position() const override { return position_; }
    uint64_t Length() const override { return length_; }

private:
    File& file_;
    uint64_t length_;
    uint64_t position_ = 0;
};

// An open picture file, read from a position of its own.
class PictureFileSource final : public ByteSource {
public:
    explicit PictureFileSource(const PictureFile& file) : file_(file) {}
    size_t Read(void* buffer, size_t count) override
    {
        const size_t n = file_.ReadAt(buffer, count, position_);
        position_ += n;
        return n;
    }
    bool SeekTo(uint64_t position) override
    {
        position_ = position;
        return true;
    }
    uint64_t Position() const override { return position_; }
    uint64_t Length() const override { return file_.Size(); }

private:
    const PictureFile& file_;
    uint64_t position_ = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    size_t Read(void* buffer, size_t count) override;
    bool SeekTo(uint64_t position) override
    {
        position_ = position;
        return true;
    }
    uint64_t Position() const override { return position_; }
    uint64_t Length() const override { return bytes_.size(); }

private:
    std::span<const uint8_t> bytes_;
    uint64_t position_ = 0;
};

}  // namespace lumora
