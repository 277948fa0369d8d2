#pragma once
// A font as album files store it: the fields of a Windows LOGFONT, the
// file's record. The program itself uses TextFont (text_font.h), made from
// and into this record where a file is read or written.
#include <cstdint>
#include <string>

namespace lumora {

class Archive;

struct LogFont {
    int32_t height = 0;  // negative: character height in pixels
    int32_t width = 0;
    int32_t escapement = 0;
    int32_t orientation = 0;
    int32_t weight = 400;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t strikeOut = 0;
    uint8_t charSet = 0;
    uint8_t outPrecision = 0;
    uint8_t clipPrecision = 0;
    uint8_t quality = 0;
    uint8_t pitchAndFamily = 0;
    std::string faceName;

    friend bool operator==(const LogFont&, const LogFont&) = default;
};

// The font record: the five numbers as 16 bits (sign-extended on reading),
// the eight bytes, then the face name as a string.
void SerializeFont(Archive& ar, LogFont& font);

}  // namespace lumora
