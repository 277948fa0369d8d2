#pragma once
// A picture file opened once, checked once, and handed to its reader: the
// readers take the open file rather than its name, so that a name is never
// opened twice and what was checked is what is read.
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "core/picture/read_result.h"

namespace lumora {

struct StreamCloser {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
};
using PictureStream = std::unique_ptr<std::FILE, StreamCloser>;

class PictureFile {
public:
    // Opens `path` for reading without waiting for anything (a FIFO without
    // a writer, a device) and keeps it only when it is a regular file:
    // NotFound when it cannot be opened, NotThisType for anything else.
    static PictureFile Open(const std::string& path);

    PictureFile() = default;
    ~PictureFile();
    PictureFile(PictureFile&& other) noexcept;
    PictureFile& operator=(PictureFile&& other) noexcept;
    PictureFile(const PictureFile&) = delete;
    PictureFile& operator=(const PictureFile&) = delete;

    explicit operator bool() const { return fd_ >= 0; }
    ReadError Error() const { return error_; }
    // Nothing by that name: the open failed because the file or a folder
    // on its way does not exist (rather than for want of rights).
    bool Missing() const { return missing_; }
    const std::string& Path() const { return path_; }
    int Descriptor() const { return fd_; }
    uint64_t Size() const { return size_; }
    std::time_t Modified() const { return modified_; }

    // Up to `count` bytes from `offset`; fewer at the end of the file.
    size_t ReadAt(void* buffer, size_t count, uint64_t offset) const;
    // A stdio stream of its own over the same file, at its start, for the
    // libraries that read through one (libjpeg, libspng). Null on failure.
    PictureStream OpenStream() const;
    // The whole file, for the decoders that want it in memory: TooLarge
    // beyond `limit` bytes, Damaged when it cannot all be read.
    ReadError ReadAll(std::vector<uint8_t>& bytes, uint64_t limit = uint64_t{1} << 31) const;

private:
    void Close();

    int fd_ = -1;
    ReadError error_ = ReadError::NotFound;
    std::string path_;
    uint64_t size_ = 0;
    std::time_t modified_ = 0;
    bool missing_ = false;
};

}  // namespace lumora
