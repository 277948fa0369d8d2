#pragma once
// The program's string table: every user-visible text by its number, in
// UTF-8. 55000-55093 are the program's own texts, 57344 and above the
// document framework's prompts and messages.
#include <string>

namespace lumora {

// The text of string `id`; empty when the table has no such string.
std::string LoadString(int id);

// True when the table holds `id`.
bool HasString(int id);

}  // namespace lumora
