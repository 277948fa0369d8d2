#pragma once
// Gathering an album into one directory: the album file byte for byte, the
// image file of every photo (or a JPEG made from it), the photos' sounds,
// and a web viewer that opens the album in any browser. The album keeps the
// paths its files had; the gathered copy works because images and sounds
// are looked up beside the album first (FindAlbumImage, FindAlbumSound).
// Where a file had to take another name (gather_plan.h), the gathered album
// file names it instead of being a plain copy.
//
// The gather plans every target, then checks every source, then writes:
// only pictures and WAVE or MIDI sounds leave (gather_source.h); a refused
// source is asked Abort/Retry/Ignore before anything is written.
#include <functional>
#include <string>
#include <vector>

#include "core/platform/preferences.h"
#include "core/gather/gather_copy.h"
#include "core/gather/gather_plan.h"

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

struct GatherRename {
    std::string wanted;  // the name the file would have had
    std::string given;   // the name it was gathered under
};

struct GatherResult {
    GatherOutcome outcome = GatherOutcome::Done;
    // Files written under another name than their own, in order.
    std::vector<GatherRename> renamed;
};

// Runs the gather on the calling thread (conversions use worker threads).
// Questions go through the prompter service. While it runs, JPEG files are
// read in full colour and the readers leave the gauge alone.
GatherResult RunGather(const AlbumDocument& doc, const std::string& albumPath, const std::string& destination,
                       const GatherOptions& options, const GatherHooks& hooks);

// kStrGatherDone, followed by one line per renamed file (kStrGatherRenamed).
std::string GatherCompletionText(const GatherResult& result);

}  // namespace lumora
