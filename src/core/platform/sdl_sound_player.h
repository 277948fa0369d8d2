#pragma once
// The sound player over SDL_mixer: WAVE and MIDI files (MIDI through a
// General MIDI soundfont), one at a time. The audio device is opened on the
// first sound; a machine without one plays nothing and says nothing.
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "core/platform/services.h"

namespace lumora {

class SdlSoundPlayer final : public SoundPlayer {
public:
    // SDL tells the end of a sound on its audio thread. `toOwner` must run
    // the task it is given later on the thread that owns the player (the
    // windowed program queues it to its event loop); the task stops the
    // sound if it is still the one that ended.
    using Deliver = std::function<void(std::function<void()> task)>;
    explicit SdlSoundPlayer(Deliver toOwner);
    ~SdlSoundPlayer() override;
    SdlSoundPlayer(const SdlSoundPlayer&) = delete;
    SdlSoundPlayer& operator=(const SdlSoundPlayer&) = delete;

    bool Play(const std::string& path) override;
    void Stop() override;
    bool IsPlaying() const override { return playing_; }

    // True once the audio device is open (after a first Play).
    bool DeviceOpen() const { return deviceOpen_; }

private:
    bool OpenDevice();
    static void OnMusicFinished();
    void EndOf(uint64_t sound);

    Deliver toOwner_;
    void* music_ = nullptr;  // Mix_Music*
    bool playing_ = false;
    bool deviceOpen_ = false;
    bool deviceFailed_ = false;
    // Which sound is current: a finished sound's notice that arrives after
    // another has started is ignored.
    std::atomic<uint64_t> current_{0};
};

// Where a General MIDI soundfont is when the environment names none: the
// first of the usual Debian places that exists; empty without one.
std::string DefaultSoundFont();

}  // namespace lumora
