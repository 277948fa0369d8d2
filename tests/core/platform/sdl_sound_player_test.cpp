// The SDL sound player through SDL's "disk" audio driver, which writes what
// would be heard into a file: no sound card needed.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <functional>
#include <mutex>

#include "core/platform/sdl_sound_player.h"
#include "support/sound_files.h"
#include "support/test_support.h"

// Under LeakSanitizer: the audio libraries (SDL, SDL_mixer, the MIDI synthesiser
// and what they load) keep some allocations until the process ends.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libSDL2\nleak:libSDL2_mixer\nleak:libfluidsynth\nleak:libinstpatch\nleak:libglib\n"
           "leak:libpulse\nleak:libasound\nleak:libdbus\n";
}

namespace lumora {
namespace {

using namespace std::chrono_literals;

// Stands in for the event loop: end notices queue here and run on the
// test's thread.
class TaskQueue {
public:
    void Post(std::function<void()> task)
    {
        std::lock_guard lock(mutex_);
        tasks_.push_back(std::move(task));
        ready_.notify_all();
    }
    // Runs the tasks that arrive within `wait`; false when none came.
    bool RunWithin(std::chrono::milliseconds wait)
    {
        std::unique_lock lock(mutex_);
        if (!ready_.wait_for(lock, wait, [this] { return !tasks_.empty(); }))
            return false;
        while (!tasks_.empty()) {
            auto task = std::move(tasks_.front());
            tasks_.pop_front();
            lock.unlock();
            task();
            lock.lock();
        }
        return true;
    }

private:
    std::mutex mutex_;
    std::condition_variable ready_;
    std::deque<std::function<void()>> tasks_;
};

class SdlSoundPlayerTest : public ::testing::Test {
protected:
    SdlSoundPlayerTest()
    {
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    }
    ~SdlSoundPlayerTest() override
    {
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
    }
    std::unique_ptr<SdlSoundPlayer> MakePlayer()
    {
        return std::make_unique<SdlSoundPlayer>([this](std::function<void()> task) { queue.Post(std::move(task)); });
    }
    // Plays `path` to its end; the playing flag must clear by the end notice.
    void PlayToEnd(const std::string& path)
    {
        auto player = MakePlayer();
        ASSERT_TRUE(player->Play(path));
        EXPECT_TRUE(player->IsPlaying());
        ASSERT_TRUE(queue.RunWithin(5s)) << "no end notice";
        EXPECT_FALSE(player->IsPlaying());
        player.reset();  // closes the device: the output file is complete
    }

    test::TempDir dir;
    std::string output = dir.File("out.raw");
    TaskQueue queue;
};

TEST_F(SdlSoundPlayerTest, WaveAndMidiPlayToTheirEndAndClearTheFlag)
{
    const std::string wave = dir.File("tone.wav");
    test::WriteToneWav(wave, 0.6);
    PlayToEnd(wave);
    const test::AudibleSpan heard = test::ReadAudibleSpan(output);
    EXPECT_NEAR(heard.Length(), 0.6, 0.1);

    const std::string midi = dir.File("note.mid");
    test::WriteMidiNote(midi, 0.6);
    PlayToEnd(midi);
    const test::AudibleSpan sung = test::ReadAudibleSpan(output);
    // A piano note rings on a little after it is released.
    EXPECT_GT(sung.Length(), 0.4) << "the MIDI file was not heard: no soundfont?";
    EXPECT_LT(sung.Length(), 2.5);
}

TEST_F(SdlSoundPlayerTest, ANewSoundStopsThePreviousOneAndItsLateEndIsIgnored)
{
    const std::string longTone = dir.File("long.wav");
    const std::string shortTone = dir.File("short.wav");
    test::WriteToneWav(longTone, 3.0);
    test::WriteToneWav(shortTone, 0.3);
    auto player = MakePlayer();
    ASSERT_TRUE(player->Play(longTone));
    std::this_thread::sleep_for(200ms);
    ASSERT_TRUE(player->Play(shortTone));
    // Whatever the first sound's halt announced belongs to it, not to the
    // second: the second still plays.
    queue.RunWithin(50ms);
    EXPECT_TRUE(player->IsPlaying());
    ASSERT_TRUE(queue.RunWithin(5s));
    EXPECT_FALSE(player->IsPlaying());
    player.reset();
    // The long tone stopped at once: well under its three seconds in all.
    EXPECT_LT(test::ReadAudibleSpan(output).Length(), 1.5);
}

TEST_F(SdlSoundPlayerTest, StopClearsTheFlagAndUnplayableFilesAreSilent)
{
    const std::string tone = dir.File("tone.wav");
    test::WriteToneWav(tone, 2.0);
    const std::string notSound = dir.File("notes.wav");
    test::WriteBytes(notSound, {'h', 'e', 'l', 'l', 'o'});
    auto player = MakePlayer();
    EXPECT_FALSE(player->Play(dir.File("missing.wav")));
    EXPECT_FALSE(player->Play(notSound));
    EXPECT_FALSE(player->Play(""));
    EXPECT_FALSE(player->IsPlaying());
    ASSERT_TRUE(player->Play(tone));
    player->Stop();
    EXPECT_FALSE(player->IsPlaying());
    player->Stop();  // twice is harmless
    // The halt's notice, if any, changes nothing.
    queue.RunWithin(100ms);
    EXPECT_FALSE(player->IsPlaying());
}

TEST_F(SdlSoundPlayerTest, NoAudioDeviceMeansNothingPlaysAndNothingBlocks)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const std::string tone = dir.File("tone.wav");
    test::WriteToneWav(tone, 0.2);
    auto player = MakePlayer();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(player->Play(tone));
    EXPECT_FALSE(player->Play(tone));
    EXPECT_FALSE(player->IsPlaying());
    EXPECT_FALSE(player->DeviceOpen());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

}  // namespace
}  // namespace lumora
