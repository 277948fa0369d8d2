#include "core/import/folder_import.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>

#include "core/formats/image_format.h"
#include "core/import/exif_capture_time.h"
#include "core/import/file_name_time.h"
#include "core/platform/services.h"
#include "core/res/strings.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

bool IsHidden(const fs::path& path) { return path.filename().string().starts_with('.'); }

// The load-error dialog of an import: files that cannot be read are noted
// and given up, to be listed once at the end instead of one question each.
class NoteUnreadable final : public PreviewRetryHandler {
public:
    std::optional<std::string> AskRetry(const UnreadPicture& picture) override
    {
        failed.push_back(picture);
        return std::nullopt;
    }
    void Tell(const std::vector<HeldMessage>& said) override { messages.insert(messages.end(), said.begin(), said.end()); }
    std::vector<UnreadPicture> failed;
    std::vector<HeldMessage> messages;
};

// Gives each inserted photo the section of its day, with one tab per day
// that kept at least one photo: the first tab takes the first day's name,
// every later day comes in as a tab before its first photo. Each is a step
// of the history, so that the whole import can be undone.
void MakeDaySections(AlbumDocument& doc, const ImportPlan& plan)
{
    std::vector<size_t> sectionOf(plan.pictures.size());
    for (size_t s = 0; s < plan.sections.size(); ++s) {
        const size_t end = s + 1 < plan.sections.size() ? plan.sections[s + 1].first : plan.pictures.size();
        std::fill(sectionOf.begin() + static_cast<long>(plan.sections[s].first), sectionOf.begin() + static_cast<long>(end), s);
    }
    size_t planned = 0, lastSection = SIZE_MAX, tabs = 0;
    for (size_t i = 0; i < doc.ItemCount(); ++i) {
        const std::string& path = doc.Item(i).imagePath;
        while (planned < plan.pictures.size() && plan.pictures[planned].path != path)
            ++planned;
        if (planned == plan.pictures.size())
            break;  // not one of ours: leave the rest in the last section
        if (sectionOf[planned] != lastSection) {
            lastSection = sectionOf[planned];
            const std::string& name = plan.sections[lastSection].tabName;
            if (tabs == 0) {
                const SectionTab& first = doc.Tab(0);
                doc.Perform(MakeTabChange(doc, 0, name, first.tabColor, first.nameColor));
            } else {
                doc.Perform(MakeTabInsertion(doc, tabs, std::make_unique<SectionTab>(name, static_cast<int>(tabs)), i));
            }
            ++tabs;
        }
        ++planned;
    }
}

}  // namespace

std::vector<std::string> PicturesInFolder(const std::string& folder, bool recursive, std::string& error)
{
    std::vector<std::string> paths;
    std::error_code failure;
    const auto keep = [&](const fs::directory_entry& entry) {
        std::error_code ignored;
        if (!IsHidden(entry.path()) && entry.is_regular_file(ignored) &&
            ImageFormat(entry.path().string()) != kFormatUnknown)
            paths.push_back(entry.path().string());
    };
    if (recursive) {
        fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, failure);
        for (; !failure && it != fs::recursive_directory_iterator(); it.increment(failure)) {
            if (IsHidden(it->path())) {
                if (it->is_directory())
                    it.disable_recursion_pending();
                continue;
            }
            keep(*it);
        }
    } else {
        fs::directory_iterator it(folder, failure);
        for (; !failure && it != fs::directory_iterator(); it.increment(failure))
            keep(*it);
    }
    if (failure) {
        error = folder + " : " + failure.message();
        return {};
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

ImportCandidate ExamineFile(const std::string& path)
{
    ImportCandidate candidate;
    candidate.path = path;
    candidate.name = fs::path(path).filename().string();
    candidate.embedded = EmbeddedCaptureTime(path);
    if (!candidate.embedded)
        candidate.fromName = CaptureTimeFromFileName(candidate.name);
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        candidate.fileTime = LocalCaptureTime(st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
    return candidate;
}

std::vector<std::string> FolderPicturesInCaptureOrder(const std::string& folder, std::string& error)
{
    std::vector<ImportCandidate> candidates;
    for (const std::string& path : PicturesInFolder(folder, false, error))
        candidates.push_back(ExamineFile(path));
    const auto noTabs = [](const std::string&) { return true; };
    std::vector<std::string> ordered;
    ordered.reserve(candidates.size());
    for (PlannedPicture& picture : PlanImport({}, candidates, false, noTabs).pictures)
        ordered.push_back(std::move(picture.path));
    return ordered;
}

std::string FolderTitle(const std::string& folder)
{
    fs::path path = fs::absolute(fs::path(folder)).lexically_normal();
    if (!path.has_filename())
        path = path.parent_path();
    const std::string name = path.filename().string();
    return name.empty() ? path.string() : name;
}

FolderImportOutcome ImportFolder(AlbumDocument& doc, const std::string& folder, const FolderImportOptions& options,
                                 InsertProgress* progress, const TabNameFits& fits)
{
    FolderImportOutcome outcome;
    std::error_code ignored;
    const std::string absolute = fs::absolute(fs::path(folder), ignored).lexically_normal().string();
    const auto paths = PicturesInFolder(absolute, options.recursive, outcome.folderError);
    outcome.folderRead = outcome.folderError.empty();
    if (!outcome.folderRead)
        return outcome;
    outcome.found = paths.size();

    CurrentStatusDisplay().SetStatusText(LoadString(kStrReadingCaptureDates));
    std::vector<ImportCandidate> candidates;
    candidates.reserve(paths.size());
    for (const std::string& path : paths)
        candidates.push_back(ExamineFile(path));
    const ImportPlan plan = PlanImport(FolderTitle(absolute), candidates, options.byDay, fits);

    AlbumSettings settings = doc.Settings();
    settings.title = plan.title;
    settings.flyleaf = true;
    settings.useTabs = options.byDay;
    doc.Perform(MakeSettingsChange(doc, std::move(settings), SettingsKind::Properties));
    std::vector<std::string> ordered;
    ordered.reserve(plan.pictures.size());
    for (const PlannedPicture& picture : plan.pictures)
        ordered.push_back(picture.path);

    NoteUnreadable unreadable;
    CurrentStatusDisplay().SetStatusText(LoadString(kStrAddingPictures));
    {
        const ScopedServices noting{[&](Services& services) { services.previewRetry = &unreadable; }};
        // One step for every photo.
        InsertImagesBefore(doc, ordered, doc.ItemCount(), std::nullopt, progress);
    }
    outcome.inserted = doc.ItemCount();
    outcome.unreadable = std::move(unreadable.failed);
    outcome.messages = std::move(unreadable.messages);
    outcome.stopped = progress && progress->Cancelled() && outcome.inserted + outcome.unreadable.size() < ordered.size();
    if (options.byDay)
        MakeDaySections(doc, plan);
    return outcome;
}

}  // namespace lumora
