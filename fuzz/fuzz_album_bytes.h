#pragma once
// The album harnesses' common start: fuzzer bytes read as an album file.
#include <cstddef>
#include <cstdint>

#include "core/album/album_document.h"

namespace lumora::fuzz {

// True when the bytes read whole as an album; false for a load error or a
// file that is no album, as the program would refuse them.
inline bool ReadAlbumBytes(const uint8_t* data, size_t size, AlbumDocument& doc)
{
    try {
        MemorySource source({data, size});
        Archive ar(source);
        doc.ReadFrom(ar);
    } catch (const ArchiveError&) {
        return false;
    }
    return !doc.WrongFormat();
}

}  // namespace lumora::fuzz
