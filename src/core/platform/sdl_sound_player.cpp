#include "core/platform/sdl_sound_player.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace lumora {
namespace {

// SDL_mixer's end hook is a plain function: it reaches the one live player
// through this pointer (guarded, since the hook runs on the audio thread).
std::mutex liveMutex;
SdlSoundPlayer* live = nullptr;

Mix_Music* AsMusic(void* music) { return static_cast<Mix_Music*>(music); }

}  // namespace

std::string DefaultSoundFont()
{
    for (const char* candidate : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
                                  "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
        std::error_code error;
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return {};
}

SdlSoundPlayer::SdlSoundPlayer(Deliver toOwner) : toOwner_(std::move(toOwner))
{
    std::lock_guard lock(liveMutex);
    live = this;
}

SdlSoundPlayer::~SdlSoundPlayer()
{
    {
        std::lock_guard lock(liveMutex);
        if (live == this)
            live = nullptr;
    }
    if (deviceOpen_) {
        Mix_HookMusicFinished(nullptr);
        Stop();
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool SdlSoundPlayer::OpenDevice()
{
    if (deviceOpen_)
        return true;
    if (deviceFailed_)
        return false;  // no audio device: do not try again at every sound
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        deviceFailed_ = true;
        return false;
    }
    // MIDI goes through a soundfont; SDL_mixer finds none by itself on a
    // plain Debian system.
    if (!std::getenv("SDL_SOUNDFONTS"))
        if (const std::string font = DefaultSoundFont(); !font.empty())
            Mix_SetSoundFonts(font.c_str());
    Mix_Init(MIX_INIT_MID);
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 2048) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        deviceFailed_ = true;
        return false;
    }
    Mix_HookMusicFinished(&SdlSoundPlayer::OnMusicFinished);
    deviceOpen_ = true;
    return true;
}

bool SdlSoundPlayer::Play(const std::string& path)
{
    Stop();
    if (path.empty() || !OpenDevice())
        return false;
    music_ = Mix_LoadMUS(path.c_str());
    if (!music_)
        return false;
    if (Mix_PlayMusic(AsMusic(music_), 0) != 0) {
        Stop();
        return false;
    }
    playing_ = true;
    return true;
}

void SdlSoundPlayer::Stop()
{
    if (music_) {
        Mix_HaltMusic();
        Mix_FreeMusic(AsMusic(music_));
        music_ = nullptr;
    }
    // A new number: the end notice that halting raised, and any still on
    // its way, belong to the old sound and are ignored.
    ++current_;
    playing_ = false;
}

void SdlSoundPlayer::OnMusicFinished()
{
    std::lock_guard lock(liveMutex);
    if (live)
        live->EndOf(live->current_.load());
}

void SdlSoundPlayer::EndOf(uint64_t sound)
{
    if (!toOwner_)
        return;
    toOwner_([sound] {
        // Runs on the owner's thread, which alone creates and deletes the
        // player; it may be gone by then.
        SdlSoundPlayer* player = nullptr;
        {
            std::lock_guard lock(liveMutex);
            player = live;
        }
        if (player && player->current_.load() == sound)
            player->Stop();
    });
}

}  // namespace lumora
