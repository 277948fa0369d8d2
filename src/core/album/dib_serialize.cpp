// Pictures inside album files: a 32-bit length, then that many bytes of the
// packed block (header, colour table, rows).
#include <algorithm>

#include "core/album/archive.h"
#include "core/picture_document/dib_object.h"

namespace lumora {
namespace {

// The length a picture is stored with: a 40-byte header, its colour table
// and its rows. A block that does not hold that many bytes (another header
// size) is stored whole, so the length always counts the bytes that follow.
uint32_t StoredLength(const Picture& picture)
{
    if (!picture || picture.Size() < kInfoHeaderSize || !IsValidPicture(picture.Bytes()))
        return static_cast<uint32_t>(picture.Size());
    const PictureSpan dib = picture.Span();
    const uint64_t length = kInfoHeaderSize + uint64_t{dib.ColorTableSize()} +
                            PictureRowBytes(dib.Width(), dib.BitCount()) * dib.Height();
    if (dib.HeaderSize() != kInfoHeaderSize || length > picture.Size())
        return static_cast<uint32_t>(picture.Size());
    return static_cast<uint32_t>(length);
}

}  // namespace

void Dib::Serialize(Archive& ar)
{
    if (ar.IsStoring()) {
        const uint32_t length = StoredLength(picture_);
        ar.Write32(length);
        ar.WriteBytes(picture_.Data(), length);
        return;
    }
    const uint32_t length = ar.Read32();
    ar.CheckCount(length, 1);
    picture_.Reset();
    palette_.clear();
    if (length == 0)
        return;
    Picture block = Picture::Block(length, false);
    if (!block)
        throw ArchiveError(ArchiveError::Cause::BadCount, "picture too large for memory");
    ar.ReadBytes(block.Data(), length);
    // A damaged picture is dropped rather than handed to the drawing code;
    // the rest of the album stays readable.
    if (IsValidPicture(block.Bytes()))
        Attach(std::move(block));
}

}  // namespace lumora
