#pragma once
// The directory an album is gathered into: checked and created before
// anything is copied.
#include <optional>
#include <string>

namespace lumora {

// The directory typed by the user, made ready for a gather. A leading "~"
// (or "~user") stands for a home directory; case is never changed. Returns
// the absolute directory without a trailing slash ("/" stays "/"), created
// with its missing parents, or nothing after showing one stop message:
//   kStrGatherBadPath        empty or not an absolute path;
//   kStrGatherNoDrive        the nearest existing part of the path lies on a
//                            read-only file system or a CD/DVD (ISO 9660, UDF);
//   kStrGatherDriveNotReady  the chain cannot be created (a file in the way,
//                            no permission) or the directory cannot be written.
std::optional<std::string> ValidateGatherDirectory(const std::string& typed);

// The typed text with a leading "~" or "~user" replaced by the home
// directory; other text unchanged.
std::string ExpandHome(const std::string& typed);

}  // namespace lumora
