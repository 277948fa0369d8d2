#include "core/formats/buffered_file.h"

#include <cstring>

namespace lumora {

BufferedFile::BufferedFile(const std::string& path)
    : bufferStorage_(std::make_unique<std::array<uint8_t, kBufferSize>>()),
      buffer_(bufferStorage_->data())
{
    if (file_.Open(path, File::Mode::Read)) {
        fileSource_ = std::make_unique<FileSource>(file_);
        source_ = fileSource_.get();
    }
}

BufferedFile::BufferedFile(ByteSource& source)
    : source_(&source),
      bufferStorage_(std::make_unique<std::array<uint8_t, kBufferSize>>()),
      buffer_(bufferStorage_->data())
{
}

void BufferedFile::Refill()
{
    std::memset(buffer_, 0, kBufferSize);
    filled_ = source_ ? source_->Read(buffer_, kBufferSize) : 0;
    position_ = 0;
}

bool BufferedFile::Seek(int64_t offset, File::Origin origin)
{
    if (!source_)
        return false;
    int64_t base = 0;
    if (origin == File::Origin::Current)
        base = static_cast<int64_t>(Tell());
    else if (origin == File::Origin::End)
        base = static_cast<int64_t>(source_->Length());
    const int64_t target = base + offset;
    position_ = kBufferSize;
    filled_ = 0;
    pastEnd_ = false;
    return target >= 0 && source_->SeekTo(static_cast<uint64_t>(target));
}

uint64_t BufferedFile::Tell() const
{
    if (!source_)
        return 0;
    const uint64_t unread = position_ < filled_ ? filled_ - position_ : 0;
    return source_->Position() - unread;
}

}  // namespace lumora
