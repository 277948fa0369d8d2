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
#include <string>
#include <string_view>

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

// True when both paths name one existing file (same device and inode), so a
// copy would read what it overwrites.
bool IsSameFile(const std::string& a, const std::string& b);

// Copies `source` to `target` byte for byte (nothing to do when they are the
// same file). Texts: kStrSourceOpenFailed, kStrTargetCreateFailed,
// kStrSourceReadFailed, kStrTargetWriteFailed. The new file gets the
// source's permissions, writable by its owner.
GatherFileResult CopyGatherFile(const std::string& source, const std::string& target,
                                const GatherCancel& cancelled = {});

// Writes `bytes` as the whole of `target`, with `statusText` in the status
// bar. A failure to create or write it shows `failureTextId`
// (kStrJpegCreateFailed for converted pictures).
GatherFileResult WriteGatherFile(std::string_view bytes, const std::string& target, int failureTextId,
                                 const std::string& statusText, const GatherCancel& cancelled = {});

}  // namespace lumora
