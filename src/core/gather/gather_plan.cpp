#include "core/gather/gather_plan.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <sys/stat.h>

#include "core/album/album_document.h"
#include "core/album/find_album_file.h"
#include "core/gather/gather.h"
#include "core/gather/web_viewer.h"
#include "core/sound/sounds.h"

namespace lumora {
namespace {

// "PHOTO.BMP" -> "PHOTO.JPG"; a name without extension loses its last three
// characters all the same, which is where the lookup of a gathered album
// expects the JPEG.
std::string JpegName(const std::string& name)
{
    return (name.size() >= 3 ? name.substr(0, name.size() - 3) : std::string()) + "JPG";
}

std::string Folded(std::string name)
{
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

// "p.jpg", 2 -> "p-2.jpg"; "notes", 3 -> "notes-3".
std::string NumberedName(const std::string& name, int number)
{
    const size_t dot = name.find_last_of('.');
    const size_t stem = dot == std::string::npos || dot == 0 ? name.size() : dot;
    return name.substr(0, stem) + "-" + std::to_string(number) + name.substr(stem);
}

// A file's identity: device and inode when it exists, else its path.
std::string IdentityOf(const std::string& path)
{
    struct stat facts {};
    if (::stat(path.c_str(), &facts) != 0)
        return "path:" + path;
    return std::to_string(facts.st_dev) + ":" + std::to_string(facts.st_ino);
}

class Namer {
public:
    Namer(std::string destination, const AlbumOwnFiles& own) : destination_(std::move(destination)), own_(own)
    {
        for (const char* reserved : {kViewerPage, kViewerFolder, kViewerSparePage})
            claims_[Folded(reserved)] = "viewer";
    }

    std::string PathOf(const std::string& name) const { return (destination_ == "/" ? "" : destination_) + "/" + name; }

    // Claims `name` for a source already lying under it.
    bool ClaimInPlace(GatherFile& file, const std::string& name)
    {
        if (claims_.count(Folded(name)) || !SameFile(PathOf(name), file.source))
            return false;
        Claim(file, name, name);
        file.inPlace = true;
        return true;
    }

    void Name(GatherFile& file, const std::string& wanted)
    {
        const std::string identity = IdentityOf(file.source);
        for (int number = 1;; ++number) {
            const std::string name = number == 1 ? wanted : NumberedName(wanted, number);
            const auto claimed = claims_.find(Folded(name));
            if (claimed != claims_.end()) {
                if (claimed->second != identity)
                    continue;
                file.repeat = true;  // the same file again, already named
                Claim(file, name, wanted);
                return;
            }
            if (!Usable(PathOf(name), file.source))
                continue;
            Claim(file, name, wanted);
            return;
        }
    }

    // Another name than the source's own.
    void NameApart(GatherFile& file, const std::string& wanted)
    {
        file.inPlace = false;
        for (int number = 2;; ++number) {
            const std::string name = NumberedName(wanted, number);
            if (!claims_.count(Folded(name)) && Usable(PathOf(name), file.source) &&
                !SameFile(PathOf(name), file.source)) {
                Claim(file, name, wanted);
                return;
            }
        }
    }

private:
    static bool SameFile(const std::string& a, const std::string& b)
    {
        struct stat first {}, second {};
        return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
               first.st_ino == second.st_ino;
    }

    // Free, or a file that is nobody's in the album (replaced), or the
    // source itself.
    bool Usable(const std::string& path, const std::string& source) const
    {
        struct stat facts {};
        if (::lstat(path.c_str(), &facts) != 0)
            return true;
        if (S_ISLNK(facts.st_mode) && ::stat(path.c_str(), &facts) != 0)
            return true;  // a dangling link: the rename replaces the link
        if (!S_ISREG(facts.st_mode))
            return false;
        return SameFile(path, source) || !own_.Holds(path);
    }

    void Claim(GatherFile& file, const std::string& name, const std::string& wanted)
    {
        claims_[Folded(name)] = IdentityOf(file.source);
        file.target = PathOf(name);
        file.inPlace = file.inPlace || SameFile(file.target, file.source);
        if (name != wanted && !file.repeat)
            file.wantedName = wanted;
    }

    std::string destination_;
    const AlbumOwnFiles& own_;
    std::map<std::string, std::string> claims_;  // folded name -> source identity
};

GatherFile Planned(GatherFile::Kind kind, int item, const std::string& source, bool convert)
{
    GatherFile file;
    file.kind = kind;
    file.item = item;
    file.source = source;
    file.convert = convert;
    return file;
}

std::string WantedName(const GatherFile& file, const AlbumItem* item)
{
    if (file.kind == GatherFile::Kind::Picture && file.convert)
        return JpegName(StoredFileName(item->imagePath));
    return StoredFileName(file.source);
}

// Whether the gathered album, holding the item's path as it is, would find
// `file` by looking beside itself (see FindAlbumImage, FindAlbumSound).
// `sourceByName`: each target's folded name and its source's identity.
bool FoundByLookup(const GatherFile& file, const AlbumItem& item,
                   const std::map<std::string, std::string>& sourceByName, const std::string& destination)
{
    const std::string name = StoredFileName(file.target);
    if (file.kind == GatherFile::Kind::Sound)
        return name == StoredFileName(item.soundPath);
    const std::string stored = StoredFileName(item.imagePath);
    if (name == stored)
        return true;
    if (name != JpegName(stored))
        return false;
    // The lookup tries the stored name first, in any case: a file under it,
    // there already or gathered, must be this photo's own original.
    const std::string identity = IdentityOf(file.source);
    const std::string shadow = FindFileIgnoringCase(destination, stored);
    if (!shadow.empty() && IdentityOf(shadow) != identity)
        return false;
    const auto gathered = sourceByName.find(Folded(stored));
    return gathered == sourceByName.end() || gathered->second == identity;
}

}  // namespace

void AlbumOwnFiles::Add(const std::string& path)
{
    struct stat facts {};
    if (!path.empty() && ::stat(path.c_str(), &facts) == 0)
        identities_.insert({static_cast<uint64_t>(facts.st_dev), static_cast<uint64_t>(facts.st_ino)});
}

bool AlbumOwnFiles::Holds(const std::string& path) const
{
    struct stat facts {};
    return ::stat(path.c_str(), &facts) == 0 &&
           identities_.count({static_cast<uint64_t>(facts.st_dev), static_cast<uint64_t>(facts.st_ino)}) > 0;
}

bool GatherPlan::RenamesAlbum() const
{
    return std::any_of(files.begin(), files.end(), [](const GatherFile& file) { return file.namedInAlbum; });
}

GatherPlan PlanGather(const AlbumDocument& doc, const std::string& albumPath, const std::string& destination,
                      const GatherOptions& options)
{
    GatherPlan plan;
    plan.own.Add(albumPath);
    plan.files.push_back(Planned(GatherFile::Kind::AlbumFile, -1, albumPath, false));
    for (size_t i = 0; i < doc.ItemCount(); ++i) {
        const AlbumItem& item = *doc.Items()[i];
        if (!item.IsPhoto())
            continue;
        const int index = static_cast<int>(i);
        std::string source = FindAlbumImage(item.imagePath, albumPath);
        if (source.empty())
            source = item.imagePath;  // not found: its copy fails and asks
        plan.own.Add(source);
        plan.own.Add(item.imagePath);
        plan.files.push_back(Planned(GatherFile::Kind::Picture, index, source, options.convertJpeg));
        if (!item.soundPath.empty()) {
            const std::string sound = FindAlbumSound(item.soundPath, albumPath);
            plan.own.Add(sound);
            plan.own.Add(item.soundPath);
            if (options.copySounds)
                plan.files.push_back(Planned(GatherFile::Kind::Sound, index, sound, false));
        }
    }

    Namer namer(destination, plan.own);
    const auto itemOf = [&doc](const GatherFile& file) {
        return file.item < 0 ? nullptr : &doc.Item(static_cast<size_t>(file.item));
    };
    // Files already where they belong keep their names first; then the rest
    // in order.
    std::vector<bool> named(plan.files.size());
    for (size_t i = 0; i < plan.files.size(); ++i)
        named[i] = namer.ClaimInPlace(plan.files[i], WantedName(plan.files[i], itemOf(plan.files[i])));
    for (size_t i = 0; i < plan.files.size(); ++i)
        if (!named[i])
            namer.Name(plan.files[i], WantedName(plan.files[i], itemOf(plan.files[i])));
    std::map<std::string, std::string> sourceByName;
    for (const GatherFile& file : plan.files)
        sourceByName[Folded(StoredFileName(file.target))] = IdentityOf(file.source);
    for (GatherFile& file : plan.files)
        if (const AlbumItem* item = itemOf(file))
            file.namedInAlbum = !FoundByLookup(file, *item, sourceByName, destination);
    // The album file is never written over: gathered into its own folder
    // with names to change, the new album takes a name of its own.
    if (plan.RenamesAlbum() && plan.files[0].inPlace)
        namer.NameApart(plan.files[0], WantedName(plan.files[0], nullptr));
    return plan;
}

}  // namespace lumora
