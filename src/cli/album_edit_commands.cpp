#include "cli/album_edit_commands.h"

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <sys/stat.h>

#include "cli/album_file.h"
#include "cli/album_options.h"
#include "cli/album_settings_options.h"
#include "cli/unread_pictures.h"
#include "core/album/album_commands.h"
#include "core/album/album_document.h"
#include "core/album/album_messages.h"
#include "core/platform/atomic_file.h"
#include "core/platform/services.h"

namespace lumora::cli {
namespace {

// Opens the album under its lock, lets `edit` change it and saves it when
// the edit succeeded and changed something: a command is all or nothing.
// The lock is held from the read to the save, so that a second writer waits
// or gives up instead of losing one of the two edits.
template <typename Edit>
int EditAlbum(const std::string& path, Edit edit)
{
    AlbumLock lock;
    if (!lock.Acquire(path))
        return Fail(kExitFailed, lock.Message());
    AlbumDocument doc;
    if (!OpenAlbumFile(doc, path))
        return kExitFailed;
    const int code = edit(doc);
    if (code == kExitOk && doc.IsModified() && !SaveAlbumFile(doc, path))
        return kExitFailed;
    return code;
}

// Albums keep the user's full paths.
std::string AbsolutePath(const std::string& path)
{
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

std::string ItemCount(const AlbumDocument& doc)
{
    return std::to_string(doc.ItemCount()) + (doc.ItemCount() > 1 ? " éléments" : " élément");
}

bool IsItem(const AlbumDocument& doc, int index)
{
    return static_cast<size_t>(index) < doc.ItemCount();
}

int NoSuchItem(const AlbumDocument& doc, int index)
{
    return Fail(kExitFailed, "l'élément " + std::to_string(index) + " n'existe pas (l'album a " +
                                 ItemCount(doc) + ")");
}

int NoSuchTab(const AlbumDocument& doc, int tab)
{
    return Fail(kExitFailed, "l'onglet " + std::to_string(tab) + " n'existe pas (l'album a " +
                                 std::to_string(doc.TabCount()) + " onglet(s))");
}

// Commands of the form FILE NUMBER [...], `words` words in all: the item
// or tab number that follows FILE, or nothing after a usage error.
std::optional<int> NumberAfterFile(OptionReader& options, size_t words, const std::string& usage)
{
    if (!options.Finish(words, words, usage))
        return std::nullopt;
    const auto number = ParseIndex(options.Words()[1]);
    if (!number)
        Fail(kExitUsage, usage);
    return number;
}

}  // namespace

int RunAlbumNew(Arguments args)
{
    const bool force = args.TakeFlag("--force");
    AlbumDocument doc;
    doc.Clear();
    const std::pair<const char*, const char*> options[] = {
        {"--title", "title"}, {"--description", "description"}, {"--layout", "layout"},
        {"--tabs", "usetabs"}, {"--flyleaf", "flyleaf"}};
    std::vector<std::pair<std::string, std::string>> settings;
    for (const auto& [option, key] : options) {
        bool missing = false;
        if (const auto value = args.TakeOption(option, missing))
            settings.emplace_back(key, *value);
        if (missing)
            return Fail(kExitUsage, std::string(option) + " attend une valeur");
    }
    if (const auto unknown = args.FirstUnknownOption())
        return Fail(kExitUsage, "option inconnue : " + *unknown);
    if (args.Positionals().size() != 1)
        return Fail(kExitUsage, "usage : lumora-cli album new FICHIER [--title T] [--description D] "
                                "[--layout N] [--tabs on|off] [--flyleaf on|off] [--force]");
    AlbumSettings chosen = SettingsOf(doc);
    for (const auto& [key, value] : settings)
        if (const std::string error = ApplyAlbumSetting(chosen, key, value); !error.empty())
            return Fail(kExitUsage, error);
    ChangeAlbumSettings(doc, chosen, SettingsKind::Properties);
    const std::string& path = args.Positionals()[0];
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && !force)
        return Fail(kExitFailed, path + " existe déjà : rien n'a été écrit (--force pour le "
                                        "remplacer par un album vide)");
    AlbumLock lock;
    if (!lock.Acquire(path))
        return Fail(kExitFailed, lock.Message());
    return SaveAlbumFile(doc, path) ? kExitOk : kExitFailed;
}

// "n/total" after each photo on a terminal's stderr.
class StderrInsertProgress final : public InsertProgress {
public:
    void Step(int done, int total) override { ShowCountOnTerminal(done, total); }
};

int RunAlbumAdd(Arguments args)
{
    const bool skipUnreadable = args.TakeFlag("--skip-unreadable");
    OptionReader options(std::move(args));
    const auto at = options.Index("--at");
    const auto previews256 = options.Flag("--previews256");
    if (!options.Finish(2, SIZE_MAX,
                        "usage : lumora-cli album add FICHIER IMAGE... [--at INDEX] [--skip-unreadable] "
                        "[--previews256 on|off]"))
        return kExitUsage;
    // "Aperçus en 256 couleurs": the classic halftoned previews, for
    // smaller album files.
    Preferences preferences = CurrentPreferences();
    preferences.previews256 = previews256.value_or(false);
    const ScopedServices withPreferences{[&](Services& services) { services.preferences = &preferences; }};
    const auto& words = options.Words();
    std::vector<std::string> paths;
    for (size_t i = 1; i < words.size(); ++i)
        paths.push_back(AbsolutePath(words[i]));
    return EditAlbum(words[0], [&](AlbumDocument& doc) -> int {
        NoteUnreadPictures unreadable;
        const size_t before = doc.ItemCount();
        const int selection = at.value_or(static_cast<int>(before));
        StderrInsertProgress progress;
        InsertImages(doc, paths, selection, false, &progress);
        const size_t added = doc.ItemCount() - before;
        if (added == paths.size())
            return kExitOk;
        for (const UnreadPicture& picture : unreadable.Failed())
            Fail(kExitFailed, UnreadPictureLine(picture, skipUnreadable));
        const size_t missing = paths.size() - added;
        if (unreadable.Failed().size() != missing)
            Fail(kExitFailed, std::to_string(missing) + " image(s) n'ont pas pu être ajoutées");
        if (skipUnreadable)
            return kExitOk;
        return Fail(kExitFailed, words[0] + " inchangé : " + std::to_string(missing) +
                                     " image(s) illisible(s) (--skip-unreadable ajoute les autres)");
    });
}

int RunAlbumAddText(Arguments args)
{
    OptionReader options(std::move(args));
    const auto at = options.Index("--at");
    if (!options.Finish(2, 2, "usage : lumora-cli album add-text FICHIER TEXTE [--at INDEX]"))
        return kExitUsage;
    const auto& words = options.Words();
    return EditAlbum(words[0], [&](AlbumDocument& doc) -> int {
        // Without --at the text goes after the last item.
        const size_t index = at ? static_cast<size_t>(*at) : doc.ItemCount();
        doc.InsertItem(std::make_unique<AlbumItem>(words[1], DefaultTextFont(), 0), index);
        return kExitOk;
    });
}

// Gives the photo at INDEX its description (what the properties show and
// printing writes under it).
int RunAlbumDescribe(Arguments args)
{
    OptionReader options(std::move(args));
    const char* usage = "usage : lumora-cli album describe FICHIER INDEX TEXTE";
    const auto& words = options.Words();
    const auto index = NumberAfterFile(options, 3, usage);
    if (!index)
        return kExitUsage;
    return EditAlbum(words[0], [&](AlbumDocument& doc) -> int {
        if (!IsItem(doc, *index) || !doc.Items()[static_cast<size_t>(*index)]->IsPhoto())
            return Fail(kExitFailed, "l'élément " + words[1] + " n'est pas une photo de l'album");
        SetItemDescription(doc, *index, words[2]);
        return kExitOk;
    });
}

int RunAlbumAddTab(Arguments args)
{
    OptionReader options(std::move(args));
    const auto before = options.Index("--before");
    const auto name = options.Text("--name");
    if (!options.Finish(1, 1, "usage : lumora-cli album add-tab FICHIER --before INDEX [--name NOM]"))
        return kExitUsage;
    if (!before)
        return Fail(kExitUsage, "--before INDEX est obligatoire");
    return EditAlbum(options.Words()[0], [&](AlbumDocument& doc) -> int {
        auto tab = std::make_unique<SectionTab>(name.value_or(album_text::UnnamedTab()), RandomTabNumber());
        switch (doc.AddTabBefore(static_cast<size_t>(*before), std::move(tab))) {
        case AlbumDocument::TabEdit::Done:
            return kExitOk;
        case AlbumDocument::TabEdit::Refused:
            return Fail(kExitFailed, album_text::TabAlreadyThere());
        case AlbumDocument::TabEdit::NothingToDo:
            break;
        }
        return Fail(kExitFailed, "aucun onglet inséré : il faut un élément d'indice 1 à " +
                                     std::to_string(doc.Items().empty() ? 0 : doc.ItemCount() - 1));
    });
}

// Deletes the item at INDEX as the album window does once the user said
// yes: an item alone in its section (with tabs on) takes its tab along.
int RunAlbumDelete(Arguments args)
{
    OptionReader options(std::move(args));
    const char* usage = "usage : lumora-cli album delete FICHIER INDEX";
    const auto& words = options.Words();
    const auto index = NumberAfterFile(options, 2, usage);
    if (!index)
        return kExitUsage;
    return EditAlbum(words[0], [&](AlbumDocument& doc) -> int {
        if (!IsItem(doc, *index))
            return NoSuchItem(doc, *index);
        const std::string tabName = doc.Tabs().empty() ? "" : doc.Tabs()[static_cast<size_t>(SelectedTab(doc, *index))]->name;
        if (DeleteAlbumItem(doc, *index).tabRemoved)
            std::cout << "onglet « " << tabName << " » supprimé avec son dernier élément\n";
        return kExitOk;
    });
}

// Moves the item at FROM so that it stands at TO, as dragging it in the
// window does.
int RunAlbumMove(Arguments args)
{
    OptionReader options(std::move(args));
    const char* usage = "usage : lumora-cli album move FICHIER DE VERS";
    const auto& words = options.Words();
    const auto from = NumberAfterFile(options, 3, usage);
    if (!from)
        return kExitUsage;
    const auto to = ParseIndex(words[2]);
    if (!to)
        return Fail(kExitUsage, usage);
    return EditAlbum(words[0], [&](AlbumDocument& doc) -> int {
        if (!IsItem(doc, *from))
            return NoSuchItem(doc, *from);
        if (!IsItem(doc, *to))
            return NoSuchItem(doc, *to);
        MoveAlbumItem(doc, *from, *to);  // the same place: nothing to save
        return kExitOk;
    });
}

int RunAlbumDeleteTab(Arguments args)
{
    OptionReader options(std::move(args));
    const char* usage = "usage : lumora-cli album delete-tab FICHIER ONGLET";
    const auto& words = options.Words();
    const auto tab = NumberAfterFile(options, 2, usage);
    if (!tab)
        return kExitUsage;
    return EditAlbum(words[0], [&](AlbumDocument& doc) -> int {
        if (static_cast<size_t>(*tab) >= doc.TabCount())
            return NoSuchTab(doc, *tab);
        switch (doc.RemoveTab(static_cast<size_t>(*tab))) {
        case AlbumDocument::TabEdit::Done:
            return kExitOk;
        case AlbumDocument::TabEdit::Refused:
            return Fail(kExitFailed, album_text::FirstTabStays());
        case AlbumDocument::TabEdit::NothingToDo:
            break;
        }
        return NoSuchTab(doc, *tab);
    });
}

int RunAlbumTab(Arguments args)
{
    OptionReader options(std::move(args));
    const auto name = options.Text("--name");
    const auto color = options.Color("--color");
    const auto nameColor = options.Color("--namecolor");
    const char* usage =
        "usage : lumora-cli album tab FICHIER ONGLET [--name NOM] [--color C] [--namecolor C]";
    const auto& words = options.Words();
    const auto tab = NumberAfterFile(options, 2, usage);
    if (!tab)
        return kExitUsage;
    if (!name && !color && !nameColor)
        return Fail(kExitUsage, "rien à changer : --name, --color ou --namecolor");
    return EditAlbum(words[0], [&](AlbumDocument& doc) -> int {
        if (static_cast<size_t>(*tab) >= doc.TabCount())
            return NoSuchTab(doc, *tab);
        const SectionTab& current = *doc.Tabs()[static_cast<size_t>(*tab)];
        SetTabProperties(doc, *tab, name.value_or(current.name), color.value_or(current.tabColor),
                         nameColor.value_or(current.nameColor));
        return kExitOk;
    });
}

// A text item's text, colour and font.
int RunAlbumText(Arguments args)
{
    OptionReader options(std::move(args));
    const auto text = options.Text("--text");
    const auto color = options.Color("--color");
    const auto fontText = options.Text("--font");
    const char* usage = "usage : lumora-cli album text FICHIER INDEX [--text T] [--color C] "
                        "[--font POLICE:HAUTEUR[:bold][:italic]]";
    const auto& words = options.Words();
    const auto index = NumberAfterFile(options, 2, usage);
    if (!index)
        return kExitUsage;
    if (!text && !color && !fontText)
        return Fail(kExitUsage, "rien à changer : --text, --color ou --font");
    if (fontText && !ParseFont(*fontText, {}))
        return Fail(kExitUsage, "--font attend POLICE:HAUTEUR[:bold][:italic] (hauteur non nulle, "
                                "1000 pixels au plus) : " + *fontText);
    return EditAlbum(words[0], [&](AlbumDocument& doc) -> int {
        if (!IsItem(doc, *index) || doc.Items()[static_cast<size_t>(*index)]->IsPhoto())
            return Fail(kExitFailed, "l'élément " + words[1] + " n'est pas un texte de l'album");
        const AlbumItem& item = *doc.Items()[static_cast<size_t>(*index)];
        const TextFont font = item.font.value_or(DefaultTextFont());
        SetTextItem(doc, *index, text.value_or(item.text),
                    fontText ? *ParseFont(*fontText, font) : font, color.value_or(item.textColor));
        return kExitOk;
    });
}

int RunAlbumSet(Arguments args)
{
    if (const auto unknown = args.FirstUnknownOption())
        return Fail(kExitUsage, "option inconnue : " + *unknown);
    const auto& words = args.Positionals();
    if (words.size() < 2)
        return Fail(kExitUsage, "usage : lumora-cli album set FICHIER CLE=VALEUR...");
    AlbumLock lock;
    if (!lock.Acquire(words[0]))
        return Fail(kExitFailed, lock.Message());
    AlbumDocument doc;
    if (!OpenAlbumFile(doc, words[0]))
        return kExitFailed;
    AlbumSettings settings = SettingsOf(doc);
    for (size_t i = 1; i < words.size(); ++i) {
        const auto equals = words[i].find('=');
        if (equals == std::string::npos)
            return Fail(kExitUsage, "CLE=VALEUR attendu : " + words[i]);
        const std::string error =
            ApplyAlbumSetting(settings, words[i].substr(0, equals), words[i].substr(equals + 1));
        if (error == kPasswordRefused)
            return kExitFailed;  // the document told why
        if (!error.empty())
            return Fail(kExitUsage, error);
    }
    ChangeAlbumSettings(doc, settings, SettingsKind::Properties);
    return SaveAlbumFile(doc, words[0]) ? kExitOk : kExitFailed;
}

}  // namespace lumora::cli
