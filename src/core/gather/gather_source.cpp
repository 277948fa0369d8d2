#include "core/gather/gather_source.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "core/formats/image_format.h"
#include "core/formats/picture_header.h"
#include "core/res/strings.h"
#include "core/sound/sound_file.h"

namespace lumora {

size_t DescriptorSource::Read(void* buffer, size_t count)
{
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < count) {
        const ssize_t n = ::pread(fd_, out + done, count - done, static_cast<off_t>(position_ + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<size_t>(n);
    }
    position_ += done;
    return done;
}

SourceVerdict CheckGatherSource(int fd, const struct stat& facts, const std::string& name, GatherSourceKind kind)
{
    if (!S_ISREG(facts.st_mode))
        return SourceVerdict::Refused;
    DescriptorSource source(fd, static_cast<uint64_t>(facts.st_size));
    if (kind == GatherSourceKind::Sound)
        return ReadSoundFileKind(source) == SoundFileKind::None ? SourceVerdict::Refused : SourceVerdict::Accepted;
    const int format = ImageFormat(name);
    const auto header = ReadPictureHeader(format, source);
    if (!header)
        return SourceVerdict::Refused;
    if (static_cast<uint64_t>(facts.st_size) > PlausiblePictureFileSize(format, *header))
        return SourceVerdict::Oversized;
    return SourceVerdict::Accepted;
}

SourceVerdict CheckGatherSource(const std::string& path, GatherSourceKind kind)
{
    // Never blocks: a FIFO opens at once and is refused as no regular file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return SourceVerdict::Unreadable;
    struct stat facts {};
    const SourceVerdict verdict =
        ::fstat(fd, &facts) == 0 ? CheckGatherSource(fd, facts, path, kind) : SourceVerdict::Unreadable;
    ::close(fd);
    return verdict;
}

std::string RefusalText(SourceVerdict verdict, const std::string& path)
{
    return LoadString(verdict == SourceVerdict::Oversized ? kStrSourceTooLarge : kStrNotPictureOrSound) + "\n" + path;
}

}  // namespace lumora
