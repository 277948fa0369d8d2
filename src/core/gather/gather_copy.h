#pragma once
// Writing one file of a gather. Every file goes to a temporary name in the
// destination directory and is renamed into place once complete, so that
// an interrupted or failed gather never leaves a half-written file under a
// final name. Errors ask the user Abort, Retry or Ignore (the prompter
// service), with the error text, a newline and the file concerned; Retry
// repeats the operation that failed. The status text names the file and the
// progress gauge follows the bytes written.
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/gather/gather_plan.h"
#include "core/gather/gather_source.h"

namespace lumora {

enum class GatherFileResult {
    Written,      // written, or nothing to do (the file is already there)
    Skipped,      // the user chose Ignore
    Aborted,      // the user chose Abort
    Interrupted,  // `cancelled` answered true; nothing was left behind
};

// Asked between chunks: true stops the file at once.
using GatherCancel = std::function<bool()>;

// The chunk a copy moves at a time when the kernel cannot copy by itself.
inline constexpr size_t kGatherChunkBytes = 32768;

// What a copy checks besides moving the bytes.
struct GatherCopyRules {
    // The source must be a picture its name's reader takes, or a sound
    // (gather_source.h); a refusal is asked with RefusalText. Unset: any
    // regular file.
    std::optional<GatherSourceKind> kind;
    // Never replaced: a target that is one of these is asked as a target
    // that cannot be created (kStrTargetCreateFailed).
    const AlbumOwnFiles* own = nullptr;
};

// True when both paths name one existing file (same device and inode), so a
// copy would read what it overwrites.
bool IsSameFile(const std::string& a, const std::string& b);

// Copies `source` to `target` byte for byte (nothing to do when they are the
// same file). The source is opened without blocking and must be a regular
// file. Texts: kStrSourceOpenFailed, kStrTargetCreateFailed,
// kStrSourceReadFailed, kStrTargetWriteFailed. The new file gets the
// source's permissions, writable by its owner.
GatherFileResult CopyGatherFile(const std::string& source, const std::string& target,
                                const GatherCancel& cancelled = {}, const GatherCopyRules& rules = {});

// Writes `bytes` as the whole of `target`, with `statusText` in the status
// bar. A failure to write it shows `failureTextId`, a failure to create it
// kStrTargetCreateFailed (both kStrJpegCreateFailed for converted
// pictures); a target among `own` is refused as one that cannot be created.
GatherFileResult WriteGatherFile(std::string_view bytes, const std::string& target, int failureTextId,
                                 const std::string& statusText, const GatherCancel& cancelled = {},
                                 const AlbumOwnFiles* own = nullptr);

}  // namespace lumora
