#pragma once
// The one way the program replaces a file on disk. The bytes go to an
// unnamed temporary file in the target's directory (a named hidden one
// where the file system cannot make unnamed files); at the end the file is
// given the old file's owner, group and mode, synced, put in place with a
// rename and the directory synced. Until then, and after any failure, the
// target is untouched and no temporary file remains.
//
// A symbolic link is followed: its target is replaced and the link stays.
// A hard link is not kept: the name gets a new file, the other names keep
// the old contents. Targets that are not regular files (devices, FIFOs,
// directories) and read-only files are refused before anything is written.
//
// AlbumLock is the advisory lock held by every read-modify-write of an
// album: a second writer waits a short time, then gives up.
#include <cstddef>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace lumora {

// Why writing a file failed.
enum class WriteProblem {
    None,
    System,        // errno says (disk full, access denied, input/output error...)
    ReadOnly,      // the target exists and may not be written
    NotRegular,    // the target is a device, FIFO, directory or socket
    OwnerNotKept,  // the old owner, group or mode could not be given to the new file
};

struct WriteFailure {
    WriteProblem problem = WriteProblem::None;
    int error = 0;  // errno for WriteProblem::System
    explicit operator bool() const { return problem != WriteProblem::None; }
};

// The French sentence for a failure to write `path`.
std::string DescribeWriteFailure(const WriteFailure& failure, const std::string& path);

// The file a path names once symbolic links are followed (the path itself
// when it names nothing yet or cannot be resolved).
std::string ResolveLinks(const std::string& path);

class AtomicFile {
public:
    AtomicFile() = default;
    ~AtomicFile() { Discard(); }
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Checks the target and creates the temporary file.
    bool Open(const std::string& path);
    bool Write(const void* bytes, size_t count);
    // The temporary file's descriptor for writers that need one (-1 when
    // not open). Writing through it is the caller's business.
    int Descriptor() const { return fd_; }
    // Owner, mode, sync, rename, directory sync. False after any failure,
    // with the temporary file gone and the target untouched.
    bool Commit();
    // Drops the temporary file; the target is untouched.
    void Discard();

    const WriteFailure& Failure() const { return failure_; }
    // The file replaced (links followed).
    const std::string& Target() const { return target_; }

private:
    bool Fail(WriteProblem problem, int error);
    bool KeepOwnerAndMode();

    std::string target_;
    std::string directory_;
    std::string named_;  // the named temporary file, when one was needed
    int fd_ = -1;
    bool unnamed_ = false;
    bool existed_ = false;
    uint32_t mode_ = 0;
    uint32_t owner_ = 0;
    uint32_t group_ = 0;
    WriteFailure failure_;
};

// Writes `count` bytes as the whole new contents of `path`.
WriteFailure WriteFileAtomically(const std::string& path, const void* bytes, size_t count);

// Facts that tell whether a file was replaced or changed since they were
// taken: its identity, size and modification time.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedNs = 0;
    bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> IdentifyFile(const std::string& path);

// An exclusive advisory lock (flock) on an existing album file, waiting up
// to `waitMs` for another holder. The lock follows the file across the
// rename of a save: once taken it is checked that the path still names the
// locked file. Locks of one process nest: a second lock on a file the
// process already holds succeeds at once.
class AlbumLock {
public:
    static constexpr int kDefaultWaitMs = 3000;
    AlbumLock() = default;
    ~AlbumLock() { Release(); }
    AlbumLock(const AlbumLock&) = delete;
    AlbumLock& operator=(const AlbumLock&) = delete;

    // True when locked, or when there is no file at `path` (nothing to
    // protect yet). False with Message() set otherwise.
    bool Acquire(const std::string& path, int waitMs = kDefaultWaitMs);
    void Release();
    const std::string& Message() const { return message_; }

private:
    int fd_ = -1;
    bool held_ = false;
    uint64_t device_ = 0;
    uint64_t inode_ = 0;
    std::string message_;
};

}  // namespace lumora
