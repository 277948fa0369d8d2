#pragma once
// The sounds of album photos: one program-wide player (the installed
// SoundPlayer service), the lookup of a photo's sound file, and the rules of
// the sound commands that change an album.
#include <string>

namespace lumora {

class AlbumDocument;
class AlbumItem;

// Stops any sound and plays `path`; a file that cannot be played is silently
// ignored. False when nothing plays.
bool PlaySoundFile(const std::string& path);
void StopSound();
// Set from the start of a sound until it is stopped or has ended by itself.
bool SoundPlaying();

// The sound file of a photo: the album's directory + the stored path's file
// name when that is a regular file, else the stored path itself when it
// exists; else the stored path unchanged (the player then fails quietly).
// Names are matched exactly: a sound is a file the user chose on this system.
std::string FindAlbumSound(const std::string& storedPath, const std::string& albumPath);

// Plays the item's sound, looked up beside `album` when one is given.
bool PlayItemSound(const AlbumItem& item, const AlbumDocument* album);

// The sound commands' rules: only photos carry a sound. Each marks the album
// changed and gives true when it changed the item.
bool SetItemSound(AlbumDocument& album, int index, const std::string& soundPath);
bool RemoveItemSound(AlbumDocument& album, int index);

}  // namespace lumora
