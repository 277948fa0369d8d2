#include "core/album/find_album_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>
#include <vector>

namespace lumora {
namespace fs = std::filesystem;
namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

bool IsFile(const fs::path& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::string DirectoryOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

std::string StoredFileName(const std::string& storedPath)
{
    const size_t slash = storedPath.find_last_of("/\\");
    return slash == std::string::npos ? storedPath : storedPath.substr(slash + 1);
}

std::string FindFileIgnoringCase(const std::string& directory, const std::string& name)
{
    if (name.empty())
        return {};
    const fs::path exact = fs::path(directory) / name;
    if (IsFile(exact))
        return exact.string();
    std::error_code error;
    fs::directory_iterator it(directory, error);
    if (error)
        return {};
    // Directory order is arbitrary: take the smallest matching name so that
    // the choice does not depend on it.
    std::string found;
    for (const fs::directory_entry& entry : it) {
        const std::string entryName = entry.path().filename().string();
        if (SameIgnoringCase(entryName, name) && IsFile(entry.path()) && (found.empty() || entryName < found))
            found = entryName;
    }
    return found.empty() ? std::string() : (fs::path(directory) / found).string();
}

std::string FindAlbumImage(const std::string& storedPath, const std::string& albumPath)
{
    std::vector<std::pair<std::string, std::string>> candidates;  // directory, name
    const std::string name = StoredFileName(storedPath);
    if (!albumPath.empty() && !name.empty()) {
        const std::string albumDirectory = DirectoryOf(albumPath);
        candidates.emplace_back(albumDirectory, name);
        if (name.size() >= 3)
            candidates.emplace_back(albumDirectory, name.substr(0, name.size() - 3) + "JPG");
    }
    // The stored path as it stands: only its own file name may differ in
    // case. A path without a slash is a name from elsewhere (a Windows path
    // or a bare name) and is only tried exactly.
    const size_t slash = storedPath.find_last_of('/');
    if (slash != std::string::npos)
        candidates.emplace_back(slash == 0 ? "/" : storedPath.substr(0, slash), storedPath.substr(slash + 1));
    for (const auto& [directory, candidateName] : candidates)
        if (std::string found = FindFileIgnoringCase(directory, candidateName); !found.empty())
            return found;
    if (slash == std::string::npos && !storedPath.empty() && IsFile(storedPath))
        return storedPath;
    return {};
}

}  // namespace lumora
