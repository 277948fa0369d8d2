#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "core/album/album_document.h"
#include "support/sound_files.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::RunCli;
using test::TempDir;
using test::TestDataPath;

TEST(CliSound, AttachesAndRemovesASoundOnPhotosOnly)
{
    TempDir dir;
    const std::string album = dir.File("a.qza");
    const std::string tone = dir.File("tone.wav");
    test::WriteToneWav(tone, 0.1);
    ASSERT_EQ(RunCli({"album", "new", album}), 0);
    ASSERT_EQ(RunCli({"album", "add", album, TestDataPath("bmp/bmpsuite-g-rgb24.bmp")}), 0);
    ASSERT_EQ(RunCli({"album", "add-text", album, "Bonjour"}), 0);

    ASSERT_EQ(RunCli({"album", "sound", album, "0", tone}), 0);
    std::string out;
    ASSERT_EQ(RunCli({"album", "info", album, "--json"}, &out), 0);
    EXPECT_NE(out.find("\"sound\": \"" + tone + "\""), std::string::npos) << out;

    const auto before = std::filesystem::last_write_time(album);
    std::string err;
    EXPECT_EQ(RunCli({"album", "sound", album, "1", tone}, nullptr, &err), 1);  // a text
    EXPECT_NE(err.find("n'est pas une photo"), std::string::npos) << err;
    EXPECT_EQ(RunCli({"album", "sound", album, "7", tone}), 1);
    EXPECT_EQ(RunCli({"album", "sound", album, "0", dir.File("absent.wav")}), 1);
    // Only WAVE and MIDI files are sounds: not a system file, not a FIFO
    // (which must not block either), not a MIDI tone's name on other bytes.
    const std::string fifo = dir.File("tube.wav");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    test::WriteBytes(dir.File("faux.mid"), {'M', 'Z', 0, 0, 0, 6});
    for (const std::string& notASound : {std::string("/etc/passwd"), dir.File("faux.mid")}) {
        EXPECT_EQ(RunCli({"album", "sound", album, "0", notASound}, nullptr, &err), 1) << notASound;
        EXPECT_NE(err.find("ni une séquence WAVE ni une séquence MIDI"), std::string::npos) << err;
    }
    EXPECT_EQ(RunCli({"album", "sound", album, "0", fifo}), 1);
    EXPECT_EQ(RunCli({"album", "sound", album, "0"}), 2);
    EXPECT_EQ(RunCli({"album", "sound", album, "x", tone}), 2);
    EXPECT_EQ(std::filesystem::last_write_time(album), before);  // refusals leave the file alone

    test::WriteMidiNote(dir.File("note.mid"), 0.1);
    EXPECT_EQ(RunCli({"album", "sound", album, "0", dir.File("note.mid")}), 0);
    ASSERT_EQ(RunCli({"album", "sound", album, "0", "--remove"}), 0);
    AlbumDocument doc;
    ASSERT_TRUE(doc.Open(album));
    EXPECT_TRUE(doc.Items()[0]->soundPath.empty());
}

TEST(CliSound, PlaysToTheEndOrSaysWhyNot)
{
    TempDir dir;
    const std::string tone = dir.File("tone.wav");
    test::WriteToneWav(tone, 0.4);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", dir.File("out.raw").c_str(), 1);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunCli({"sound", "play", tone}), 0);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(350));
    EXPECT_NEAR(test::ReadAudibleSpan(dir.File("out.raw")).Length(), 0.4, 0.1);
    std::string err;
    EXPECT_EQ(RunCli({"sound", "play", dir.File("absent.wav")}, nullptr, &err), 1);
    EXPECT_NE(err.find("impossible de jouer"), std::string::npos) << err;
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_EQ(RunCli({"sound", "play", tone}), 1);
    unsetenv("SDL_AUDIODRIVER");
    unsetenv("SDL_DISKAUDIOFILE");
    EXPECT_EQ(RunCli({"sound", "stop"}), 2);
}

}  // namespace
}  // namespace lumora
