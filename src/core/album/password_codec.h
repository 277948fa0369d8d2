#pragma once
// How an album's password is kept in the file: every character shifted by a
// fixed offset, so the password cannot be read from the file as it stands.
#include <cstdint>
#include <string>

namespace lumora {

class Archive;

// Added (modulo 256) to each Windows-1252 byte; in the Unicode form, to the
// low byte of each UTF-16 unit. The one character that becomes 0, and would
// end the stored password there, is U+0081, a control character that no
// keyboard types.
constexpr uint8_t kPasswordOffset = 0x7F;

// False for a password holding U+0081 (or a zero byte).
bool PasswordCanBeStored(const std::string& utf8);

void WritePassword(Archive& ar, const std::string& utf8);
std::string ReadPassword(Archive& ar);

}  // namespace lumora
