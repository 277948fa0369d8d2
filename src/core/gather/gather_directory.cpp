#include "core/gather/gather_directory.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

#include "core/res/strings.h"

namespace lumora {
namespace {

// File-system magic numbers of optical discs (linux/magic.h).
constexpr long kIso9660Magic = 0x9660;
constexpr long kUdfMagic = 0x15013346;

std::string HomeOf(const std::string& user)
{
    if (user.empty()) {
        if (const char* home = std::getenv("HOME"); home && *home)
            return home;
        const passwd* entry = ::getpwuid(::getuid());
        return entry && entry->pw_dir ? entry->pw_dir : "";
    }
    const passwd* entry = ::getpwnam(user.c_str());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}

// The path's parts between slashes, empty parts dropped.
std::vector<std::string> PathParts(const std::string& path)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= path.size()) {
        const size_t slash = path.find('/', start);
        const size_t end = slash == std::string::npos ? path.size() : slash;
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string JoinParts(const std::vector<std::string>& parts, size_t count)
{
    std::string path;
    for (size_t i = 0; i < count; ++i)
        path += "/" + parts[i];
    return path.empty() ? "/" : path;
}

bool IsDirectory(const std::string& path)
{
    struct stat facts {};
    return ::stat(path.c_str(), &facts) == 0 && S_ISDIR(facts.st_mode);
}

// Read-only mounts and optical discs cannot receive a gather.
bool IsUnwritableMedium(const std::string& existing)
{
    struct statvfs volume {};
    if (::statvfs(existing.c_str(), &volume) == 0 && (volume.f_flag & ST_RDONLY))
        return true;
    struct statfs system {};
    if (::statfs(existing.c_str(), &system) != 0)
        return false;
    const long type = static_cast<long>(system.f_type);
    return type == kIso9660Magic || type == kUdfMagic;
}

// The nearest part of the path that exists: the path itself, a parent, or "/".
std::string NearestExisting(const std::vector<std::string>& parts)
{
    for (size_t count = parts.size(); count > 0; --count) {
        const std::string prefix = JoinParts(parts, count);
        struct stat facts {};
        if (::stat(prefix.c_str(), &facts) == 0)
            return prefix;
    }
    return "/";
}

// Creates each missing directory of the chain; an existing directory is
// accepted, anything else in the way fails.
bool CreateChain(const std::vector<std::string>& parts)
{
    for (size_t count = 1; count <= parts.size(); ++count) {
        const std::string prefix = JoinParts(parts, count);
        struct stat facts {};
        if (::stat(prefix.c_str(), &facts) == 0) {
            if (!S_ISDIR(facts.st_mode))
                return false;
            continue;
        }
        if (::mkdir(prefix.c_str(), 0777) != 0 && !(errno == EEXIST && IsDirectory(prefix)))
            return false;
    }
    return true;
}

GatherDirectory Refuse(GatherDirectoryProblem problem) { return {{}, problem}; }

}  // namespace

std::string ExpandHome(const std::string& typed)
{
    if (typed.empty() || typed[0] != '~')
        return typed;
    const size_t slash = typed.find('/');
    const std::string user = typed.substr(1, slash == std::string::npos ? std::string::npos : slash - 1);
    const std::string home = HomeOf(user);
    if (home.empty())
        return typed;
    return home + (slash == std::string::npos ? "" : typed.substr(slash));
}

std::string GatherDirectoryProblemText(GatherDirectoryProblem problem)
{
    switch (problem) {
    case GatherDirectoryProblem::None: return {};
    case GatherDirectoryProblem::BadPath: return LoadString(kStrGatherBadPath);
    case GatherDirectoryProblem::UnwritableMedium: return LoadString(kStrGatherNoDrive);
    case GatherDirectoryProblem::NotReady: return LoadString(kStrGatherDriveNotReady);
    }
    return {};
}

GatherDirectory ValidateGatherDirectory(const std::string& typed)
{
    const std::string path = ExpandHome(typed);
    if (path.empty() || path[0] != '/')
        return Refuse(GatherDirectoryProblem::BadPath);
    const std::vector<std::string> parts = PathParts(path);
    if (IsUnwritableMedium(NearestExisting(parts)))
        return Refuse(GatherDirectoryProblem::UnwritableMedium);
    if (!CreateChain(parts))
        return Refuse(GatherDirectoryProblem::NotReady);
    std::string directory = JoinParts(parts, parts.size());
    if (::access(directory.c_str(), W_OK | X_OK) != 0)
        return Refuse(GatherDirectoryProblem::NotReady);
    return {std::move(directory), GatherDirectoryProblem::None};
}

}  // namespace lumora
