#include "core/gather/gathered_album.h"

#include "core/album/album_document.h"
#include "core/platform/file.h"

namespace lumora {

std::optional<std::string> GatheredAlbumBytes(const std::string& albumPath, const std::vector<GatherFile>& files)
{
    AlbumDocument album;
    try {
        File file;
        if (!file.Open(albumPath, File::Mode::Read))
            return std::nullopt;
        FileSource source(file);
        Archive reading(source);
        album.ReadFrom(reading);
        for (const GatherFile& gathered : files) {
            if (!gathered.namedInAlbum || gathered.item < 0 ||
                static_cast<size_t>(gathered.item) >= album.ItemCount())
                continue;
            const auto index = static_cast<size_t>(gathered.item);
            if (gathered.kind == GatherFile::Kind::Sound) {
                ItemContent content = ContentOf(album.Item(index));
                content.soundPath = gathered.target;
                album.Perform(MakeContentChange(album, index, std::move(content), ContentKind::SoundAttached));
            } else {
                album.Perform(MakePhotoFileChange(album, index, gathered.target));
            }
        }
        MemorySink sink;
        Archive writing(sink);
        album.WriteTo(writing);
        writing.Flush();
        return std::string(sink.Bytes().begin(), sink.Bytes().end());
    } catch (const ArchiveError&) {
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

}  // namespace lumora
