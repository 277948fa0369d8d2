#include "core/platform/atomic_file.h"

#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace lumora {
namespace {

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool SyncDirectory(const std::string& directory)
{
    const int fd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Some file systems cannot sync a directory (EINVAL): nothing to do there.
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    const int error = errno;
    ::close(fd);
    errno = error;
    return synced;
}

std::string RandomSuffix()
{
    static std::mt19937_64 generator{std::random_device{}()};
    static constexpr char kLetters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::string suffix(6, 'X');
    for (char& c : suffix)
        c = kLetters[generator() % (sizeof kLetters - 1)];
    return suffix;
}

// Whether `entry` is ".NAME.XXXXXX", the hidden temporary of a save of NAME.
bool IsTemporaryOf(const std::string& entry, const std::string& name)
{
    const std::string prefix = "." + name + ".";
    if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (size_t i = prefix.size(); i < entry.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(entry[i])))
            return false;
    return true;
}

// Removes the named temporaries a killed save of `name` left in
// `directory` (where the file system cannot make unnamed files). A save in
// progress writes to its temporary all the time, so one of ours untouched
// for minutes belongs to no running save.
void RemoveStaleTemporaries(const std::string& directory, const std::string& name)
{
    const time_t staleBefore = std::time(nullptr) - 5 * 60;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(directory, error)) {
        const std::string entryName = entry.path().filename().string();
        if (!IsTemporaryOf(entryName, name))
            continue;
        struct stat st {};
        if (::lstat(entry.path().c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            st.st_mtime < staleBefore)
            ::unlink(entry.path().c_str());
    }
}

// The file locks this process holds, by device and inode, with how many
// AlbumLock objects share each. A child made by fork starts with none: the
// table it inherits is its parent's.
std::map<std::pair<uint64_t, uint64_t>, int>& HeldLocks()
{
    static std::map<std::pair<uint64_t, uint64_t>, int> held;
    static pid_t owner = ::getpid();
    if (owner != ::getpid()) {
        held.clear();
        owner = ::getpid();
    }
    return held;
}

}  // namespace

std::string DescribeWriteFailure(const WriteFailure& failure, const std::string& path)
{
    switch (failure.problem) {
    case WriteProblem::None:
        return {};
    case WriteProblem::ReadOnly:
        return "Le fichier " + path + " est en lecture seule : il n'a pas été modifié. "
               "Enregistrez sous un autre nom.";
    case WriteProblem::NotRegular:
        return path + " n'est pas un fichier ordinaire (périphérique, tube ou répertoire) : "
               "rien n'y a été écrit.";
    case WriteProblem::OwnerNotKept:
        return "Impossible de rendre au nouveau fichier " + path +
               " le propriétaire, le groupe ou les droits de l'ancien : il n'a pas été modifié.";
    case WriteProblem::System:
        break;
    }
    switch (failure.error) {
    case ENOSPC:
    case EDQUOT:
        return "Le disque de destination est plein : " + path + " n'a pas été modifié.";
    case EACCES:
    case EPERM:
    case EROFS:
        return "Impossible d'écrire dans " + path +
               " : le fichier est en lecture seule ou l'accès est refusé.";
    case ENOENT:
    case ENOTDIR:
        return path + "\nChemin introuvable. Vérifiez que le chemin et le nom de fichier sont "
               "corrects.";
    default:
        return "Une erreur inattendue s'est produite lors de l'écriture de " + path + ".";
    }
}

std::string ResolveLinks(const std::string& path)
{
    std::string current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::vector<char> link(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX) + 1);
        const ssize_t n = ::readlink(current.c_str(), link.data(), link.size());
        if (n <= 0 || static_cast<size_t>(n) >= link.size())
            return current;
        const std::string next(link.data(), static_cast<size_t>(n));
        current = next[0] == '/' ? next : DirectoryOf(current) + "/" + next;
    }
    return current;
}

bool AtomicFile::Fail(WriteProblem problem, int error)
{
    Discard();
    failure_ = {problem, error};
    errno = error;
    return false;
}

bool AtomicFile::Open(const std::string& path)
{
    Discard();
    failure_ = {};
    target_ = ResolveLinks(path);
    directory_ = DirectoryOf(target_);
    struct stat st {};
    existed_ = ::stat(target_.c_str(), &st) == 0;
    if (existed_) {
        if (!S_ISREG(st.st_mode))
            return Fail(WriteProblem::NotRegular, 0);
        // No write permission bit at all (even root honours a 444 file), or
        // none for us.
        if ((st.st_mode & 0222) == 0 || ::faccessat(AT_FDCWD, target_.c_str(), W_OK, AT_EACCESS) != 0)
            return Fail(WriteProblem::ReadOnly, 0);
        mode_ = st.st_mode & 07777;
        owner_ = st.st_uid;
        group_ = st.st_gid;
    } else if (errno != ENOENT) {
        return Fail(WriteProblem::System, errno);
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode_ = 0666 & ~mask;
    }
#ifdef O_TMPFILE
    fd_ = ::open(directory_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    unnamed_ = fd_ >= 0;
    if (fd_ < 0 && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return Fail(WriteProblem::System, errno);
#endif
    if (fd_ < 0) {
        std::string pattern = directory_ + "/." + NameOf(target_) + ".XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        fd_ = ::mkostemp(name.data(), O_CLOEXEC);
        if (fd_ < 0)
            return Fail(WriteProblem::System, errno);
        named_ = name.data();
    }
    return true;
}

bool AtomicFile::Write(const void* bytes, size_t count)
{
    const auto* in = static_cast<const char*>(bytes);
    while (fd_ >= 0 && count > 0) {
        const ssize_t n = ::write(fd_, in, count);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return Fail(WriteProblem::System, n == 0 ? EIO : errno);
        in += n;
        count -= static_cast<size_t>(n);
    }
    return fd_ >= 0;
}

bool AtomicFile::KeepOwnerAndMode()
{
    if (existed_) {
        struct stat st {};
        if (::fstat(fd_, &st) != 0)
            return false;
        if ((st.st_uid != owner_ || st.st_gid != group_) && ::fchown(fd_, owner_, group_) != 0)
            return false;
    }
    // After fchown, which may clear the set-user and set-group bits.
    return ::fchmod(fd_, mode_) == 0;
}

bool AtomicFile::Commit()
{
    if (fd_ < 0)
        return false;
    if (!KeepOwnerAndMode())
        return Fail(WriteProblem::OwnerNotKept, errno);
    if (::fsync(fd_) != 0)
        return Fail(WriteProblem::System, errno);
    if (unnamed_) {
        // An unnamed file gets a hidden name for the instant before the
        // rename (linkat cannot replace a file).
        const std::string proc = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; named_.empty(); ++attempt) {
            const std::string name = directory_ + "/." + NameOf(target_) + "." + RandomSuffix();
            if (::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
                named_ = name;
            else if (errno != EEXIST || attempt > 100)
                return Fail(WriteProblem::System, errno);
        }
    }
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0)
        return Fail(WriteProblem::System, errno);
    if (::rename(named_.c_str(), target_.c_str()) != 0)
        return Fail(WriteProblem::System, errno);
    named_.clear();
    RemoveStaleTemporaries(directory_, NameOf(target_));
    if (!SyncDirectory(directory_)) {
        // The new file is in place; only its durability is in doubt.
        failure_ = {WriteProblem::System, errno};
        return false;
    }
    return true;
}

void AtomicFile::Discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    unnamed_ = false;
    if (!named_.empty())
        ::unlink(named_.c_str());
    named_.clear();
}

WriteFailure WriteFileAtomically(const std::string& path, const void* bytes, size_t count)
{
    AtomicFile file;
    if (file.Open(path) && file.Write(bytes, count) && file.Commit())
        return {};
    return file.Failure();
}

std::optional<FileIdentity> IdentifyFile(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileIdentity{static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino),
                        static_cast<int64_t>(st.st_size),
                        static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec};
}

bool AlbumLock::Acquire(const std::string& path, int waitMs)
{
    Release();
    message_.clear();
    const std::string target = ResolveLinks(path);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        // Never block on opening: a FIFO would wait for a writer.
        const int fd = ::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            if (errno == ENOENT)
                return true;
            if (errno == EACCES || errno == EPERM)
                return true;  // reading will say so
            message_ = "Impossible d'ouvrir " + target + " pour le verrouiller.";
            return false;
        }
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
            ::close(fd);
            message_ = target + " n'est pas un fichier ordinaire (périphérique, tube ou "
                       "répertoire) : il n'a pas été ouvert.";
            return false;
        }
        const std::pair<uint64_t, uint64_t> key{st.st_dev, st.st_ino};
        if (const auto held = HeldLocks().find(key); held != HeldLocks().end()) {
            ::close(fd);
            ++held->second;
            held_ = true;
            device_ = key.first;
            inode_ = key.second;
            return true;
        }
        bool locked = false;
        while (!(locked = ::flock(fd, LOCK_EX | LOCK_NB) == 0) &&
               (errno == EWOULDBLOCK || errno == EINTR) &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        if (!locked) {
            ::close(fd);
            message_ = "Le fichier " + target + " est en cours de modification par un autre "
                       "programme : rien n'a été changé. Réessayez dans un instant.";
            return false;
        }
        // A save renames a new file over the path: the lock just taken may
        // belong to the file that was replaced while we waited.
        struct stat now {};
        if (::stat(target.c_str(), &now) == 0 && now.st_dev == st.st_dev && now.st_ino == st.st_ino) {
            fd_ = fd;
            held_ = true;
            device_ = key.first;
            inode_ = key.second;
            HeldLocks()[key] = 1;
            return true;
        }
        ::close(fd);
    }
}

void AlbumLock::Release()
{
    if (!held_)
        return;
    held_ = false;
    const std::pair<uint64_t, uint64_t> key{device_, inode_};
    if (const auto held = HeldLocks().find(key); held != HeldLocks().end() && --held->second == 0)
        HeldLocks().erase(held);
    if (fd_ >= 0)
        ::close(fd_);  // closing the descriptor drops the lock
    fd_ = -1;
    device_ = inode_ = 0;
}

}  // namespace lumora
