#pragma once
// An album's settings as one value of real types: what the properties and
// title dialogs show, what a settings edit changes. The album file's words
// for them are read and written at the file boundary (album_heading,
// AlbumDocument::WriteTo) only.
#include <array>
#include <cstdint>
#include <string>

#include "core/album/log_font.h"
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

// The five fonts of an album, in file order.
enum AlbumFont { kTitleFont, kDescriptionFont, kPageTitleFont, kPageNumberFont, kPhotosFont };
constexpr int kAlbumFontCount = 5;

struct AlbumSettings {
    bool headerTitle = true;   // the page title at the top of each page
    bool pageNumbers = true;
    bool useTabs = false;
    FrameStyle frameStyle = FrameStyle::Simple;
    int16_t layoutIndex = kDefaultLayout;  // in the layout table
    bool flyleaf = true;
    Rgb deskColor = 0x808000;
    std::array<LogFont, kAlbumFontCount> fonts;
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
