#include "cli/album_commands.h"

#include "cli/album_edit_commands.h"
#include "cli/album_gather.h"
#include "cli/album_import.h"
#include "cli/album_info.h"
#include "cli/album_sound_commands.h"

namespace lumora::cli {
namespace {

constexpr const char* kUsage =
    "usage : lumora-cli album new|add|add-text|add-tab|delete|delete-tab|move|tab|text|describe|set|sound|info|gather|import "
    "FICHIER ... (lumora-cli --help)";

}  // namespace

int RunAlbum(Arguments args)
{
    const auto& words = args.Positionals();
    if (words.empty())
        return Fail(kExitUsage, kUsage);
    const std::string sub = words[0];
    Arguments rest(std::vector<std::string>(words.begin() + 1, words.end()));
    if (sub == "new")
        return RunAlbumNew(std::move(rest));
    if (sub == "add")
        return RunAlbumAdd(std::move(rest));
    if (sub == "add-text")
        return RunAlbumAddText(std::move(rest));
    if (sub == "add-tab")
        return RunAlbumAddTab(std::move(rest));
    if (sub == "describe")
        return RunAlbumDescribe(std::move(rest));
    if (sub == "delete")
        return RunAlbumDelete(std::move(rest));
    if (sub == "move")
        return RunAlbumMove(std::move(rest));
    if (sub == "delete-tab")
        return RunAlbumDeleteTab(std::move(rest));
    if (sub == "tab")
        return RunAlbumTab(std::move(rest));
    if (sub == "text")
        return RunAlbumText(std::move(rest));
    if (sub == "set")
        return RunAlbumSet(std::move(rest));
    if (sub == "sound")
        return RunAlbumSound(std::move(rest));
    if (sub == "info")
        return RunAlbumInfo(std::move(rest));
    if (sub == "gather")
        return RunAlbumGather(std::move(rest));
    if (sub == "import")
        return RunAlbumImport(std::move(rest));
    return Fail(kExitUsage, "sous-commande inconnue : " + sub + " (" + kUsage + ")");
}

}  // namespace lumora::cli
