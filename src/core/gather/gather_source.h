#pragma once
// What may leave with a gathered album: pictures of a kind the program
// reads, with a header that matches the reader their name chooses and no
// more bytes than that picture can plausibly take, and WAVE or MIDI sounds.
// Anything else named as a photo or a sound (a key, a system file, a FIFO,
// a device, a directory, a sparse giant) stays where it is.
#include <cstdint>
#include <string>
#include <sys/stat.h>

#include "core/formats/byte_source.h"

namespace lumora {

// A source the gather reads through an open descriptor, at positions of its
// own (pread): checking it does not move the descriptor the copy reads.
class DescriptorSource final : public ByteSource {
public:
    DescriptorSource(int fd, uint64_t length) : fd_(fd), length_(length) {}
    size_t Read(void* buffer, size_t count) override;
    bool SeekTo(uint64_t position) override
    {
        position_ = position;
        return true;
    }
    uint64_t Position() const override { return position_; }
    uint64_t Length() const override { return length_; }

private:
    int fd_;
    uint64_t length_;
    uint64_t position_ = 0;
};

enum class GatherSourceKind { Picture, Sound };

enum class SourceVerdict {
    Accepted,
    Unreadable,  // could not be opened (missing, no permission, a link loop)
    Refused,     // neither a picture nor a sound, or not a regular file
    Oversized,   // far larger than the picture it announces
};

// Checks an opened source; `name` chooses the picture reader.
SourceVerdict CheckGatherSource(int fd, const struct stat& facts, const std::string& name, GatherSourceKind kind);

// Opens `path` without blocking and checks it.
SourceVerdict CheckGatherSource(const std::string& path, GatherSourceKind kind);

// The question's text for a refused or oversized source (kStrNotPictureOrSound,
// kStrSourceTooLarge), a newline and the path.
std::string RefusalText(SourceVerdict verdict, const std::string& path);

}  // namespace lumora
