#pragma once
// Conversions between the program's UTF-8 strings and the encodings of the
// album file: Windows-1252 ("ANSI") bytes, or UTF-16 units for strings that
// Windows-1252 cannot hold.
#include <optional>
#include <string>

namespace lumora {

// Each Windows-1252 byte as UTF-8. The five bytes the code page leaves
// undefined come back as the C1 controls of the same value.
std::string Windows1252ToUtf8(const std::string& bytes);

// The Windows-1252 bytes of a UTF-8 string, or nothing when a character has
// no byte there (or the string is not valid UTF-8).
std::optional<std::string> Utf8ToWindows1252(const std::string& utf8);

// UTF-8 to UTF-16. Bytes that are not valid UTF-8 (a Linux file name in
// another encoding) become the lone surrogates U+DC80..U+DCFF, which
// Utf16ToUtf8 turns back into the same bytes, so such names survive.
std::u16string Utf8ToUtf16(const std::string& utf8);
std::string Utf16ToUtf8(const std::u16string& units);

}  // namespace lumora
