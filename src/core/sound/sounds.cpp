#include "core/sound/sounds.h"

#include <filesystem>
#include <system_error>

#include "core/album/album_document.h"
#include "core/platform/services.h"
#include "core/album/find_album_file.h"

namespace lumora {
namespace {

bool IsFile(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

const AlbumItem* PhotoAt(const AlbumDocument& album, int index)
{
    if (index < 0 || static_cast<size_t>(index) >= album.ItemCount())
        return nullptr;
    const AlbumItem* item = &album.Item(static_cast<size_t>(index));
    return item->IsPhoto() ? item : nullptr;
}

}  // namespace

bool PlaySoundFile(const std::string& path)
{
    SoundPlayer& player = CurrentSoundPlayer();
    player.Stop();
    CurrentStatusDisplay().BeginWaitCursor();
    const bool playing = player.Play(path);
    CurrentStatusDisplay().EndWaitCursor();
    return playing;
}

void StopSound() { CurrentSoundPlayer().Stop(); }

bool SoundPlaying() { return CurrentSoundPlayer().IsPlaying(); }

std::string FindAlbumSound(const std::string& storedPath, const std::string& albumPath)
{
    const std::string name = StoredFileName(storedPath);
    if (!albumPath.empty() && !name.empty()) {
        const size_t slash = albumPath.find_last_of('/');
        const std::string besideAlbum = (slash == std::string::npos ? std::string() : albumPath.substr(0, slash + 1)) + name;
        if (IsFile(besideAlbum))
            return besideAlbum;
    }
    return storedPath;
}

bool PlayItemSound(const AlbumItem& item, const AlbumDocument* album)
{
    if (item.soundPath.empty())
        return false;
    return PlaySoundFile(album ? FindAlbumSound(item.soundPath, album->Path()) : item.soundPath);
}

bool SetItemSound(AlbumDocument& album, int index, const std::string& soundPath)
{
    const AlbumItem* photo = PhotoAt(album, index);
    if (!photo || soundPath.empty())
        return false;
    if (photo->soundPath == soundPath)
        return true;  // nothing to change, nothing to undo
    ItemContent content = ContentOf(*photo);
    content.soundPath = soundPath;
    album.Perform(MakeContentChange(album, static_cast<size_t>(index), std::move(content),
                                    ContentKind::SoundAttached));
    return true;
}

bool RemoveItemSound(AlbumDocument& album, int index)
{
    const AlbumItem* photo = PhotoAt(album, index);
    if (!photo || photo->soundPath.empty())
        return false;
    ItemContent content = ContentOf(*photo);
    content.soundPath.clear();
    album.Perform(MakeContentChange(album, static_cast<size_t>(index), std::move(content),
                                    ContentKind::SoundRemoved));
    return true;
}

}  // namespace lumora
