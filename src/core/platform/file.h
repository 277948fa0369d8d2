#pragma once
// A plain file on disk, opened for reading or writing: our stand-in for the
// framework's file object. Reads and writes return how many bytes moved, so
// callers can tell a short read from an error-free one.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace lumora {

class File {
public:
    enum class Mode { Read, Write /* create or truncate */ };
    enum class Origin { Begin, Current, End };

    File() = default;
    File(const std::string& path, Mode mode) { Open(path, mode); }
    ~File() { Close(); }
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    bool Open(const std::string& path, Mode mode);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // Reads up to `count` bytes; fewer only at the end of the file or on error.
    size_t Read(void* buffer, size_t count);
    // True when all `count` bytes were written.
    bool Write(const void* buffer, size_t count);
    // The new position, or -1 on failure.
    int64_t Seek(int64_t offset, Origin origin);
    int64_t Length() const;

private:
    int fd_ = -1;
};

// True for an existing regular file (a directory does not count).
bool IsRegularFile(const std::string& path);

struct FileFacts {
    int64_t size = 0;
    std::time_t modified = 0;
};
std::optional<FileFacts> StatFile(const std::string& path);

}  // namespace lumora
