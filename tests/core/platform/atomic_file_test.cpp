#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "core/platform/atomic_file.h"
#include "core/platform/file.h"
#include "support/file_size_limit.h"
#include "support/test_support.h"

namespace lumora {
namespace {

using test::FileSizeLimit;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::vector<std::string> DirectoryNames(const std::string& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

WriteFailure WriteText(const std::string& path, const std::string& text)
{
    return WriteFileAtomically(path, text.data(), text.size());
}

std::string ReadText(const std::string& path)
{
    const auto bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

uint32_t ModeOf(const std::string& path)
{
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0);
    return st.st_mode & 07777;
}

TEST(AtomicFile, ReplacesWholeAndLeavesNothingBeside)
{
    TempDir dir;
    const std::string path = dir.File("a.txt");
    ASSERT_FALSE(WriteText(path, "first"));
    ASSERT_FALSE(WriteText(path, "second version"));
    EXPECT_EQ(ReadText(path), "second version");
    EXPECT_EQ(DirectoryNames(dir.Path()), std::vector<std::string>{"a.txt"});

    // Abandoned halfway: the old file stays, no temporary remains.
    {
        AtomicFile file;
        ASSERT_TRUE(file.Open(path));
        ASSERT_TRUE(file.Write("half", 4));
    }
    EXPECT_EQ(ReadText(path), "second version");
    EXPECT_EQ(DirectoryNames(dir.Path()), std::vector<std::string>{"a.txt"});
}

// What a save killed on a file system without unnamed files leaves: the
// next save removes its own stale temporaries, not a fresh one (a save in
// progress), not another file's, not a look-alike name.
TEST(AtomicFile, NextSaveRemovesStaleTemporaries)
{
    TempDir dir;
    const std::string path = dir.File("a.qza");
    const auto age = [](const std::string& file, int minutes) {
        const auto when = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(minutes);
        std::filesystem::last_write_time(file, when);
    };
    for (const char* name : {".a.qza.k3Zq9P", ".a.qza.recent", ".b.qza.k3Zq9P", ".a.qza.k3Zq9", "a.qza.k3Zq9P"})
        WriteText(dir.File(name), "left over");
    for (const char* name : {".a.qza.k3Zq9P", ".b.qza.k3Zq9P", ".a.qza.k3Zq9", "a.qza.k3Zq9P"})
        age(dir.File(name), 60);
    ASSERT_FALSE(WriteText(path, "album"));
    EXPECT_EQ(DirectoryNames(dir.Path()),
              (std::vector<std::string>{".a.qza.k3Zq9", ".a.qza.recent", ".b.qza.k3Zq9P", "a.qza", "a.qza.k3Zq9P"}));
}

TEST(AtomicFile, FullDiskLeavesTheOldFileByteForByte)
{
    TempDir dir;
    const std::string path = dir.File("big.bin");
    const std::string old(1000, 'o');
    ASSERT_FALSE(WriteText(path, old));
    WriteFailure failure;
    {
        FileSizeLimit limit(4096);
        failure = WriteText(path, std::string(100000, 'n'));
    }
    EXPECT_EQ(failure.problem, WriteProblem::System);
    EXPECT_EQ(failure.error, EFBIG);
    EXPECT_EQ(ReadText(path), old);
    EXPECT_EQ(DirectoryNames(dir.Path()), std::vector<std::string>{"big.bin"});
    EXPECT_NE(DescribeWriteFailure({WriteProblem::System, ENOSPC}, path).find("plein"),
              std::string::npos);
}

TEST(AtomicFile, SymbolicLinkKeepsPointingAtTheSavedFile)
{
    TempDir dir;
    std::filesystem::create_directory(dir.File("real"));
    const std::string real = dir.File("real/album.qza");
    ASSERT_FALSE(WriteText(real, "old"));
    const std::string link = dir.File("link.qza");
    std::filesystem::create_symlink("real/album.qza", link);
    ASSERT_FALSE(WriteText(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadText(real), "new");
    EXPECT_EQ(DirectoryNames(dir.File("real")), std::vector<std::string>{"album.qza"});
    // A dangling link gets its file made.
    std::filesystem::create_symlink("real/later.qza", dir.File("later.qza"));
    ASSERT_FALSE(WriteText(dir.File("later.qza"), "made"));
    EXPECT_EQ(ReadText(dir.File("real/later.qza")), "made");
}

TEST(AtomicFile, ModeAndOwnerAreKept)
{
    TempDir dir;
    const std::string path = dir.File("m.txt");
    ASSERT_FALSE(WriteText(path, "x"));
    ::chmod(path.c_str(), 0640);
    ASSERT_FALSE(WriteText(path, "y"));
    EXPECT_EQ(ModeOf(path), 0640u);
    if (::geteuid() != 0)
        GTEST_SKIP() << "giving a file to another owner needs root";
    ASSERT_EQ(::chown(path.c_str(), 4321, 4322), 0);
    ::chmod(path.c_str(), 0664);
    ASSERT_FALSE(WriteText(path, "z"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 4321u);
    EXPECT_EQ(st.st_gid, 4322u);
    EXPECT_EQ(st.st_mode & 07777, 0664u);
    EXPECT_EQ(ReadText(path), "z");
}

TEST(AtomicFile, ReadOnlyAndSpecialFilesAreRefusedUntouched)
{
    TempDir dir;
    const std::string locked = dir.File("ro.txt");
    ASSERT_FALSE(WriteText(locked, "keep"));
    ::chmod(locked.c_str(), 0444);
    const WriteFailure readOnly = WriteText(locked, "lost");
    EXPECT_EQ(readOnly.problem, WriteProblem::ReadOnly);  // even for root
    EXPECT_EQ(ReadText(locked), "keep");
    EXPECT_NE(DescribeWriteFailure(readOnly, locked).find("est en lecture seule"), std::string::npos);

    const std::string fifo = dir.File("pipe");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(WriteText(fifo, "x").problem, WriteProblem::NotRegular);
    EXPECT_EQ(WriteText("/dev/null", "x").problem, WriteProblem::NotRegular);
    EXPECT_EQ(WriteText(dir.Path(), "x").problem, WriteProblem::NotRegular);
    // Reading refuses them too, without waiting for a writer on the FIFO.
    File file;
    errno = 0;
    EXPECT_FALSE(file.Open(fifo, File::Mode::Read));
    EXPECT_EQ(errno, ENODEV);
    EXPECT_FALSE(file.Open("/dev/zero", File::Mode::Read));
    EXPECT_FALSE(file.Open(fifo, File::Mode::Write));
    AlbumLock lock;
    EXPECT_FALSE(lock.Acquire(fifo, 0));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    std::filesystem::remove(fifo);
    ::chmod(locked.c_str(), 0644);
    EXPECT_EQ(DirectoryNames(dir.Path()), std::vector<std::string>{"ro.txt"});
}

// Whether another process could take the lock on `path` at once.
bool LockableByAnotherProcess(const std::string& path)
{
    const pid_t child = ::fork();
    if (child == 0) {
        AlbumLock lock;
        ::_exit(lock.Acquire(path, 0) ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// A child process holds the album's lock for a while.
pid_t HoldLockInChild(const std::string& path, int holdMs, int pipeWrite)
{
    const pid_t child = ::fork();
    if (child == 0) {
        AlbumLock lock;
        const char ready = lock.Acquire(path, 0) ? 'y' : 'n';
        [[maybe_unused]] const auto n = ::write(pipeWrite, &ready, 1);
        ::usleep(static_cast<useconds_t>(holdMs) * 1000);
        ::_exit(0);
    }
    return child;
}

TEST(AlbumLock, SecondWriterWaitsThenGivesUpWithAMessage)
{
    TempDir dir;
    const std::string path = dir.File("a.qza");
    ASSERT_FALSE(WriteText(path, "album"));
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t child = HoldLockInChild(path, 600, fds[1]);
    char ready = 0;
    ASSERT_EQ(::read(fds[0], &ready, 1), 1);
    ASSERT_EQ(ready, 'y');

    AlbumLock refused;
    EXPECT_FALSE(refused.Acquire(path, 100));
    EXPECT_NE(refused.Message().find("en cours de modification par un autre programme"),
              std::string::npos);
    AlbumLock waited;  // the child lets go within the wait
    EXPECT_TRUE(waited.Acquire(path, 5000));
    // Locks of one process nest.
    AlbumLock nested;
    EXPECT_TRUE(nested.Acquire(path, 0));
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(fds[0]);
    ::close(fds[1]);
}

TEST(AlbumLock, FollowsTheFileThatASaveRenamedIntoPlace)
{
    TempDir dir;
    const std::string path = dir.File("a.qza");
    ASSERT_FALSE(WriteText(path, "v1"));
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        AlbumLock lock;
        lock.Acquire(path, 0);
        const char ready = 'y';
        [[maybe_unused]] const auto n = ::write(fds[1], &ready, 1);
        ::usleep(300 * 1000);
        WriteText(path, "v2");  // a save: a new file under the name
        ::_exit(0);
    }
    char ready = 0;
    ASSERT_EQ(::read(fds[0], &ready, 1), 1);
    AlbumLock lock;
    ASSERT_TRUE(lock.Acquire(path, 5000));
    // Whoever waited reads what the first writer saved, and holds the lock
    // on that file, not on the one it replaced.
    EXPECT_EQ(ReadText(path), "v2");
    EXPECT_FALSE(LockableByAnotherProcess(path));
    lock.Release();
    EXPECT_TRUE(LockableByAnotherProcess(path));
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(fds[0]);
    ::close(fds[1]);
    EXPECT_TRUE(lock.Acquire(dir.File("none.qza"), 0));  // nothing to lock yet
}

}  // namespace
}  // namespace lumora
