#pragma once
// Files handed between programs by drag and drop: a `text/uri-list` (RFC
// 2483) of `file:` addresses. Paths are bytes on Linux, so both ways work on
// the bytes themselves: a name that is not UTF-8, or that differs from
// another only in case, comes through exactly.
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// `text` with every byte but letters, digits, "-._~" and those of
// `alsoKept` as %XX (upper-case hex): a file name as a relative address.
std::string PercentEncoded(std::string_view text, std::string_view alsoKept = {});

// "file://" and `path` with every byte but letters, digits, "-._~" and "/"
// as %XX. `path` should be absolute.
std::string FileUri(const std::string& path);

// The local files a uri-list names, in its order: comment lines ("#") and
// addresses of other schemes or other hosts are left out ("file:///p" and
// "file://localhost/p" are local), %XX decoded. Lines may end in CR LF or LF.
// A decoded path holding a NUL byte names no file and is left out.
std::vector<std::string> LocalPathsOfUriList(std::string_view list);

}  // namespace lumora
