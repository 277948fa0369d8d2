#include "core/album/text_font.h"

#include "core/colour/halftone.h"

namespace lumora {
namespace {

// The record's byte for an on/off field: its own while it still means `on`.
uint8_t FlagByte(bool on, uint8_t stored) { return (stored != 0) == on ? stored : static_cast<uint8_t>(on ? 1 : 0); }

}  // namespace

bool operator==(const TextFont& a, const TextFont& b) { return RecordOf(a) == RecordOf(b); }

TextFont FontOfRecord(const LogFont& record)
{
    TextFont font;
    font.faceName = record.faceName;
    font.height = record.height;
    font.weight = record.weight;
    font.italic = record.italic != 0;
    font.underline = record.underline != 0;
    font.strikeOut = record.strikeOut != 0;
    font.stored = record;
    return font;
}

LogFont RecordOf(const TextFont& font)
{
    LogFont record = font.stored;
    if (record.faceName != font.faceName || record.height != font.height)
        record.width = 0;
    record.faceName = font.faceName;
    record.height = font.height;
    record.weight = font.weight;
    record.italic = FlagByte(font.italic, record.italic);
    record.underline = FlagByte(font.underline, record.underline);
    record.strikeOut = FlagByte(font.strikeOut, record.strikeOut);
    return record;
}

TextFont DefaultAlbumFont(int points)
{
    TextFont font;
    font.height = -MulDiv(points, 96, 72);
    font.weight = 400;
    font.italic = true;
    font.faceName = "Times New Roman";
    return font;
}

}  // namespace lumora
