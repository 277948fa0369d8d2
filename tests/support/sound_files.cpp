#include "support/sound_files.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace lumora::test {
namespace {

void Put16(std::vector<uint8_t>& out, unsigned value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, unsigned long value)
{
    Put16(out, static_cast<unsigned>(value & 0xFFFF));
    Put16(out, static_cast<unsigned>(value >> 16));
}

void PutBigEndian32(std::vector<uint8_t>& out, unsigned long value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void Write(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                 static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

void WriteToneWav(const std::string& path, double seconds)
{
    constexpr unsigned kRate = 22050;
    const auto samples = static_cast<unsigned long>(seconds * kRate);
    std::vector<uint8_t> out{'R', 'I', 'F', 'F'};
    Put32(out, 36 + samples * 2);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    Put32(out, 16);
    Put16(out, 1);  // PCM
    Put16(out, 1);  // mono
    Put32(out, kRate);
    Put32(out, kRate * 2);
    Put16(out, 2);
    Put16(out, 16);
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    Put32(out, samples * 2);
    for (unsigned long i = 0; i < samples; ++i) {
        const double value = 12000 * std::sin(2 * M_PI * 440 * static_cast<double>(i) / kRate);
        Put16(out, static_cast<unsigned>(static_cast<int16_t>(value)) & 0xFFFF);
    }
    Write(path, out);
}

void WriteMidiNote(const std::string& path, double seconds)
{
    constexpr unsigned kDivision = 96;  // ticks a quarter note; 120 beats a minute by default
    const auto ticks = static_cast<unsigned long>(seconds * 2 * kDivision);
    std::vector<uint8_t> track;
    track.insert(track.end(), {0x00, 0xC0, 0x00});        // piano
    track.insert(track.end(), {0x00, 0x90, 60, 110});     // note on
    // The note's length as a variable-length quantity.
    std::vector<uint8_t> length{static_cast<uint8_t>(ticks & 0x7F)};
    for (unsigned long rest = ticks >> 7; rest; rest >>= 7)
        length.insert(length.begin(), static_cast<uint8_t>(0x80 | (rest & 0x7F)));
    track.insert(track.end(), length.begin(), length.end());
    track.insert(track.end(), {0x80, 60, 0});             // note off
    track.insert(track.end(), {0x00, 0xFF, 0x2F, 0x00});  // end of track
    std::vector<uint8_t> out{'M', 'T', 'h', 'd'};
    PutBigEndian32(out, 6);
    out.insert(out.end(), {0, 0, 0, 1, 0, kDivision});
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    PutBigEndian32(out, track.size());
    out.insert(out.end(), track.begin(), track.end());
    Write(path, out);
}

AudibleSpan ReadAudibleSpan(const std::string& diskAudioFile)
{
    std::ifstream in(diskAudioFile, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    AudibleSpan span;
    const size_t samples = bytes.size() / 2;
    for (size_t i = 0; i < samples; ++i) {
        const auto value = static_cast<int16_t>(static_cast<uint8_t>(bytes[2 * i]) |
                                                (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
        if (std::abs(value) > 300) {
            const double at = static_cast<double>(i / 2) / 44100.0;
            if (span.first < 0)
                span.first = at;
            span.last = at;
        }
    }
    return span;
}

}  // namespace lumora::test
