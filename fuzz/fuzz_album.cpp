// Album files from anywhere: the reader must refuse them with a load error
// or read them whole, never read or write out of bounds; what it reads must
// be writable again and read back the same. The heading alone (what the
// thumbnailer reads for a cover) must never fail where the whole file reads,
// and must read the same fields.
#include <cstddef>
#include <cstdint>

#include "core/album/album_document.h"
#include "core/album/album_heading.h"
#include "fuzz_album_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    AlbumFields heading;
    bool headingRead = false;
    try {
        MemorySource source({data, size});
        Archive ar(source);
        uint16_t itemTotal = 0;
        headingRead = ReadAlbumHeading(ar, heading, itemTotal);
    } catch (const ArchiveError&) {
    }
    AlbumDocument doc;
    if (!fuzz::ReadAlbumBytes(data, size, doc))
        return 0;
    // The whole settings value, on/off words included, must agree.
    if (!headingRead || heading.settings != doc.Settings() ||
        heading.storedFlags.flyleaf != doc.StoredFlags().flyleaf)
        __builtin_trap();  // the cover would disagree with the album
    for (const auto& item : doc.Items())
        if (!item->preview.IsEmpty() && !IsValidPicture(item->preview.Image().Bytes()))
            __builtin_trap();  // damaged pictures must have been dropped

    MemorySink first;
    {
        Archive ar(first);
        doc.WriteTo(ar);
        ar.Flush();
    }
    AlbumDocument again;
    MemorySource source({first.Bytes().data(), first.Bytes().size()});
    Archive in(source);
    again.ReadFrom(in);  // what we wrote must read back (throws = crash = bug)
    MemorySink second;
    Archive ar(second);
    again.WriteTo(ar);
    ar.Flush();
    if (first.Bytes() != second.Bytes())
        __builtin_trap();
    return 0;
}
