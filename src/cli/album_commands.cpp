#include "cli/album_commands.h"

#include <charconv>
#include <filesystem>
#include <iostream>
#include <random>
#include <sstream>

#include "album/album_document.h"
#include "album/album_messages.h"

namespace lumora::cli {
namespace {

constexpr const char* kUsage =
    "usage : lumora-cli album new|add|add-text|add-tab|describe|set|info FICHIER ... (lumora-cli --help)";

std::optional<long long> ParseInteger(const std::string& text)
{
    long long value = 0;
    int base = 10;
    const char* begin = text.data();
    const char* end = begin + text.size();
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        begin += 2, base = 16;
    const auto result = std::from_chars(begin, end, value, base);
    if (result.ec != std::errc{} || result.ptr != end || begin == end)
        return std::nullopt;
    return value;
}

std::optional<bool> ParseFlag(const std::string& text)
{
    if (text == "on" || text == "1" || text == "true")
        return true;
    if (text == "off" || text == "0" || text == "false")
        return false;
    return std::nullopt;
}

std::optional<uint32_t> ParseColor(const std::string& text)
{
    const auto value = ParseInteger(text);
    if (!value || *value < 0 || *value > 0xFFFFFF)
        return std::nullopt;
    return static_cast<uint32_t>(*value);
}

std::optional<int16_t> ParseLayout(const std::string& text)
{
    const auto value = ParseInteger(text);
    if (!value || *value < 0 || *value >= kLayoutCount)
        return std::nullopt;
    return static_cast<int16_t>(*value);
}

// --at INDEX: an item position (appending when absent). False on a bad value.
bool TakeIndex(Arguments& args, const std::string& option, size_t& index, bool& given)
{
    bool missing = false;
    const auto text = args.TakeOption(option, missing);
    given = text.has_value();
    if (missing)
        return false;
    if (!text)
        return true;
    const auto value = ParseInteger(*text);
    if (!value || *value < 0)
        return false;
    index = static_cast<size_t>(*value);
    return true;
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

int RunAdd(Arguments args)
{
    size_t at = 0;
    bool atGiven = false;
    if (!TakeIndex(args, "--at", at, atGiven))
        return Fail(kExitUsage, "--at attend un numéro d'élément");
    if (const auto unknown = args.FirstUnknownOption())
        return Fail(kExitUsage, "option inconnue : " + *unknown);
    const auto& words = args.Positionals();
    if (words.size() < 2)
        return Fail(kExitUsage, "usage : lumora-cli album add FICHIER IMAGE... [--at INDEX]");
    CLumoraDoc doc;
    if (!OpenAlbum(doc, words[0]))
        return kExitFailed;
    if (!atGiven)
        at = doc.items.size();
    bool anyFailed = false;
    for (size_t i = 1; i < words.size(); ++i) {
        // Albums keep the user's full paths.
        std::error_code error;
        const auto absolute = std::filesystem::absolute(words[i], error);
        const std::string path = error ? words[i] : absolute.string();
        if (doc.InsertImage(path, at)) {
            at = std::min(at, doc.items.size() - 1) + 1;
        } else {
            anyFailed = true;
            std::cerr << "lumora-cli: " << words[i] << " : aucune image n'a pu être lue\n";
        }
    }
    if (!Save(doc, words[0]))
        return kExitFailed;
    return anyFailed ? kExitFailed : kExitOk;
}

int RunAddText(Arguments args)
{
    size_t at = 0;
    bool atGiven = false;
    if (!TakeIndex(args, "--at", at, atGiven))
        return Fail(kExitUsage, "--at attend un numéro d'élément");
    if (const auto unknown = args.FirstUnknownOption())
        return Fail(kExitUsage, "option inconnue : " + *unknown);
    const auto& words = args.Positionals();
    if (words.size() != 2)
        return Fail(kExitUsage, "usage : lumora-cli album add-text FICHIER TEXTE [--at INDEX]");
    CLumoraDoc doc;
    if (!OpenAlbum(doc, words[0]))
        return kExitFailed;
    // The font and colour a new text starts with.
    LogFont font;
    font.height = -16;
    font.weight = 400;
    font.faceName = "Times New Roman";
    doc.InsertItem(std::make_unique<CMyObject>(words[1], font, 0), atGiven ? at : doc.items.size());
    return Save(doc, words[0]) ? kExitOk : kExitFailed;
}

// Gives the photo at INDEX its description (what the properties show and
// printing writes under it).
int RunDescribe(Arguments args)
{
    if (const auto unknown = args.FirstUnknownOption())
        return Fail(kExitUsage, "option inconnue : " + *unknown);
    const auto& words = args.Positionals();
    const auto index = words.size() == 3 ? ParseInteger(words[1]) : std::nullopt;
    if (!index)
        return Fail(kExitUsage, "usage : lumora-cli album describe FICHIER INDEX TEXTE");
    CLumoraDoc doc;
    if (!OpenAlbum(doc, words[0]))
        return kExitFailed;
    if (*index < 0 || static_cast<size_t>(*index) >= doc.items.size() || !doc.items[*index]->IsPhoto())
        return Fail(kExitFailed, "l'élément " + words[1] + " n'est pas une photo de l'album");
    doc.items[static_cast<size_t>(*index)]->description = words[2];
    doc.UpdateAfterChange();
    return Save(doc, words[0]) ? kExitOk : kExitFailed;
}

int RunAddTab(Arguments args)
{
    size_t before = 0;
    bool beforeGiven = false;
    if (!TakeIndex(args, "--before", before, beforeGiven) || !beforeGiven)
        return Fail(kExitUsage, "--before INDEX est obligatoire");
    bool missing = false;
    const auto name = args.TakeOption("--name", missing);
    if (missing)
        return Fail(kExitUsage, "--name attend un nom");
    if (const auto unknown = args.FirstUnknownOption())
        return Fail(kExitUsage, "option inconnue : " + *unknown);
    const auto& words = args.Positionals();
    if (words.size() != 1)
        return Fail(kExitUsage, "usage : lumora-cli album add-tab FICHIER --before INDEX [--name NOM]");
    CLumoraDoc doc;
    if (!OpenAlbum(doc, words[0]))
        return kExitFailed;
    std::random_device random;
    auto tab = std::make_unique<COnglet>(name.value_or(album_text::UnnamedTab()),
                                         static_cast<int>(random() % 6));
    switch (doc.AddTabBefore(before, std::move(tab))) {
    case CLumoraDoc::TabEdit::Done:
        return Save(doc, words[0]) ? kExitOk : kExitFailed;
    case CLumoraDoc::TabEdit::Refused:
        return kExitFailed;  // the message is already out
    case CLumoraDoc::TabEdit::NothingToDo:
        break;
    }
    return Fail(kExitFailed, "aucun onglet inséré : il faut un élément d'indice 1 à " +
                                 std::to_string(doc.items.empty() ? 0 : doc.items.size() - 1));
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
    if (sub == "set")
        return RunSet(std::move(rest));
    if (sub == "info")
        return RunAlbumInfo(std::move(rest));
    return Fail(kExitUsage, "sous-commande inconnue : " + sub + " (" + kUsage + ")");
}

}  // namespace lumora::cli
