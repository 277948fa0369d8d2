#include "cli/album_sound_commands.h"
#include "cli/album_file.h"

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>

#include "cli/album_options.h"
#include "core/album/album_document.h"
#include "core/platform/file.h"
#include "core/platform/sdl_sound_player.h"
#include "core/sound/sound_file.h"
#include "core/sound/sounds.h"

// Under LeakSanitizer: the audio libraries (SDL, SDL_mixer, the MIDI synthesiser
// and what they load) keep some allocations until the process ends.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libSDL2\nleak:libSDL2_mixer\nleak:libfluidsynth\nleak:libinstpatch\nleak:libglib\n"
           "leak:libpulse\nleak:libasound\nleak:libdbus\n";
}

namespace lumora::cli {
namespace {

constexpr const char* kAlbumSoundUsage =
    "usage : lumora-cli album sound FICHIER INDEX SEQUENCE | lumora-cli album sound FICHIER INDEX --remove";


// The end notices of the player, waited for on the main thread.
class EndWaiter {
public:
    void Post(std::function<void()> task)
    {
        std::lock_guard lock(mutex_);
        task_ = std::move(task);
        arrived_.notify_all();
    }
    // Runs notices until the player says it has stopped.
    void WaitForEnd(const SoundPlayer& player)
    {
        std::unique_lock lock(mutex_);
        while (player.IsPlaying()) {
            arrived_.wait(lock, [this] { return static_cast<bool>(task_); });
            auto task = std::move(task_);
            task_ = nullptr;
            lock.unlock();
            task();
            lock.lock();
        }
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::function<void()> task_;
};

}  // namespace

int RunAlbumSound(Arguments args)
{
    const bool remove = args.TakeFlag("--remove");
    if (const auto unknown = args.FirstUnknownOption())
        return Fail(kExitUsage, "option inconnue : " + *unknown + " (" + kAlbumSoundUsage + ")");
    const auto& words = args.Positionals();
    if (words.size() != (remove ? 2u : 3u))
        return Fail(kExitUsage, kAlbumSoundUsage);
    const auto index = ParseIndex(words[1]);
    if (!index)
        return Fail(kExitUsage, "INDEX invalide : " + words[1]);
    std::string sound;
    if (!remove) {
        // Opened without blocking, and only a WAVE or MIDI file is taken:
        // the album hands this file to whoever gathers it.
        if (!IsRegularFile(words[2]))
            return Fail(kExitFailed, "séquence sonore introuvable : " + words[2]);
        if (SoundFileKindOf(words[2]) == SoundFileKind::None)
            return Fail(kExitFailed, "ce fichier n'est ni une séquence WAVE ni une séquence MIDI : " + words[2]);
        // Albums keep the user's full paths.
        sound = std::filesystem::absolute(words[2]).lexically_normal().string();
    }
    AlbumDocument doc;
    if (!OpenAlbumFile(doc, words[0]))
        return kExitFailed;  // reported on stderr
    const auto& items = doc.Items();
    if (*index < 0 || static_cast<size_t>(*index) >= items.size() || !items[static_cast<size_t>(*index)]->IsPhoto())
        return Fail(kExitFailed, "l'élément " + words[1] + " n'est pas une photo de l'album");
    if (remove)
        RemoveItemSound(doc, *index);  // a photo without sound stays as it is
    else
        SetItemSound(doc, *index, sound);
    if (doc.IsModified() && !SaveAlbumFile(doc, words[0]))
        return kExitFailed;
    return kExitOk;
}

int RunSound(Arguments args)
{
    const auto& words = args.Positionals();
    if (words.size() != 2 || words[0] != "play" || args.FirstUnknownOption())
        return Fail(kExitUsage, "usage : lumora-cli sound play SEQUENCE");
    EndWaiter waiter;
    SdlSoundPlayer player([&waiter](std::function<void()> task) { waiter.Post(std::move(task)); });
    if (!player.Play(words[1]))
        return Fail(kExitFailed, "impossible de jouer la séquence sonore " + words[1] +
                                     " (fichier absent ou illisible, ou pas de sortie audio)");
    waiter.WaitForEnd(player);
    return kExitOk;
}

}  // namespace lumora::cli
