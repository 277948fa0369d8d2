#include "cli/album_import.h"
#include "cli/album_file.h"

#include <sys/stat.h>

#include "cli/album_options.h"
#include "cli/unread_pictures.h"
#include "core/album/album_document.h"
#include "core/import/folder_import.h"
#include "core/platform/atomic_file.h"

namespace lumora::cli {
namespace {

constexpr const char* kUsage =
    "usage : lumora-cli album import ALBUM DOSSIER [--by-day on|off] [--recursive] [--force]";

class StderrImportProgress final : public InsertProgress {
public:
    void Step(int done, int total) override { ShowCountOnTerminal(done, total); }
};

}  // namespace

int RunAlbumImport(Arguments args)
{
    const bool recursive = args.TakeFlag("--recursive");
    const bool force = args.TakeFlag("--force");
    OptionReader options(std::move(args));
    const bool byDay = options.Flag("--by-day").value_or(true);
    if (!options.Finish(2, 2, kUsage))
        return kExitUsage;
    const std::string& albumPath = options.Words()[0];
    const std::string& folder = options.Words()[1];
    struct stat st {};
    if (::lstat(albumPath.c_str(), &st) == 0 && !force)
        return Fail(kExitFailed, albumPath + " existe déjà : rien n'a été écrit (--force pour le remplacer)");

    AlbumDocument doc;
    doc.Clear();
    StderrImportProgress progress;
    const FolderImportOutcome outcome = ImportFolder(doc, folder, {byDay, recursive}, &progress, FitsTabByWidth);
    if (!outcome.folderRead)
        return Fail(kExitFailed, "dossier illisible : " + outcome.folderError);
    ShowHeldMessages(outcome.messages);
    for (const UnreadPicture& picture : outcome.unreadable) {
        ShowHeldMessages(picture.messages);
        Fail(kExitFailed, UnreadPictureLine(picture, true));
    }
    if (outcome.inserted == 0)
        return Fail(kExitFailed, outcome.found == 0 ? folder + " ne contient aucune image : rien n'a été écrit"
                                                    : "aucune image lisible dans " + folder + " : rien n'a été écrit");
    AlbumLock lock;
    if (!lock.Acquire(albumPath))
        return Fail(kExitFailed, lock.Message());
    if (!SaveAlbumFile(doc, albumPath))
        return kExitFailed;
    return kExitOk;
}

}  // namespace lumora::cli
