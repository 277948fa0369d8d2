#include <gtest/gtest.h>

#include <filesystem>

#include "core/album/album_document.h"
#include "core/platform/services.h"
#include "core/sound/sounds.h"
#include "support/recording_sound_player.h"
#include "support/test_support.h"
#include "core/album/album_test_support.h"

namespace lumora {
namespace {

TEST(FindAlbumSoundTest, BesideTheAlbumFirstThenTheStoredPathExactNamesOnly)
{
    test::TempDir dir;
    std::filesystem::create_directories(dir.File("album"));
    std::filesystem::create_directories(dir.File("sons"));
    const std::string album = dir.File("album/voyage.qza");
    test::WriteBytes(dir.File("sons/mer.wav"), {1});
    // Only the stored path exists.
    EXPECT_EQ(FindAlbumSound(dir.File("sons/mer.wav"), album), dir.File("sons/mer.wav"));
    // A copy beside the album wins, also for a Windows path.
    test::WriteBytes(dir.File("album/mer.wav"), {1});
    EXPECT_EQ(FindAlbumSound(dir.File("sons/mer.wav"), album), dir.File("album/mer.wav"));
    EXPECT_EQ(FindAlbumSound("C:\\SONS\\mer.wav", album), dir.File("album/mer.wav"));
    // No change of case: MER.WAV is not mer.wav; nothing found leaves the
    // stored path as it was.
    EXPECT_EQ(FindAlbumSound("C:\\SONS\\MER.WAV", album), "C:\\SONS\\MER.WAV");
    // A directory of that name is no sound.
    std::filesystem::create_directories(dir.File("album/vent.mid"));
    EXPECT_EQ(FindAlbumSound("/ailleurs/vent.mid", album), "/ailleurs/vent.mid");
    EXPECT_EQ(FindAlbumSound(dir.File("sons/mer.wav"), ""), dir.File("sons/mer.wav"));
}

TEST(SoundsTest, PlayingStopsFirstAndItemSoundsAreLookedUpBesideTheAlbum)
{
    test::RecordingSoundPlayer player;
    test::TempDir dir;
    test::WriteBytes(dir.File("chant.wav"), {1});
    AlbumDocument album;
    album.Open(dir.File("missing.qza"));  // fails; the path stays empty
    AlbumItem photo("photo.jpg");
    EXPECT_FALSE(PlayItemSound(photo, &album));  // no sound: nothing at all
    EXPECT_TRUE(player.played.empty());
    photo.soundPath = "D:\\MUSIQUE\\chant.wav";
    EXPECT_TRUE(PlayItemSound(photo, nullptr));
    EXPECT_EQ(player.played.back(), "D:\\MUSIQUE\\chant.wav");
    EXPECT_GE(player.stops, 1);
    EXPECT_TRUE(SoundPlaying());
    StopSound();
    EXPECT_FALSE(SoundPlaying());
}

TEST(SoundsTest, OnlyPhotosTakeASoundAndEveryChangeMarksTheAlbum)
{
    AlbumDocument album;
    test::AppendItem(album, std::make_unique<AlbumItem>("a.jpg"));
    test::AppendItem(album, std::make_unique<AlbumItem>("mot", TextFont{}, 0));
    album.MarkSaved();
    EXPECT_FALSE(SetItemSound(album, 1, "/s.wav"));  // a text
    EXPECT_FALSE(SetItemSound(album, 2, "/s.wav"));  // no such item
    EXPECT_FALSE(SetItemSound(album, -1, "/s.wav"));
    EXPECT_FALSE(RemoveItemSound(album, 0));         // nothing to remove
    EXPECT_FALSE(album.IsModified());
    EXPECT_TRUE(SetItemSound(album, 0, "/s.wav"));
    EXPECT_EQ(album.Items()[0]->soundPath, "/s.wav");
    EXPECT_TRUE(album.IsModified());
    album.MarkSaved();
    EXPECT_TRUE(RemoveItemSound(album, 0));
    EXPECT_TRUE(album.Items()[0]->soundPath.empty());
    EXPECT_TRUE(album.IsModified());
}

}  // namespace
}  // namespace lumora
