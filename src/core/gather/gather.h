#pragma once
// Gathering an album into one directory: the album file byte for byte, the
// image file of every photo (or a JPEG made from it), the photos' sounds,
// and a web viewer that opens the album in any browser. The album keeps the
// paths its files had; the gathered copy works because images and sounds
// are looked up beside the album first (FindAlbumImage, FindAlbumSound).
#include <functional>
#include <string>
#include <vector>

#include "core/platform/preferences.h"
#include "core/gather/gather_copy.h"

namespace lumora {

class AlbumDocument;
class SpreadRenderer;

struct GatherOptions {
    bool convertJpeg = false;
    bool copySounds = true;
    bool writeViewer = true;
    int compression = 50;  // 1 to 99; JPEG quality = 100 - compression
    bool webSizes = true;  // with the viewer: each photo's copies for the screen (web_sizes.h)
};
GatherOptions GatherOptionsFrom(const Preferences& prefs);

// One file the gather writes.
struct GatherFile {
    enum class Kind { AlbumFile, Picture, Sound };
    Kind kind = Kind::AlbumFile;
    int item = -1;         // the photo, for pictures and sounds
    std::string source;    // the file read: found beside the album first
    std::string target;    // its full path in the destination
    bool convert = false;  // a picture written as JPEG
};

// The files in the order they are written: the album file, then each photo
// in album order with its picture and its sound. `destination` is a
// directory without a trailing slash. A converted picture's name is its
// stored file name with the last three characters replaced by "JPG"; a
// copied one keeps the name of the file found.
std::vector<GatherFile> PlanGather(const AlbumDocument& doc, const std::string& albumPath,
                                   const std::string& destination, const GatherOptions& options);

// The progress dialog's three lines of options: directory, viewer, sounds,
// conversion.
std::string GatherOptionsSummary(const std::string& destination, const GatherOptions& options);

struct GatherHooks {
    // The operation in progress ("Copie de l'image ...").
    std::function<void(const std::string&)> operation;
    // A file now in place (the command line prints one line each).
    std::function<void(const GatherFile&)> written;
    // Asked between files, chunks and rows: true stops the gather; the file
    // being written is dropped, those already written stay.
    std::function<bool()> cancelled;
    // Draws the album's spreads for the viewer; null: no viewer is written.
    SpreadRenderer* renderer = nullptr;
    // Converting threads; 0: one per core.
    unsigned threads = 0;
};

enum class GatherOutcome { Done, Interrupted, Aborted };

struct GatherResult {
    GatherOutcome outcome = GatherOutcome::Done;
    // Destination names written twice from different files, the later one
    // replacing the earlier.
    std::vector<std::string> overwritten;
};

// Runs the gather on the calling thread (conversions use worker threads).
// Questions go through the prompter service. While it runs, JPEG files are
// read in full colour and the readers leave the gauge alone.
GatherResult RunGather(const AlbumDocument& doc, const std::string& albumPath, const std::string& destination,
                       const GatherOptions& options, const GatherHooks& hooks);

// kStrGatherDone, followed by one line per overwritten name.
std::string GatherCompletionText(const GatherResult& result);

}  // namespace lumora
