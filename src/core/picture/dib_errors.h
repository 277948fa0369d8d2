#pragma once
// The picture library's own error texts, shown in a stop box of their own.
#include <string>

namespace lumora {

// The numbers keep those of the picture library's error table; the readers
// raise only the missing file themselves, every other failure goes through
// the readers' own messages.
enum class DIBError { FileNotFound = 19 };

// The text of a picture error ("File Not Found!").
std::string DIBErrorText(DIBError error);

}  // namespace lumora
