#pragma once
// The heading of an album file: the magic, the settings, the title and
// description, the password and the five fonts - everything before the
// tabs and items, and everything the closed cover shows. Reading it alone
// lets a file manager's thumbnail of a large album cost a few hundred bytes.
#include <string>

#include <cstdint>

#include "core/album/album_fields.h"
#include "core/album/archive.h"

namespace lumora {

inline constexpr char kAlbumMagic[5] = {'Q', 'Z', 'A', '2', '0'};

// Reads the heading into `fields` (the item total is returned in
// `itemTotal`). False, with `fields.wrongFormat` set, when the file does not
// start with the album magic; a damaged heading raises ArchiveError.
bool ReadAlbumHeading(Archive& ar, AlbumFields& fields, uint16_t& itemTotal);

// How reading an album's heading from a file ended.
enum class HeadingResult { Read, CannotOpen, NotAnAlbum, Damaged };

// Opens `path` (a regular file only, never blocking on a FIFO), reads its
// heading and nothing more. Tabs and items stay empty.
HeadingResult ReadAlbumHeadingFile(const std::string& path, AlbumFields& fields);

}  // namespace lumora
