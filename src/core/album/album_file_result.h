#pragma once
// How opening or saving an album file ended, as a value: the windows and the
// command line tell the user from it, the document never does.
#include <string>

#include "core/album/archive.h"
#include "core/platform/atomic_file.h"

namespace lumora {

enum class AlbumFileOutcome {
    Done,              // opened, or saved
    // Opening
    PathNotFound,      // no such file, or a folder on the way is missing
    AccessDenied,      // reading is not allowed
    NotRegularFile,    // a device, a pipe or a folder
    CannotOpen,        // the file could not be opened for another reason
    Damaged,           // the file stops early or holds what no album holds (`cause`)
    NotAnAlbum,        // another kind of file
    OutOfMemory,       // a damaged or hostile file asked for more memory than there is
    // Saving
    Locked,            // another writer holds the album (`lockText` says which case)
    KeptOtherVersion,  // changed by another program since; the user kept that version
    ReadOnly,          // the file may not be written (`failure`)
    CannotWrite,       // disk full, access refused, missing folder... (`failure`)
};

struct AlbumFileResult {
    AlbumFileOutcome outcome = AlbumFileOutcome::Done;
    std::string path;
    ArchiveError::Cause cause = ArchiveError::Cause::EndOfFile;  // Damaged
    WriteFailure failure;                                        // ReadOnly, CannotWrite
    std::string lockText;                                        // Locked: the lock's words

    bool Succeeded() const { return outcome == AlbumFileOutcome::Done; }
    explicit operator bool() const { return Succeeded(); }
};

// The text the user is shown for `result`, as the program has always worded
// it (a damaged file: the first line, then the cause). Empty when there is
// nothing to tell: done, or the user chose to keep the other version.
std::string AlbumFileMessage(const AlbumFileResult& result);

}  // namespace lumora
