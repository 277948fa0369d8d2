#include "core/album/password_codec.h"

#include "core/album/archive.h"
#include "core/album/text_codec.h"

namespace lumora {
namespace {

char16_t ShiftLowByte(char16_t unit, int delta)
{
    return static_cast<char16_t>((unit & 0xFF00) | ((unit + delta) & 0xFF));
}

}  // namespace

bool PasswordCanBeStored(const std::string& utf8)
{
    for (const char16_t unit : Utf8ToUtf16(utf8))
        if (unit == 0 || ShiftLowByte(unit, kPasswordOffset) == 0)
            return false;
    return true;
}

void WritePassword(Archive& ar, const std::string& utf8)
{
    // Up to the first character that ends the password.
    if (const auto ansi = Utf8ToWindows1252(utf8)) {
        std::string stored;
        for (const char c : *ansi) {
            const auto shifted = static_cast<char>(static_cast<uint8_t>(c) + kPasswordOffset);
            if (c == 0 || shifted == 0)
                break;
            stored += shifted;
        }
        ar.WriteAnsiString(stored);
        return;
    }
    std::u16string stored;
    for (const char16_t unit : Utf8ToUtf16(utf8)) {
        const char16_t shifted = ShiftLowByte(unit, kPasswordOffset);
        if (unit == 0 || shifted == 0)
            break;
        stored += shifted;
    }
    ar.WriteUnicodeString(stored);
}

// The password ends where the writer would have stopped: at a stored 0 (the
// character carried to 0 by the offset) or a stored character that comes
// back as 0.
std::string ReadPassword(Archive& ar)
{
    const Archive::RawString raw = ar.ReadRawString();
    if (raw.unicode) {
        std::u16string units;
        for (const char16_t unit : raw.units) {
            const char16_t plain = ShiftLowByte(unit, -kPasswordOffset);
            if (unit == 0 || plain == 0)
                break;
            units += plain;
        }
        return Utf16ToUtf8(units);
    }
    std::string bytes;
    for (const char c : raw.bytes) {
        const auto plain = static_cast<char>(static_cast<uint8_t>(c) - kPasswordOffset);
        if (c == 0 || plain == 0)
            break;
        bytes += plain;
    }
    return Windows1252ToUtf8(bytes);
}

}  // namespace lumora
