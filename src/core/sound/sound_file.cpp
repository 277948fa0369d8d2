#include "core/sound/sound_file.h"

#include <cstring>

#include "core/platform/file.h"

namespace lumora {
namespace {

// Larger than any MIDI sequence ever written, small beside a disk.
constexpr uint64_t kLargestMidiFile = 16u << 20;

uint32_t LittleEndian32(const uint8_t* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint32_t BigEndian32(const uint8_t* p)
{
    return (static_cast<uint32_t>(p[0]) << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

}  // namespace

SoundFileKind ReadSoundFileKind(ByteSource& source)
{
    uint8_t head[14];
    if (!source.SeekTo(0) || !source.ReadExactly(head, sizeof head))
        return SoundFileKind::None;
    const uint64_t length = source.Length();
    if (std::memcmp(head, "MThd", 4) == 0)
        return BigEndian32(head + 4) >= 6 && length <= kLargestMidiFile ? SoundFileKind::Midi : SoundFileKind::None;
    if (std::memcmp(head, "RIFF", 4) != 0)
        return SoundFileKind::None;
    // The RIFF size counts what follows its own eight bytes.
    if (length > uint64_t{LittleEndian32(head + 4)} + 8)
        return SoundFileKind::None;
    if (std::memcmp(head + 8, "WAVE", 4) == 0)
        return SoundFileKind::Wave;
    if (std::memcmp(head + 8, "RMID", 4) == 0 && length <= kLargestMidiFile)
        return SoundFileKind::Midi;
    return SoundFileKind::None;
}

SoundFileKind SoundFileKindOf(const std::string& path)
{
    File file;
    if (!file.Open(path, File::Mode::Read))
        return SoundFileKind::None;
    FileSource source(file);
    return ReadSoundFileKind(source);
}

}  // namespace lumora
