#include "core/album/safe_file.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace lumora {
namespace {

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The mode the new file gets: the old file's, or what creating it would give.
mode_t ModeFor(const std::string& target)
{
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

SafeFileWriter::~SafeFileWriter() { Discard(); }

bool SafeFileWriter::Open(const std::string& target)
{
    Discard();
    target_ = target;
    std::string pattern = DirectoryOf(target) + "/." + NameOf(target) + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = ::mkstemp(name.data());
    if (fd_ < 0)
        return false;
    temporary_ = name.data();
    ::fchmod(fd_, ModeFor(target));
    return true;
}

bool SafeFileWriter::Write(const uint8_t* bytes, size_t count)
{
    while (fd_ >= 0 && count > 0) {
        const ssize_t n = ::write(fd_, bytes, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = EIO;
            return false;
        }
        bytes += n;
        count -= static_cast<size_t>(n);
    }
    return fd_ >= 0;
}

bool SafeFileWriter::Commit()
{
    if (fd_ < 0)
        return false;
    if (::fsync(fd_) != 0) {
        const int error = errno;
        Discard();
        errno = error;
        return false;
    }
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0 || ::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        Discard();
        errno = error;
        return false;
    }
    temporary_.clear();
    return true;
}

void SafeFileWriter::Discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

}  // namespace lumora
