#include "core/gather/gather_copy.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <utility>
#include <sys/stat.h>
#include <unistd.h>

#include "core/platform/services.h"
#include "core/res/strings.h"

namespace lumora {
namespace {

// Bytes the kernel copies between two looks at `cancelled` and the gauge.
constexpr int64_t kKernelChunk = 1 << 20;

// What the user answered to a failure, as the copy loops use it.
enum class Answer { Retry, Skip, Abort };

Answer AskText(const std::string& question)
{
    switch (CurrentPrompter().AskAbortRetryIgnore(question, {})) {
    case AbortRetryIgnore::Retry: return Answer::Retry;
    case AbortRetryIgnore::Ignore: return Answer::Skip;
    case AbortRetryIgnore::Abort: break;
    }
    return Answer::Abort;
}

Answer Ask(int textId, const std::string& file) { return AskText(LoadString(textId) + "\n" + file); }

GatherFileResult ResultOf(Answer answer)
{
    return answer == Answer::Skip ? GatherFileResult::Skipped : GatherFileResult::Aborted;
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }
    void Reset(int fd)
    {
        Close();
        fd_ = fd;
    }
    // False when the kernel reports a delayed write error.
    bool Close()
    {
        const int fd = std::exchange(fd_, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

std::string DirectoryOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A new file in the target's directory under a hidden temporary name; put
// in place by Commit, removed by the destructor otherwise.
class PendingFile {
public:
    ~PendingFile() { Discard(); }

    bool Create(const std::string& target, mode_t mode)
    {
        Discard();
        std::string name = DirectoryOf(target) + "/.lumora-gather-XXXXXX";
        const int fd = ::mkstemp(name.data());
        if (fd < 0)
            return false;
        file_.Reset(fd);
        temporary_ = name;
        ::fchmod(fd, mode);
        return true;
    }
    int Fd() const { return file_.Get(); }
    bool Commit(const std::string& target)
    {
        if (!file_.Close() || ::rename(temporary_.c_str(), target.c_str()) != 0)
            return false;
        temporary_.clear();
        return true;
    }
    void Discard()
    {
        file_.Close();
        if (!temporary_.empty())
            ::unlink(temporary_.c_str());
        temporary_.clear();
    }

private:
    Descriptor file_;
    std::string temporary_;
};

// The status-bar gauge over one file: repainted only when its 20-step
// position changes, never for an empty file.
class FileGauge {
public:
    explicit FileGauge(const std::string& statusText)
    {
        CurrentStatusDisplay().SetStatusText(statusText);
        CurrentProgressSink().Begin();
    }
    ~FileGauge() { CurrentProgressSink().End(); }
    FileGauge(const FileGauge&) = delete;
    FileGauge& operator=(const FileGauge&) = delete;

    void Set(int64_t done, int64_t total)
    {
        if (total <= 0)
            return;
        const int step = static_cast<int>(done * 20 / total);
        if (step == step_)
            return;
        step_ = step;
        CurrentProgressSink().SetProgress(static_cast<long>(step), 20);
    }

private:
    int step_ = -1;
};

// Creates the pending file, asking on failure.
std::optional<Answer> CreatePending(PendingFile& pending, const std::string& target, mode_t mode,
                                    int failureTextId)
{
    while (!pending.Create(target, mode)) {
        const Answer answer = Ask(failureTextId, target);
        if (answer != Answer::Retry)
            return answer;
    }
    return std::nullopt;
}

// Writes all of `bytes`; a short write keeps the rest for the next call.
std::optional<Answer> WriteAll(int fd, const char* bytes, size_t count, const std::string& target,
                               int failureTextId, const std::function<void(size_t)>& advanced)
{
    size_t done = 0;
    while (done < count) {
        const ssize_t written = ::write(fd, bytes + done, count - done);
        if (written > 0) {
            done += static_cast<size_t>(written);
            advanced(static_cast<size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        const Answer answer = Ask(failureTextId, target);
        if (answer != Answer::Retry)
            return answer;
    }
    return std::nullopt;
}

// Nothing once the file is in place; otherwise the user's answer, Retry
// meaning the file is started over (the failed attempt closed it). A file
// of the album under the target's name is never replaced; looked at just
// before the rename, as late as can be.
std::optional<Answer> CommitPending(PendingFile& pending, const std::string& target, int failureTextId,
                                    const AlbumOwnFiles* own)
{
    if (own && own->Holds(target))
        return Ask(kStrTargetCreateFailed, target);
    if (pending.Commit(target))
        return std::nullopt;
    return Ask(failureTextId, target);
}

int CreateFailureText(int failureTextId)
{
    return failureTextId == kStrJpegCreateFailed ? failureTextId : kStrTargetCreateFailed;
}

GatherFileResult WriteBytes(std::string_view bytes, const std::string& target, int failureTextId,
                            const std::string& statusText, const GatherCancel& cancelled, const AlbumOwnFiles* own)
{
    FileGauge gauge(statusText);
    for (;;) {
        PendingFile pending;
        if (const auto answer = CreatePending(pending, target, 0644, CreateFailureText(failureTextId)))
            return ResultOf(*answer);
        if (cancelled && cancelled())
            return GatherFileResult::Interrupted;
        size_t done = 0;
        const auto advanced = [&](size_t n) {
            done += n;
            gauge.Set(static_cast<int64_t>(done), static_cast<int64_t>(bytes.size()));
        };
        if (const auto answer = WriteAll(pending.Fd(), bytes.data(), bytes.size(), target, failureTextId, advanced))
            return ResultOf(*answer);
        const auto answer = CommitPending(pending, target, failureTextId, own);
        if (!answer)
            return GatherFileResult::Written;
        if (*answer != Answer::Retry)
            return ResultOf(*answer);
    }
}

// What an opened source is worth copying: a regular file, and of the kind
// asked for.
SourceVerdict Examine(int fd, const std::string& path, const GatherCopyRules& rules)
{
    struct stat facts {};
    if (fd < 0 || ::fstat(fd, &facts) != 0)
        return SourceVerdict::Unreadable;
    if (!rules.kind)
        return S_ISREG(facts.st_mode) ? SourceVerdict::Accepted : SourceVerdict::Unreadable;
    return CheckGatherSource(fd, facts, path, *rules.kind);
}

// Opens the source, asking on failure; the descriptor or an answer. The
// open never blocks (a FIFO would wait for a writer forever); reads block
// again once the source is known to be a regular file.
std::optional<Answer> OpenSource(Descriptor& source, const std::string& path, const GatherCopyRules& rules)
{
    for (;;) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        const SourceVerdict verdict = Examine(fd, path, rules);
        if (verdict == SourceVerdict::Accepted) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            source.Reset(fd);
            return std::nullopt;
        }
        if (fd >= 0)
            ::close(fd);
        const std::string question = verdict == SourceVerdict::Unreadable
                                         ? LoadString(kStrSourceOpenFailed) + "\n" + path
                                         : RefusalText(verdict, path);
        const Answer answer = AskText(question);
        if (answer != Answer::Retry)
            return answer;
    }
}

// Reads the next chunk (at most `wanted` bytes), asking on an error or an
// unexpected end; the count read or an answer.
std::optional<Answer> ReadChunk(int fd, char* buffer, size_t wanted, const std::string& path, size_t& got)
{
    for (;;) {
        const ssize_t n = ::read(fd, buffer, wanted);
        if (n > 0) {
            got = static_cast<size_t>(n);
            return std::nullopt;
        }
        if (n < 0 && errno == EINTR)
            continue;
        const Answer answer = Ask(kStrSourceReadFailed, path);
        if (answer != Answer::Retry)
            return answer;
    }
}

// One attempt at the whole copy into a pending file; nothing when it was
// committed, else the result to give.
std::optional<GatherFileResult> CopyOnce(int sourceFd, const std::string& source, const std::string& target,
                                         mode_t mode, int64_t size, std::vector<char>& buffer,
                                         FileGauge& gauge, const GatherCancel& cancelled, const AlbumOwnFiles* own)
{
    PendingFile pending;
    if (const auto answer = CreatePending(pending, target, mode, kStrTargetCreateFailed))
        return ResultOf(*answer);
    ::lseek(sourceFd, 0, SEEK_SET);  // a copy started over reads from the start
    int64_t remaining = size;
    const auto advanced = [&](size_t n) {
        remaining -= static_cast<int64_t>(n);
        gauge.Set(size - remaining, size);
    };
    bool inKernel = true;
    while (remaining > 0) {
        if (cancelled && cancelled())
            return GatherFileResult::Interrupted;
        if (inKernel) {
            // The kernel copies without the bytes coming up to us (and may
            // share extents). Where it cannot, or on any error, the plain
            // loop takes over from the same place and names the failure.
            const ssize_t n = ::copy_file_range(sourceFd, nullptr, pending.Fd(), nullptr,
                                                static_cast<size_t>(std::min(remaining, kKernelChunk)), 0);
            if (n > 0)
                advanced(static_cast<size_t>(n));
            else
                inKernel = false;
            continue;
        }
        const size_t wanted = static_cast<size_t>(std::min<int64_t>(remaining, static_cast<int64_t>(buffer.size())));
        size_t got = 0;
        if (const auto answer = ReadChunk(sourceFd, buffer.data(), wanted, source, got))
            return ResultOf(*answer);
        if (const auto answer = WriteAll(pending.Fd(), buffer.data(), got, target, kStrTargetWriteFailed, advanced))
            return ResultOf(*answer);
    }
    if (const auto answer = CommitPending(pending, target, kStrTargetWriteFailed, own))
        return *answer == Answer::Retry ? std::nullopt : std::optional(ResultOf(*answer));
    return GatherFileResult::Written;
}

}  // namespace

bool IsSameFile(const std::string& a, const std::string& b)
{
    struct stat first {}, second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

GatherFileResult CopyGatherFile(const std::string& source, const std::string& target, const GatherCancel& cancelled,
                                const GatherCopyRules& rules)
{
    if (IsSameFile(source, target))
        return GatherFileResult::Written;
    FileGauge gauge(LoadString(kStrCopyingLabel) + source);
    Descriptor input;
    if (const auto answer = OpenSource(input, source, rules))
        return ResultOf(*answer);
    struct stat facts {};
    ::fstat(input.Get(), &facts);
    const mode_t mode = (facts.st_mode & 0777) | S_IWUSR;
    std::vector<char> buffer(kGatherChunkBytes);
    for (;;) {
        if (const auto result =
                CopyOnce(input.Get(), source, target, mode, facts.st_size, buffer, gauge, cancelled, rules.own))
            return *result;
    }
}

GatherFileResult WriteGatherFile(std::string_view bytes, const std::string& target, int failureTextId,
                                 const std::string& statusText, const GatherCancel& cancelled,
                                 const AlbumOwnFiles* own)
{
    return WriteBytes(bytes, target, failureTextId, statusText, cancelled, own);
}

}  // namespace lumora
