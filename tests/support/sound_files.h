#pragma once
// Small sound files made on the spot for the sound tests.
#include <string>

namespace lumora::test {

// A 16-bit mono 22050 Hz WAVE file holding a 440 Hz tone of `seconds`.
void WriteToneWav(const std::string& path, double seconds);
// A standard MIDI file: one piano note of `seconds` (format 0).
void WriteMidiNote(const std::string& path, double seconds);

// What an SDL "disk" audio output file (signed 16-bit samples) holds: the
// first and last sample louder than a whisper, in seconds at 44100 Hz
// stereo. Both -1 for silence.
struct AudibleSpan {
    double first = -1;
    double last = -1;
    double Length() const { return first < 0 ? 0 : last - first; }
};
AudibleSpan ReadAudibleSpan(const std::string& diskAudioFile);

}  // namespace lumora::test
