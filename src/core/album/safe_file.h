#pragma once
// Writing a file so that it is replaced only whole: the bytes go to a
// temporary file beside the target, which is flushed to disk and renamed
// over the target at the end. Until then (and after any failure) the
// target is untouched; an uncommitted temporary file is removed.
#include <string>

#include "core/album/archive.h"

namespace lumora {

class SafeFileWriter final : public ArchiveSink {
public:
    SafeFileWriter() = default;
    ~SafeFileWriter() override;
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Creates the temporary file; false (errno set) when that fails.
    bool Open(const std::string& target);
    bool Write(const uint8_t* bytes, size_t count) override;
    // Flushes, closes and renames; false (errno set) when any step fails.
    bool Commit();

private:
    void Discard();

    std::string target_;
    std::string temporary_;
    int fd_ = -1;
};

}  // namespace lumora
