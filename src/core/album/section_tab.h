#pragma once
// A section tab ("onglet") of an album: a named, coloured marker. Items
// name their section by an index into the document's tab array.
#include <array>
#include <cstdint>
#include <string>

#include "core/album/archive.h"
#include "core/platform/rgb.h"

namespace lumora {

// The colours a new tab takes from its number n, at n mod 6.
inline constexpr std::array<Rgb, 6> kTabColors = {
    0x800000,  // dark blue
    0x008000,  // dark green
    0x808080,  // grey
    0x808000,  // dark cyan
    0x800080,  // dark magenta
    0x008080,  // olive
};

// The number a tab added by the user takes: one of the table's colours at
// random, the same way in the window and on the command line.
int RandomTabNumber();

class SectionTab {
public:
    static const ArchiveClass kClass;  // "COnglet", schema 3

    // An empty tab, filled from a file.
    SectionTab() = default;
    // A new tab: white label, colour from the table by `number`.
    SectionTab(std::string name, int number);

    // The tab record: name, reserved text, tab colour, name colour.
    void Serialize(Archive& ar);

    std::string name;
    std::string reserved;  // never filled by the program; kept as read
    Rgb tabColor = 0;
    Rgb nameColor = 0;
    int32_t firstPage = 0;  // set by pagination, not stored
};

}  // namespace lumora
