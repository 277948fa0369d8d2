#include "cli/album_commands.h"

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>

#include "album/album_commands.h"
#include "album/album_document.h"
#include "album/album_hooks.h"
#include "album/album_messages.h"
#include "cli/album_options.h"

namespace lumora::cli {
namespace {

constexpr const char* kUsage =
    "usage : lumora-cli album new|add|add-text|add-tab|delete|delete-tab|tab|text|describe|set|info "
    "FICHIER ... (lumora-cli --help)";

std::optional<int16_t> ParseLayout(const std::string& text)
{
    const auto value = ParseInteger(text);
    if (!value || *value < 0 || *value >= kLayoutCount)
        return std::nullopt;
    return static_cast<int16_t>(*value);
}

bool OpenAlbum(CLumoraDoc& doc, const std::string& path)
{
    return doc.OnOpenDocument(path);  // failures are reported on stderr
}

// Changes the layout; previews are remade when the picture box changes.
void ChangeLayout(CLumoraDoc& doc, int16_t layout)
{
    const PageLayout& before = doc.Layout();
    doc.layoutIndex = layout;
    const PageLayout& after = doc.Layout();
    if (before.boxWidth != after.boxWidth || before.boxHeight != after.boxHeight)
        doc.RemakePreviews();
}

// One KEY=VALUE of `album set` (or an option of `album new`); an error
// text, empty when applied.
std::string ApplySetting(CLumoraDoc& doc, const std::string& key, const std::string& value)
{
    const auto flag = [&](uint32_t& field) -> std::string {
        const auto parsed = ParseFlag(value);
        if (!parsed)
            return key + " attend on/off, 1/0 ou true/false";
        field = *parsed ? 1 : 0;
        return {};
    };
    const auto color = [&](COLORREF& field) -> std::string {
        const auto parsed = ParseColor(value);
        if (!parsed)
            return key + " attend une couleur (décimal ou 0xBBGGRR)";
        field = *parsed;
        return {};
    };
    const auto small = [&](int16_t& field, int limit) -> std::string {
        const auto parsed = ParseInteger(value);
        if (!parsed || *parsed < 0 || *parsed > limit)
            return key + " attend un nombre de 0 à " + std::to_string(limit);
        field = static_cast<int16_t>(*parsed);
        return {};
    };
    if (key == "title")
        return doc.title = value, std::string{};
    if (key == "description")
        return doc.description = value, std::string{};
    if (key == "layout") {
        const auto layout = ParseLayout(value);
        if (!layout)
            return "layout attend un nombre de 0 à 6";
        ChangeLayout(doc, *layout);
        return {};
    }
    if (key == "flyleaf")
        return flag(doc.flyleaf);
    if (key == "pagenumbers")
        return flag(doc.pageNumbers);
    if (key == "headertitle")
        return flag(doc.headerTitle);
    if (key == "usetabs" || key == "tabs")
        return flag(doc.useTabs);
    if (key == "frame")
        return small(doc.frameStyle, 2);
    if (key == "effect")
        return small(doc.titleEffect, 2);
    if (key == "titlecolor")
        return color(doc.titleColor);
    if (key == "desk")
        return color(doc.deskColor);
    if (key == "password")
        return doc.SetPassword(value) ? std::string{} : std::string("mot de passe refusé");
    return "clé inconnue : " + key;
}

bool Save(CLumoraDoc& doc, const std::string& path)
{
    return doc.OnSaveDocument(path);  // failures are reported on stderr
}

int RunNew(Arguments args)
{
    CLumoraDoc doc;
    doc.OnNewDocument();
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
                                "[--layout N] [--tabs on|off] [--flyleaf on|off]");
    for (const auto& [key, value] : settings)
        if (const std::string error = ApplySetting(doc, key, value); !error.empty())
            return Fail(kExitUsage, error);
    doc.Paginate();
    return Save(doc, args.Positionals()[0]) ? kExitOk : kExitFailed;
}

// Opens the album, lets `edit` change it and saves it when it changed.
// The edit's exit code stands unless the save fails.
template <typename Edit>
int EditAlbum(const std::string& path, Edit edit)
{
    CLumoraDoc doc;
    if (!OpenAlbum(doc, path))
        return kExitFailed;
    const int code = edit(doc);
    if (doc.IsModified() && !Save(doc, path))
        return kExitFailed;
    return code;
}

// The load-error dialog of the command line: says which file could not be
// read and gives it up.
class ReportUnreadable final : public PreviewRetryHandler {
public:
    ReportUnreadable() { InstallPreviewRetryHandler(this); }
    ~ReportUnreadable() override { InstallPreviewRetryHandler(nullptr); }
    ReportUnreadable(const ReportUnreadable&) = delete;
    ReportUnreadable& operator=(const ReportUnreadable&) = delete;
    std::optional<std::string> AskRetry(const std::string& failedPath) override
    {
        Fail(kExitFailed, failedPath + " : aucune image n'a pu être lue");
        return std::nullopt;
    }
};

// Albums keep the user's full paths.
std::string AbsolutePath(const std::string& path)
{
    std::error_code error;
    const auto absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

std::string ItemCount(const CLumoraDoc& doc)
{
    return std::to_string(doc.items.size()) + (doc.items.size() > 1 ? " éléments" : " élément");
}

bool IsItem(const CLumoraDoc& doc, int index)
{
    return static_cast<size_t>(index) < doc.items.size();
}

int NoSuchItem(const CLumoraDoc& doc, int index)
{
    return Fail(kExitFailed, "l'élément " + std::to_string(index) + " n'existe pas (l'album a " +
                                 ItemCount(doc) + ")");
}

int NoSuchTab(const CLumoraDoc& doc, int tab)
{
    return Fail(kExitFailed, "l'onglet " + std::to_string(tab) + " n'existe pas (l'album a " +
                                 std::to_string(doc.tabs.size()) + " onglet(s))");
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

int RunAdd(Arguments args)
{
    OptionReader options(std::move(args));
    const auto at = options.Index("--at");
    if (!options.Finish(2, SIZE_MAX, "usage : lumora-cli album add FICHIER IMAGE... [--at INDEX]"))
        return kExitUsage;
    const auto& words = options.Words();
    std::vector<std::string> paths;
    for (size_t i = 1; i < words.size(); ++i)
        paths.push_back(AbsolutePath(words[i]));
    return EditAlbum(words[0], [&](CLumoraDoc& doc) -> int {
        ReportUnreadable unreadable;
        const size_t before = doc.items.size();
        const int selection = at.value_or(static_cast<int>(before));
        InsertImages(doc, paths, selection, false, nullptr);
        return doc.items.size() - before == paths.size() ? kExitOk : kExitFailed;
    });
}

int RunAddText(Arguments args)
{
    OptionReader options(std::move(args));
    const auto at = options.Index("--at");
    if (!options.Finish(2, 2, "usage : lumora-cli album add-text FICHIER TEXTE [--at INDEX]"))
        return kExitUsage;
    const auto& words = options.Words();
    return EditAlbum(words[0], [&](CLumoraDoc& doc) -> int {
        // Without --at the text goes after the last item.
        const size_t index = at ? static_cast<size_t>(*at) : doc.items.size();
        doc.InsertItem(std::make_unique<CMyObject>(words[1], DefaultTextFont(), 0), index);
        return kExitOk;
    });
}

// Gives the photo at INDEX its description (what the properties show and
// printing writes under it).
int RunDescribe(Arguments args)
{
    OptionReader options(std::move(args));
    const char* usage = "usage : lumora-cli album describe FICHIER INDEX TEXTE";
    const auto& words = options.Words();
    const auto index = NumberAfterFile(options, 3, usage);
    if (!index)
        return kExitUsage;
    return EditAlbum(words[0], [&](CLumoraDoc& doc) -> int {
        if (!IsItem(doc, *index) || !doc.items[static_cast<size_t>(*index)]->IsPhoto())
            return Fail(kExitFailed, "l'élément " + words[1] + " n'est pas une photo de l'album");
        SetItemDescription(doc, *index, words[2]);
        return kExitOk;
    });
}

int RunAddTab(Arguments args)
{
    OptionReader options(std::move(args));
    const auto before = options.Index("--before");
    const auto name = options.Text("--name");
    if (!options.Finish(1, 1, "usage : lumora-cli album add-tab FICHIER --before INDEX [--name NOM]"))
        return kExitUsage;
    if (!before)
        return Fail(kExitUsage, "--before INDEX est obligatoire");
    return EditAlbum(options.Words()[0], [&](CLumoraDoc& doc) -> int {
        std::random_device random;
        auto tab = std::make_unique<COnglet>(name.value_or(album_text::UnnamedTab()),
                                             static_cast<int>(random() % 6));
        switch (doc.AddTabBefore(static_cast<size_t>(*before), std::move(tab))) {
        case CLumoraDoc::TabEdit::Done:
            return kExitOk;
        case CLumoraDoc::TabEdit::Refused:
            return kExitFailed;  // the message is already out
        case CLumoraDoc::TabEdit::NothingToDo:
            break;
        }
        return Fail(kExitFailed, "aucun onglet inséré : il faut un élément d'indice 1 à " +
                                     std::to_string(doc.items.empty() ? 0 : doc.items.size() - 1));
    });
}

// Deletes the item at INDEX as the album window does once the user said
// yes: an item alone in its section (with tabs on) takes its tab along.
int RunDelete(Arguments args)
{
    OptionReader options(std::move(args));
    const char* usage = "usage : lumora-cli album delete FICHIER INDEX";
    const auto& words = options.Words();
    const auto index = NumberAfterFile(options, 2, usage);
    if (!index)
        return kExitUsage;
    return EditAlbum(words[0], [&](CLumoraDoc& doc) -> int {
        if (!IsItem(doc, *index))
            return NoSuchItem(doc, *index);
        const std::string tabName = doc.tabs.empty() ? "" : doc.tabs[static_cast<size_t>(SelectedTab(doc, *index))]->name;
        if (DeleteAlbumItem(doc, *index).tabRemoved)
            std::cout << "onglet « " << tabName << " » supprimé avec son dernier élément\n";
        return kExitOk;
    });
}

int RunDeleteTab(Arguments args)
{
    OptionReader options(std::move(args));
    const char* usage = "usage : lumora-cli album delete-tab FICHIER ONGLET";
    const auto& words = options.Words();
    const auto tab = NumberAfterFile(options, 2, usage);
    if (!tab)
        return kExitUsage;
    return EditAlbum(words[0], [&](CLumoraDoc& doc) -> int {
        if (static_cast<size_t>(*tab) >= doc.tabs.size())
            return NoSuchTab(doc, *tab);
        // The first tab stays (the refusal is told on stderr).
        return doc.RemoveTab(static_cast<size_t>(*tab)) == CLumoraDoc::TabEdit::Done ? kExitOk
                                                                                      : kExitFailed;
    });
}

int RunTab(Arguments args)
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
    return EditAlbum(words[0], [&](CLumoraDoc& doc) -> int {
        if (static_cast<size_t>(*tab) >= doc.tabs.size())
            return NoSuchTab(doc, *tab);
        const COnglet& current = *doc.tabs[static_cast<size_t>(*tab)];
        SetTabProperties(doc, *tab, name.value_or(current.name), color.value_or(current.tabColor),
                         nameColor.value_or(current.nameColor));
        return kExitOk;
    });
}

// A text item's text, colour and font.
int RunText(Arguments args)
{
    OptionReader options(std::move(args));
    const auto text = options.Text("--text");
    const auto color = options.Color("--color");
    const auto fontSpec = options.Text("--font");
    const char* usage = "usage : lumora-cli album text FICHIER INDEX [--text T] [--color C] "
                        "[--font POLICE:HAUTEUR[:bold][:italic]]";
    const auto& words = options.Words();
    const auto index = NumberAfterFile(options, 2, usage);
    if (!index)
        return kExitUsage;
    if (!text && !color && !fontSpec)
        return Fail(kExitUsage, "rien à changer : --text, --color ou --font");
    if (fontSpec && !ParseFont(*fontSpec, {}))
        return Fail(kExitUsage, "--font attend POLICE:HAUTEUR[:bold][:italic] (hauteur non nulle, "
                                "1000 pixels au plus) : " + *fontSpec);
    return EditAlbum(words[0], [&](CLumoraDoc& doc) -> int {
        if (!IsItem(doc, *index) || doc.items[static_cast<size_t>(*index)]->IsPhoto())
            return Fail(kExitFailed, "l'élément " + words[1] + " n'est pas un texte de l'album");
        const CMyObject& item = *doc.items[static_cast<size_t>(*index)];
        const LogFont font = item.font.value_or(DefaultTextFont());
        SetTextItem(doc, *index, text.value_or(item.text),
                    fontSpec ? *ParseFont(*fontSpec, font) : font, color.value_or(item.textColor));
        return kExitOk;
    });
}

int RunSet(Arguments args)
{
    if (const auto unknown = args.FirstUnknownOption())
        return Fail(kExitUsage, "option inconnue : " + *unknown);
    const auto& words = args.Positionals();
    if (words.size() < 2)
        return Fail(kExitUsage, "usage : lumora-cli album set FICHIER CLE=VALEUR...");
    CLumoraDoc doc;
    if (!OpenAlbum(doc, words[0]))
        return kExitFailed;
    for (size_t i = 1; i < words.size(); ++i) {
        const auto equals = words[i].find('=');
        if (equals == std::string::npos)
            return Fail(kExitUsage, "CLE=VALEUR attendu : " + words[i]);
        const std::string error =
            ApplySetting(doc, words[i].substr(0, equals), words[i].substr(equals + 1));
        if (error == "mot de passe refusé")
            return kExitFailed;  // the document told why
        if (!error.empty())
            return Fail(kExitUsage, error);
    }
    doc.UpdateAfterChange();
    return Save(doc, words[0]) ? kExitOk : kExitFailed;
}

// ---- info ------------------------------------------------------------------

const char* const kFontNames[kAlbumFontCount] = {"title", "description", "pagetitle",
                                                 "pagenumber", "photos"};

std::string Bool(uint32_t flag) { return flag ? "true" : "false"; }

std::string FontJson(const LogFont& f)
{
    std::ostringstream out;
    out << "{\"height\": " << f.height << ", \"width\": " << f.width << ", \"weight\": " << f.weight
        << ", \"italic\": " << Bool(f.italic) << ", \"underline\": " << Bool(f.underline)
        << ", \"strikeout\": " << Bool(f.strikeOut) << ", \"charset\": " << int(f.charSet)
        << ", \"face\": " << JsonString(f.faceName) << "}";
    return out.str();
}

std::string ItemJson(const CMyObject& item)
{
    std::ostringstream out;
    const ItemRect& r = item.displayRect;
    out << "{\"kind\": " << JsonString(item.IsPhoto() ? "photo" : "text")
        << ", \"image\": " << JsonString(item.imagePath)
        << ", \"description\": " << JsonString(item.description)
        << ", \"sound\": " << JsonString(item.soundPath) << ", \"text\": " << JsonString(item.text)
        << ", \"textcolor\": " << item.textColor << ", \"tab\": " << item.tabIndex
        << ", \"page\": " << item.pageIndex << ", \"rect\": [" << r.left << ", " << r.top << ", "
        << r.right << ", " << r.bottom << "], \"preview\": ";
    if (item.preview.IsEmpty())
        out << "null";
    else
        out << "[" << item.preview.Width() << ", " << item.preview.Height() << "]";
    out << ", \"width\": " << item.imageWidth << ", \"height\": " << item.imageHeight
        << ", \"bpp\": " << item.bitsPerPixel << ", \"filesize\": " << item.imageFileSize;
    if (item.font)
        out << ", \"font\": " << FontJson(*item.font);
    out << "}";
    return out.str();
}

void PrintJson(const CLumoraDoc& doc)
{
    std::ostream& out = std::cout;
    out << "{\"title\": " << JsonString(doc.title)
        << ", \"description\": " << JsonString(doc.description)
        << ", \"layout\": " << doc.layoutIndex << ", \"frame\": " << doc.frameStyle
        << ", \"effect\": " << doc.titleEffect << ", \"flyleaf\": " << Bool(doc.flyleaf)
        << ", \"pagenumbers\": " << Bool(doc.pageNumbers)
        << ", \"headertitle\": " << Bool(doc.headerTitle) << ", \"usetabs\": " << Bool(doc.useTabs)
        << ", \"desk\": " << doc.deskColor << ", \"titlecolor\": " << doc.titleColor
        << ", \"password\": " << JsonString(doc.password) << ", \"pagecount\": " << doc.pageCount
        << ", \"fonts\": {";
    for (int i = 0; i < kAlbumFontCount; ++i)
        out << (i ? ", " : "") << JsonString(kFontNames[i]) << ": " << FontJson(doc.fonts[i]);
    out << "}, \"tabs\": [";
    for (size_t i = 0; i < doc.tabs.size(); ++i) {
        const COnglet& tab = *doc.tabs[i];
        out << (i ? ", " : "") << "{\"name\": " << JsonString(tab.name)
            << ", \"color\": " << tab.tabColor << ", \"namecolor\": " << tab.nameColor
            << ", \"firstpage\": " << tab.firstPage << "}";
    }
    out << "], \"items\": [";
    for (size_t i = 0; i < doc.items.size(); ++i)
        out << (i ? ", " : "") << ItemJson(*doc.items[i]);
    out << "]}\n";
}

std::string Hex(uint32_t color)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", color);
    return text;
}

void PrintText(const CLumoraDoc& doc)
{
    std::ostream& out = std::cout;
    out << "titre : " << doc.title << "\n"
        << "description : " << doc.description << "\n"
        << "disposition : " << doc.layoutIndex << "\n"
        << "cadre : " << doc.frameStyle << "\n"
        << "effet du titre : " << doc.titleEffect << "\n"
        << "couleur du titre : " << Hex(doc.titleColor) << "\n"
        << "bureau : " << Hex(doc.deskColor) << "\n"
        << "page de garde : " << (doc.flyleaf ? "oui" : "non") << "\n"
        << "numéros de pages : " << (doc.pageNumbers ? "oui" : "non") << "\n"
        << "titre de haut de page : " << (doc.headerTitle ? "oui" : "non") << "\n"
        << "onglets : " << (doc.useTabs ? "oui" : "non") << "\n"
        << "mot de passe : " << doc.password << "\n"
        << "pages : " << doc.pageCount << "\n";
    for (int i = 0; i < kAlbumFontCount; ++i) {
        const LogFont& f = doc.fonts[i];
        out << "police " << kFontNames[i] << " : " << f.faceName << ", hauteur " << f.height
            << ", graisse " << f.weight << (f.italic ? ", italique" : "") << "\n";
    }
    for (size_t i = 0; i < doc.tabs.size(); ++i)
        out << "onglet " << i << " : " << doc.tabs[i]->name << ", couleur "
            << Hex(doc.tabs[i]->tabColor) << ", texte " << Hex(doc.tabs[i]->nameColor)
            << ", première page " << doc.tabs[i]->firstPage << "\n";
    for (size_t i = 0; i < doc.items.size(); ++i) {
        const CMyObject& item = *doc.items[i];
        const ItemRect& r = item.displayRect;
        out << "élément " << i << " : ";
        if (item.IsPhoto())
            out << "photo " << item.imagePath << ", " << item.imageWidth << "x" << item.imageHeight
                << ", " << item.bitsPerPixel << " bits, " << item.imageFileSize << " octets";
        else
            out << "texte \"" << item.text << "\"";
        out << ", onglet " << item.tabIndex << ", page " << item.pageIndex << ", rectangle ("
            << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
        if (!item.preview.IsEmpty())
            out << ", aperçu " << item.preview.Width() << "x" << item.preview.Height();
        if (!item.description.empty())
            out << ", description \"" << item.description << "\"";
        if (!item.soundPath.empty())
            out << ", son " << item.soundPath;
        out << "\n";
    }
}

int RunAlbumInfo(Arguments args)
{
    const bool json = args.TakeFlag("--json");
    if (const auto unknown = args.FirstUnknownOption())
        return Fail(kExitUsage, "option inconnue : " + *unknown);
    if (args.Positionals().size() != 1)
        return Fail(kExitUsage, "usage : lumora-cli album info FICHIER [--json]");
    CLumoraDoc doc;
    if (!OpenAlbum(doc, args.Positionals()[0]))
        return kExitFailed;
    doc.Paginate();
    if (json)
        PrintJson(doc);
    else
        PrintText(doc);
    return kExitOk;
}

}  // namespace

int RunAlbum(Arguments args)
{
    const auto& words = args.Positionals();
    if (words.empty())
        return Fail(kExitUsage, kUsage);
    const std::string sub = words[0];
    Arguments rest(std::vector<std::string>(words.begin() + 1, words.end()));
    if (sub == "new")
        return RunNew(std::move(rest));
    if (sub == "add")
        return RunAdd(std::move(rest));
    if (sub == "add-text")
        return RunAddText(std::move(rest));
    if (sub == "add-tab")
        return RunAddTab(std::move(rest));
    if (sub == "describe")
        return RunDescribe(std::move(rest));
    if (sub == "delete")
        return RunDelete(std::move(rest));
    if (sub == "delete-tab")
        return RunDeleteTab(std::move(rest));
    if (sub == "tab")
        return RunTab(std::move(rest));
    if (sub == "text")
        return RunText(std::move(rest));
    if (sub == "set")
        return RunSet(std::move(rest));
    if (sub == "info")
        return RunAlbumInfo(std::move(rest));
    return Fail(kExitUsage, "sous-commande inconnue : " + sub + " (" + kUsage + ")");
}

}  // namespace lumora::cli
