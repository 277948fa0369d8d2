#pragma once
// What a gather will write, decided before it writes anything: every
// target's name, chosen so that no two sources share one, no photo takes a
// name of the viewer's, and nothing is written over or converted onto a
// file of the album (its photos, its sounds, the album file itself) —
// whatever the destination, the photos' own folder included.
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace lumora {

class AlbumDocument;
struct GatherOptions;

// One file the gather writes.
struct GatherFile {
    enum class Kind { AlbumFile, Picture, Sound };
    Kind kind = Kind::AlbumFile;
    int item = -1;         // the photo, for pictures and sounds
    std::string source;    // the file read: found beside the album first
    std::string target;    // its full path in the destination
    bool convert = false;  // a picture written as JPEG
    // The target is the source itself: nothing to write.
    bool inPlace = false;
    // The same source as an earlier file of the plan, under the same name.
    bool repeat = false;
    // The name it would have had, when another had to be chosen; empty
    // otherwise.
    std::string wantedName;
    // The gathered album names this target for its item: the lookup beside
    // the album would not find it from the path the album holds.
    bool namedInAlbum = false;
};

// The files of the album, by device and inode: never a gather's target.
class AlbumOwnFiles {
public:
    void Add(const std::string& path);
    // True when `path` names (through links) one of them.
    bool Holds(const std::string& path) const;

private:
    std::set<std::pair<uint64_t, uint64_t>> identities_;
};

struct GatherPlan {
    // In the order they are written: the album file, then each photo in
    // album order with its picture and its sound.
    std::vector<GatherFile> files;
    AlbumOwnFiles own;
    // Some item must name its gathered file: the album file is written
    // anew with those names instead of being copied.
    bool RenamesAlbum() const;
};

// Names a picture without conversion keeps its file's name; a converted
// one takes its stored file name with the last three characters replaced
// by "JPG". When that name is taken — by another source of the plan (names
// compared without regard to ASCII case, for the file systems of memory
// cards), by one of the album's files other than the source itself, by a
// directory or other non-file, or by the viewer ("index.html",
// "lumora-web", "lumora-album.html") — the next free of "name-2.ext",
// "name-3.ext"... is used. A file of the destination that belongs to nobody
// in the album may be replaced, as a new gather replaces an old one.
// `destination` is a directory without a trailing slash.
GatherPlan PlanGather(const AlbumDocument& doc, const std::string& albumPath, const std::string& destination,
                      const GatherOptions& options);

}  // namespace lumora
