#include "core/platform/file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace lumora {

File::File(File&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

File& File::operator=(File&& other) noexcept
{
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

bool File::Open(const std::string& path, Mode mode)
{
    Close();
    // Opening never blocks (a FIFO would wait for its other end) and only
    // regular files are kept: a device or FIFO is refused with ENODEV, a
    // directory with EISDIR, before a byte is read or written.
    const int flags = mode == Mode::Read ? O_RDONLY : O_WRONLY | O_CREAT;
    fd_ = ::open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd_ < 0)
        return false;
    struct stat st {};
    if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int error = S_ISDIR(st.st_mode) ? EISDIR : ENODEV;
        Close();
        errno = error;
        return false;
    }
    ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
    if (mode == Mode::Write && ::ftruncate(fd_, 0) != 0) {
        const int error = errno;
        Close();
        errno = error;
        return false;
    }
    return true;
}

void File::Close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

size_t File::Read(void* buffer, size_t count)
{
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (fd_ >= 0 && done < count) {
        const ssize_t n = ::read(fd_, out + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    return done;
}

bool File::Write(const void* buffer, size_t count)
{
    const auto* in = static_cast<const char*>(buffer);
    size_t done = 0;
    while (fd_ >= 0 && done < count) {
        const ssize_t n = ::write(fd_, in + done, count - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<size_t>(n);
    }
    return done == count;
}

int64_t File::Seek(int64_t offset, Origin origin)
{
    if (fd_ < 0)
        return -1;
    const int whence = origin == Origin::Begin ? SEEK_SET
                       : origin == Origin::Current ? SEEK_CUR
                                                   : SEEK_END;
    return ::lseek(fd_, offset, whence);
}

int64_t File::Length() const
{
    struct stat st {};
    if (fd_ < 0 || ::fstat(fd_, &st) != 0)
        return -1;
    return st.st_size;
}

bool IsRegularFile(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<FileFacts> StatFile(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileFacts{st.st_size, st.st_mtime};
}

}  // namespace lumora
