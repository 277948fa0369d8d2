#pragma once
// What a sound file is, by its first bytes: the player takes WAVE and MIDI
// sequences, and nothing else may be given to an album as its sound or
// leave with a gathered album as one.
#include <cstdint>
#include <string>

#include "core/formats/byte_source.h"

namespace lumora {

enum class SoundFileKind { None, Wave, Midi };

// The kind of the sound at the start of `source` ("RIFF"…"WAVE", "MThd",
// or a MIDI sequence in a RIFF "RMID" file), None for anything else and for
// a file larger than its header allows: a WAVE or RIFF file beyond the size
// its RIFF header announces, a MIDI file beyond 16 MB.
SoundFileKind ReadSoundFileKind(ByteSource& source);

// The same for a file: opened without blocking, and None unless it is a
// regular file.
SoundFileKind SoundFileKindOf(const std::string& path);

}  // namespace lumora
