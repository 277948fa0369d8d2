#include "core/picture/picture_file.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora {

PictureFile PictureFile::Open(const std::string& path)
{
    PictureFile file;
    file.path_ = path;
    // O_NONBLOCK: opening a FIFO waits for a writer, a device may wait for
    // its hardware. It changes nothing for the regular file kept.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        file.error_ = ReadError::NotFound;
        file.missing_ = errno == ENOENT || errno == ENOTDIR;
        return file;
    }
    struct stat facts {};
    if (::fstat(fd, &facts) != 0 || !S_ISREG(facts.st_mode)) {
        ::close(fd);
        file.error_ = ReadError::NotThisType;
        return file;
    }
    file.fd_ = fd;
    file.error_ = ReadError::None;
    file.size_ = static_cast<uint64_t>(facts.st_size);
    file.modified_ = facts.st_mtime;
    return file;
}

PictureFile::~PictureFile() { Close(); }

PictureFile::PictureFile(PictureFile&& other) noexcept
    : fd_(other.fd_), error_(other.error_), path_(std::move(other.path_)), size_(other.size_),
      modified_(other.modified_), missing_(other.missing_)
{
    other.fd_ = -1;
    other.error_ = ReadError::NotFound;
}

PictureFile& PictureFile::operator=(PictureFile&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = other.fd_;
        error_ = other.error_;
        path_ = std::move(other.path_);
        size_ = other.size_;
        modified_ = other.modified_;
        missing_ = other.missing_;
        other.fd_ = -1;
        other.error_ = ReadError::NotFound;
    }
    return *this;
}

void PictureFile::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

size_t PictureFile::ReadAt(void* buffer, size_t count, uint64_t offset) const
{
    size_t moved = 0;
    auto* out = static_cast<char*>(buffer);
    while (moved < count) {
        const ssize_t n = ::pread(fd_, out + moved, count - moved, static_cast<off_t>(offset + moved));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        moved += static_cast<size_t>(n);
    }
    return moved;
}

PictureStream PictureFile::OpenStream() const
{
    // A descriptor of its own, so that closing the stream leaves this file
    // open; it shares the position, which is put at the start.
    const int copy = fd_ >= 0 ? ::fcntl(fd_, F_DUPFD_CLOEXEC, 0) : -1;
    if (copy < 0)
        return nullptr;
    if (::lseek(copy, 0, SEEK_SET) != 0) {
        ::close(copy);
        return nullptr;
    }
    std::FILE* stream = ::fdopen(copy, "rb");
    if (!stream)
        ::close(copy);
    return PictureStream(stream);
}

ReadError PictureFile::ReadAll(std::vector<uint8_t>& bytes, uint64_t limit) const
{
    if (fd_ < 0)
        return error_;
    if (size_ > limit)
        return ReadError::TooLarge;
    bytes.resize(static_cast<size_t>(size_));
    return ReadAt(bytes.data(), bytes.size(), 0) == bytes.size() ? ReadError::None : ReadError::Damaged;
}

}  // namespace lumora
