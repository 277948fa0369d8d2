#pragma once
// Finding the image file of an album photo. Albums keep their photos' paths
// as they were when the photo was inserted, often on another machine (and
// with backslashes); a gathered or moved album has its images beside the
// album file instead, possibly converted to JPEG.
#include <string>

namespace lumora {

// The first of these that exists as a regular file:
//   1. the album's directory + the stored path's file name,
//   2. the same with the file name's last three characters replaced by "JPG",
//   3. the stored path itself.
// Each candidate is tried with its exact name, then with a file of its
// directory whose name differs only in case, before the next one is tried:
// albums made on case-insensitive systems name their files in any case.
// `albumPath` empty: only the stored path is tried. Empty when none exists.
std::string FindAlbumImage(const std::string& storedPath, const std::string& albumPath);

// The part of a stored path after its last slash or backslash.
std::string StoredFileName(const std::string& storedPath);

// `directory`/`name`, or the name of a regular file in `directory` equal to
// `name` without regard to ASCII case; empty when there is none.
std::string FindFileIgnoringCase(const std::string& directory, const std::string& name);

}  // namespace lumora
