#include "core/album/album_heading.h"

#include <cctype>
#include <new>

#include "core/album/password_codec.h"
#include "core/formats/byte_source.h"
#include "core/platform/file.h"

namespace lumora {
namespace {

// Letters compare without regard to case ("qza20" is accepted too).
bool IsAlbumMagic(const uint8_t* bytes, size_t count)
{
    if (count != sizeof kAlbumMagic)
        return false;
    for (size_t i = 0; i < sizeof kAlbumMagic; ++i)
        if (std::toupper(bytes[i]) != kAlbumMagic[i])
            return false;
    return true;
}

}  // namespace

bool ReadAlbumHeading(Archive& ar, AlbumFields& fields, uint16_t& itemTotal)
{
    uint8_t magic[sizeof kAlbumMagic];
    if (!IsAlbumMagic(magic, ar.ReadAvailable(magic, sizeof magic))) {
        fields.wrongFormat = true;
        return false;
    }
    AlbumSettings& settings = fields.settings;
    StoredFlagWords& words = fields.storedFlags;
    fields.reservedHeader = ar.ReadString();
    words.headerTitle = ar.Read16();
    words.pageNumbers = ar.Read16();
    settings.frameStyle = static_cast<FrameStyle>(ar.Read16());
    words.useTabs = ar.Read16();
    settings.layout = static_cast<BookLayout>(ar.Read16());
    words.flyleaf = ar.Read16();
    settings.headerTitle = words.headerTitle != 0;
    settings.pageNumbers = words.pageNumbers != 0;
    settings.useTabs = words.useTabs != 0;
    settings.flyleaf = words.flyleaf != 0;
    settings.deskColor = ar.Read32();
    settings.title = ar.ReadString();
    settings.titleColor = ar.Read32();
    settings.titleEffect = static_cast<TitleEffect>(ar.Read16());
    settings.description = ar.ReadString();
    itemTotal = ar.Read16();
    settings.password = ReadPassword(ar);
    for (TextFont& font : settings.fonts) {
        LogFont record;
        SerializeFont(ar, record);
        font = FontOfRecord(record);
    }
    fields.wrongFormat = false;
    return true;
}

HeadingResult ReadAlbumHeadingFile(const std::string& path, AlbumFields& fields)
{
    File file;
    if (!file.Open(path, File::Mode::Read))
        return HeadingResult::CannotOpen;
    FileSource source(file);
    try {
        Archive ar(source);
        uint16_t itemTotal = 0;
        return ReadAlbumHeading(ar, fields, itemTotal) ? HeadingResult::Read : HeadingResult::NotAnAlbum;
    } catch (const ArchiveError&) {
        return HeadingResult::Damaged;
    } catch (const std::bad_alloc&) {
        return HeadingResult::Damaged;
    }
}

}  // namespace lumora
