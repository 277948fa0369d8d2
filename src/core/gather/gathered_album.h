#pragma once
// The album file of a gather that had to give some files other names than
// their own: the album as saved, with those items naming their gathered
// files, so that the copy shows each photo and plays each sound of its own.
#include <optional>
#include <string>
#include <vector>

#include "core/gather/gather_plan.h"

namespace lumora {

// The album at `albumPath` with the path of every item whose file is
// `namedInAlbum` in `files` replaced by that file's target. Nothing when
// the album cannot be read again.
std::optional<std::string> GatheredAlbumBytes(const std::string& albumPath, const std::vector<GatherFile>& files);

}  // namespace lumora
