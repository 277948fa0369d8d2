#pragma once
// The directory an album is gathered into: checked and created before
// anything is copied.
#include <optional>
#include <string>

namespace lumora {

// Why a directory cannot receive a gather.
enum class GatherDirectoryProblem {
    None,
    BadPath,           // empty or not an absolute path
    UnwritableMedium,  // the nearest existing part lies on a read-only file system or a CD/DVD
    NotReady,          // the chain cannot be created (a file in the way, no permission) or written
};

// The stop message the program shows for `problem` (55058, 55059, 55060).
std::string GatherDirectoryProblemText(GatherDirectoryProblem problem);

struct GatherDirectory {
    std::string path;  // absolute, without a trailing slash ("/" stays "/")
    GatherDirectoryProblem problem = GatherDirectoryProblem::None;
    explicit operator bool() const { return problem == GatherDirectoryProblem::None; }
};

// The directory typed by the user, made ready for a gather: created with
// its missing parents, or the problem that stops it (the caller tells the
// user). A leading "~" (or "~user") stands for a home directory; case is
// never changed.
GatherDirectory ValidateGatherDirectory(const std::string& typed);

// The typed text with a leading "~" or "~user" replaced by the home
// directory; other text unchanged.
std::string ExpandHome(const std::string& typed);

}  // namespace lumora
