#pragma once
// A font as the program uses it: face, height, weight, italic, underline,
// strike-out. Album files store fonts as a LogFont record; a record is made
// from a TextFont and read into one at the file boundary only (the album
// heading, the items, the clipboard block). The record as read stays inside
// the font, so that what the program does not interpret (width,
// escapement, orientation, character set, precisions, quality, pitch and
// family, an italic byte other than 1) goes back to the file unchanged as
// long as the font means the same.
#include <cstdint>
#include <string>

#include "core/album/log_font.h"

namespace lumora {

struct TextFont {
    std::string faceName;
    int32_t height = 0;  // negative: character height in pixels
    int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    // The record this font was read from (or an empty one).
    LogFont stored;

    // Two fonts are equal when they make the same record.
    friend bool operator==(const TextFont& a, const TextFont& b);
};

// The font a record describes, keeping the record.
TextFont FontOfRecord(const LogFont& record);
// The record to write: the stored one with what the font says in place of
// what it no longer says. A width belongs to the face and height it was
// made for: it goes when either changed.
LogFont RecordOf(const TextFont& font);

// Times New Roman at `points` on a 96-dpi screen, italic: the album's
// default fonts.
TextFont DefaultAlbumFont(int points);

}  // namespace lumora
