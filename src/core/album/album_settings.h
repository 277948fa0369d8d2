#pragma once
// An album's settings as one value of real types: what the properties and
// title dialogs show, what a settings edit changes. The album file's words
// for them are read and written at the file boundary (album_heading,
// AlbumDocument::WriteTo) only.
#include <array>
#include <cstdint>
#include <string>

#include "core/album/text_font.h"
#include "core/layout/layout_table.h"
#include "core/platform/rgb.h"

namespace lumora {

// How photos are framed on the page. A file may hold another number; it is
// kept as it was and drawn as the simple frame.
enum class FrameStyle : int16_t { Simple = 0, Corners = 1, Shadowed = 2 };
inline constexpr int kFrameStyleCount = 3;

// How the cover's title is drawn; another number is kept and drawn plain.
enum class TitleEffect : int16_t { Normal = 0, Engraved = 1, Embossed = 2 };
inline constexpr int kTitleEffectCount = 3;

// The page layout, by its place in the layout table. A file may hold
// another number; it is kept as it was, written back unchanged, and the
// pages are laid out with the default layout (Maxi 2+2).
enum class BookLayout : int16_t {
    Poster = 0,         // Poster 1+1
    Maxi = 1,           // Maxi 2+2
    Midi = 2,           // Midi 3+3
    Mini = 3,           // Mini 6+6
    Micro = 4,          // Micro 12+12
    PresentationX = 5,  // Présentation en X
    PresentationV = 6,  // Présentation en V
};
static_assert(static_cast<int>(BookLayout::PresentationV) + 1 == kLayoutCount);
static_assert(static_cast<int>(BookLayout::Maxi) == kDefaultLayout);

// Its number in the layout table (and in the album file).
constexpr int LayoutNumber(BookLayout layout) { return static_cast<int>(layout); }
// Whether a dialog offers it: one of the seven.
constexpr bool IsKnownLayout(BookLayout layout)
{
    return LayoutNumber(layout) >= 0 && LayoutNumber(layout) < kLayoutCount;
}
// The layout's boxes; the default layout's for a number no layout has.
inline const PageLayout& LayoutOf(BookLayout layout) { return LayoutAt(LayoutNumber(layout)); }

// The five fonts of an album, in file order.
enum AlbumFont { kTitleFont, kDescriptionFont, kPageTitleFont, kPageNumberFont, kPhotosFont };
constexpr int kAlbumFontCount = 5;

struct AlbumSettings {
    bool headerTitle = true;   // the page title at the top of each page
    bool pageNumbers = true;
    bool useTabs = false;
    FrameStyle frameStyle = FrameStyle::Simple;
    BookLayout layout = BookLayout::Maxi;
    bool flyleaf = true;
    Rgb deskColor = 0x808000;
    std::array<TextFont, kAlbumFontCount> fonts;
    std::string title;
    Rgb titleColor = 0x800000;
    TitleEffect titleEffect = TitleEffect::Engraved;
    std::string description;
    std::string password;  // decoded; empty = none
    friend bool operator==(const AlbumSettings&, const AlbumSettings&) = default;
};

// The on/off words exactly as an album file gave them. Other programs wrote
// values besides 0 and 1 into them; a flag the user did not change is
// written back with the file's word.
struct StoredFlagWords {
    uint16_t headerTitle = 1;
    uint16_t pageNumbers = 1;
    uint16_t useTabs = 0;
    uint16_t flyleaf = 1;
};

// The word to write for `on`: the stored one while it still means `on`.
constexpr uint16_t FlagWord(bool on, uint16_t stored)
{
    return (stored != 0) == on ? stored : static_cast<uint16_t>(on ? 1 : 0);
}

}  // namespace lumora
