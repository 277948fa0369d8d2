#pragma once
// Making an album from a folder of pictures: the folder read, each
// picture's capture time found, the photos inserted in that order and,
// by day, one section per day.
#include <string>
#include <vector>

#include "core/album/album_commands.h"
#include "core/album/preview_retry.h"
#include "core/import/import_plan.h"

namespace lumora {

// Every file of the folder a reader of ours takes (by its name), hidden
// files left out; with `recursive` the folders below too (symbolic links
// to folders are not followed). Sorted by path. Empty, with `error` set,
// when the folder cannot be read.
std::vector<std::string> PicturesInFolder(const std::string& folder, bool recursive, std::string& error);

// The candidate's times: EXIF, the file name, the modification time.
ImportCandidate ExamineFile(const std::string& path);

// The pictures of `folder` (not of the folders within it) in the order they
// were taken, as an album made from it has them; empty, with `error` set,
// when the folder cannot be read. A folder dropped on a page goes in so.
std::vector<std::string> FolderPicturesInCaptureOrder(const std::string& folder, std::string& error);

// The title an album made from `folder` takes: the folder's own name.
std::string FolderTitle(const std::string& folder);

struct FolderImportOptions {
    bool byDay = true;
    bool recursive = false;
};

struct FolderImportOutcome {
    bool folderRead = false;
    std::string folderError;
    size_t found = 0;                     // pictures in the folder
    size_t inserted = 0;                  // photos now in the album
    std::vector<UnreadPicture> unreadable;  // in plan order, each with what its reader said
    std::vector<HeldMessage> messages;      // what the readers of pictures taken in had to say
    bool stopped = false;                 // the user stopped it
};

// Fills a new album `doc` (as Clear leaves it) from `folder`:
// title, cover and flyleaf, tabs on with one section per day when asked,
// photos in capture order. Files that cannot be read are skipped and
// listed; `progress` follows the files and may stop the rest, the photos
// already in staying in.
FolderImportOutcome ImportFolder(AlbumDocument& doc, const std::string& folder, const FolderImportOptions& options,
                                 InsertProgress* progress, const TabNameFits& fits);

}  // namespace lumora
