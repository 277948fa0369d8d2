#pragma once
// A section tab ("onglet") of an album: a named, coloured marker. Items
// name their section by an index into the document's tab array.
#include <array>
#include <cstdint>
#include <string>

#include "album/archive.h"

namespace lumora {

using COLORREF = uint32_t;  // 0x00BBGGRR

// The colours a new tab takes from its number n, at n mod 6.
inline constexpr std::array<COLORREF, 6> kTabColors = {
    0x800000,  // dark blue
    0x008000,  // dark green
    0x808080,  // grey
    0x808000,  // dark cyan
    0x800080,  // dark magenta
    0x008080,  // olive
};

class COnglet {
public:
    static const ArchiveClass kClass;  // "COnglet", schema 3

    // An empty tab, filled from a file.
    COnglet() = default;
    // A new tab: white label, colour from the table by `number`.
    COnglet(std::string name, int number);

    // The tab record: name, reserved text, tab colour, name colour.
    void Serialize(CArchive& ar);

    std::string name;
    std::string reserved;  // never filled by the program; kept as read
    COLORREF tabColor = 0;
    COLORREF nameColor = 0;
    int32_t firstPage = 0;  // set by pagination, not stored
};

}  // namespace lumora
