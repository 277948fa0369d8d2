#include "core/album/text_codec.h"

#include <array>
#include <cstdint>

namespace lumora {
namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page equals
// Latin-1.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t CodePointOfByte(uint8_t byte)
{
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
}

std::optional<uint8_t> ByteOfCodePoint(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<uint8_t>(cp);
    for (size_t i = 0; i < kHighControls.size(); ++i)
        if (kHighControls[i] == cp)
            return static_cast<uint8_t>(0x80 + i);
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one strict UTF-8 sequence at `i` (advancing it), or gives
// kInvalid and advances by one byte.
char32_t NextCodePoint(const std::string& s, size_t& i)
{
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(s[k]); };
    const uint8_t lead = byte(i);
    size_t length = 0;
    char32_t cp = 0, minimum = 0;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, cp = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, cp = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, cp = lead & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return kInvalid;
    }
    if (i + length > s.size()) {
        ++i;
        return kInvalid;
    }
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return kInvalid;
        }
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return kInvalid;
    }
    i += length;
    return cp;
}

}  // namespace

std::string Windows1252ToUtf8(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char c : bytes)
        AppendUtf8(out, CodePointOfByte(static_cast<uint8_t>(c)));
    return out;
}

std::optional<std::string> Utf8ToWindows1252(const std::string& utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const char32_t cp = NextCodePoint(utf8, i);
        if (cp == kInvalid)
            return std::nullopt;
        const auto byte = ByteOfCodePoint(cp);
        if (!byte)
            return std::nullopt;
        out += static_cast<char>(*byte);
    }
    return out;
}

std::u16string Utf8ToUtf16(const std::string& utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        const size_t start = i;
        const char32_t cp = NextCodePoint(utf8, i);
        if (cp == kInvalid) {
            out += static_cast<char16_t>(0xDC00 + static_cast<uint8_t>(utf8[start]));
        } else if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string Utf16ToUtf8(const std::u16string& units)
{
    std::string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        const char16_t u = units[i];
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] <= 0xDFFF) {
            AppendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xDC80 && u <= 0xDCFF) {
            out += static_cast<char>(u - 0xDC00);  // a byte kept from a non-UTF-8 name
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            AppendUtf8(out, 0xFFFD);
        } else {
            AppendUtf8(out, u);
        }
    }
    return out;
}

}  // namespace lumora
