#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

#include "core/sound/sound_file.h"
#include "support/sound_files.h"
#include "support/test_support.h"

namespace lumora {
namespace {

TEST(SoundFileKind, WaveAndMidiByTheirBytesNothingElse)
{
    test::TempDir dir;
    test::WriteToneWav(dir.File("ton.wav"), 0.05);
    test::WriteMidiNote(dir.File("note.mid"), 0.05);
    std::vector<uint8_t> rmid = {'R', 'I', 'F', 'F', 4 + 8 + 6, 0, 0, 0, 'R', 'M', 'I', 'D'};
    rmid.resize(rmid.size() + 14, 0);
    rmid[4] = static_cast<uint8_t>(rmid.size() - 8);
    test::WriteBytes(dir.File("riff.rmi"), rmid);
    test::WriteBytes(dir.File("texte.wav"), std::vector<uint8_t>(100, 'a'));
    test::WriteBytes(dir.File("avi.wav"), {'R', 'I', 'F', 'F', 6, 0, 0, 0, 'A', 'V', 'I', ' ', 0, 0});
    ASSERT_EQ(::mkfifo(dir.File("tube.wav").c_str(), 0600), 0);
    // A WAVE header behind a file larger than its RIFF size: a sparse giant.
    test::WriteToneWav(dir.File("creux.wav"), 0.05);
    std::filesystem::resize_file(dir.File("creux.wav"), uint64_t{1} << 32);

    const std::pair<std::string, SoundFileKind> cases[] = {
        {dir.File("ton.wav"), SoundFileKind::Wave},   {dir.File("note.mid"), SoundFileKind::Midi},
        {dir.File("riff.rmi"), SoundFileKind::Midi},  {dir.File("texte.wav"), SoundFileKind::None},
        {dir.File("avi.wav"), SoundFileKind::None},   {dir.File("tube.wav"), SoundFileKind::None},
        {dir.File("creux.wav"), SoundFileKind::None}, {"/etc/passwd", SoundFileKind::None},
        {"/dev/zero", SoundFileKind::None},           {dir.File("absent.wav"), SoundFileKind::None},
        {dir.Path(), SoundFileKind::None},
    };
    for (const auto& [path, kind] : cases)
        EXPECT_EQ(SoundFileKindOf(path), kind) << path;
}

}  // namespace
}  // namespace lumora
