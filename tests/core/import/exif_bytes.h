#pragma once
// EXIF blocks built by hand for the capture-time tests: a TIFF structure
// with IFD0 pointing to an Exif directory that holds DateTimeOriginal and,
// when given, SubSecTimeOriginal; and the containers that carry it.
#include <cstdint>
#include <string>
#include <vector>

namespace lumora::test {

using Bytes = std::vector<uint8_t>;

inline void Put16(Bytes& out, uint16_t v, bool little)
{
    if (little)
        out.insert(out.end(), {uint8_t(v), uint8_t(v >> 8)});
    else
        out.insert(out.end(), {uint8_t(v >> 8), uint8_t(v)});
}

inline void Put32(Bytes& out, uint32_t v, bool little)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(little ? v >> (8 * i) : v >> (8 * (3 - i))));
}

// A TIFF structure: IFD0 at 8 with one entry (the Exif pointer), the Exif
// directory at 26 with one or two ASCII entries, their texts after it.
inline Bytes TiffWithDate(const std::string& dateTime, const std::string& subSeconds = {}, bool little = true)
{
    Bytes out = little ? Bytes{'I', 'I'} : Bytes{'M', 'M'};
    Put16(out, 42, little);
    Put32(out, 8, little);
    Put16(out, 1, little);                   // IFD0: one entry
    Put16(out, 0x8769, little);
    Put16(out, 4, little);
    Put32(out, 1, little);
    Put32(out, 26, little);                  // Exif IFD offset
    Put32(out, 0, little);                   // no next IFD
    const uint16_t entries = subSeconds.empty() ? 1 : 2;
    const uint32_t textsAt = 26 + 2 + entries * 12 + 4;
    Put16(out, entries, little);
    Put16(out, 0x9003, little);
    Put16(out, 2, little);
    Put32(out, uint32_t(dateTime.size() + 1), little);
    Put32(out, textsAt, little);
    if (!subSeconds.empty()) {
        Put16(out, 0x9291, little);
        Put16(out, 2, little);
        Put32(out, uint32_t(subSeconds.size() + 1), little);
        Bytes inlineText(subSeconds.begin(), subSeconds.end());
        inlineText.resize(4, 0);             // up to 3 digits sit in the entry
        out.insert(out.end(), inlineText.begin(), inlineText.end());
    }
    Put32(out, 0, little);
    out.insert(out.end(), dateTime.begin(), dateTime.end());
    out.push_back(0);
    return out;
}

inline Bytes ExifPayload(const Bytes& tiff)
{
    Bytes out = {'E', 'x', 'i', 'f', 0, 0};
    out.insert(out.end(), tiff.begin(), tiff.end());
    return out;
}

// `jpeg` with an APP1 Exif segment put right after its SOI marker.
inline Bytes JpegWithExif(const Bytes& jpeg, const Bytes& tiff)
{
    const Bytes payload = ExifPayload(tiff);
    Bytes out(jpeg.begin(), jpeg.begin() + 2);
    out.insert(out.end(), {0xFF, 0xE1});
    Put16(out, uint16_t(payload.size() + 2), false);
    out.insert(out.end(), payload.begin(), payload.end());
    out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
    return out;
}

inline Bytes PngWithExif(const Bytes& tiff)
{
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const auto chunk = [&](const char* type, const Bytes& data) {
        Put32(out, uint32_t(data.size()), false);
        out.insert(out.end(), type, type + 4);
        out.insert(out.end(), data.begin(), data.end());
        Put32(out, 0, false);  // CRC, not checked by the metadata reader
    };
    chunk("IHDR", Bytes(13, 1));
    chunk("eXIf", tiff);
    chunk("IEND", {});
    return out;
}

inline Bytes WebpWithExif(const Bytes& tiff)
{
    Bytes out = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'E', 'B', 'P'};
    const auto chunk = [&](const char* type, const Bytes& data) {
        out.insert(out.end(), type, type + 4);
        Put32(out, uint32_t(data.size()), true);
        out.insert(out.end(), data.begin(), data.end());
        if (data.size() & 1)
            out.push_back(0);
    };
    chunk("VP8X", Bytes(10, 0));
    chunk("ICCP", Bytes(3, 7));  // odd size: padded
    chunk("EXIF", tiff);
    return out;
}

}  // namespace lumora::test
