#include "cli/album_info.h"
#include "cli/album_file.h"

#include <cstdint>
#include <cstdio>
#include <iostream>
#include <sstream>

#include "core/album/album_document.h"

namespace lumora::cli {
namespace {

const char* const kFontNames[kAlbumFontCount] = {"title", "description", "pagetitle",
                                                 "pagenumber", "photos"};

std::string Bool(uint32_t flag) { return flag ? "true" : "false"; }

std::string FontJson(const TextFont& f)
{
    const LogFont record = RecordOf(f);  // as the file holds it
    std::ostringstream out;
    out << "{\"height\": " << f.height << ", \"width\": " << record.width << ", \"weight\": " << f.weight
        << ", \"italic\": " << Bool(f.italic) << ", \"underline\": " << Bool(f.underline)
        << ", \"strikeout\": " << Bool(f.strikeOut) << ", \"charset\": " << int(record.charSet)
        << ", \"face\": " << JsonString(f.faceName) << "}";
    return out.str();
}

std::string ItemJson(const AlbumItem& item)
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

void PrintJson(const AlbumDocument& doc)
{
    std::ostream& out = std::cout;
    out << "{\"title\": " << JsonString(doc.Settings().title)
        << ", \"description\": " << JsonString(doc.Settings().description)
        << ", \"layout\": " << LayoutNumber(doc.Settings().layout) << ", \"frame\": " << static_cast<int>(doc.Settings().frameStyle)
        << ", \"effect\": " << static_cast<int>(doc.Settings().titleEffect) << ", \"flyleaf\": " << Bool(doc.Settings().flyleaf)
        << ", \"pagenumbers\": " << Bool(doc.Settings().pageNumbers)
        << ", \"headertitle\": " << Bool(doc.Settings().headerTitle) << ", \"usetabs\": " << Bool(doc.Settings().useTabs)
        << ", \"desk\": " << doc.Settings().deskColor << ", \"titlecolor\": " << doc.Settings().titleColor
        // Whether the album asks a password, never the password itself.
        << ", \"protected\": " << Bool(!doc.Settings().password.empty()) << ", \"pagecount\": " << doc.PageCount()
        << ", \"fonts\": {";
    for (int i = 0; i < kAlbumFontCount; ++i)
        out << (i ? ", " : "") << JsonString(kFontNames[i]) << ": " << FontJson(doc.Settings().fonts[i]);
    out << "}, \"tabs\": [";
    for (size_t i = 0; i < doc.TabCount(); ++i) {
        const SectionTab& tab = *doc.Tabs()[i];
        out << (i ? ", " : "") << "{\"name\": " << JsonString(tab.name)
            << ", \"color\": " << tab.tabColor << ", \"namecolor\": " << tab.nameColor
            << ", \"firstpage\": " << tab.firstPage << "}";
    }
    out << "], \"items\": [";
    for (size_t i = 0; i < doc.ItemCount(); ++i)
        out << (i ? ", " : "") << ItemJson(*doc.Items()[i]);
    out << "]}\n";
}

std::string Hex(uint32_t color)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%06X", color);
    return text;
}

void PrintText(const AlbumDocument& doc)
{
    std::ostream& out = std::cout;
    out << "titre : " << doc.Settings().title << "\n"
        << "description : " << doc.Settings().description << "\n"
        << "disposition : " << LayoutNumber(doc.Settings().layout) << "\n"
        << "cadre : " << static_cast<int>(doc.Settings().frameStyle) << "\n"
        << "effet du titre : " << static_cast<int>(doc.Settings().titleEffect) << "\n"
        << "couleur du titre : " << Hex(doc.Settings().titleColor) << "\n"
        << "bureau : " << Hex(doc.Settings().deskColor) << "\n"
        << "page de garde : " << (doc.Settings().flyleaf ? "oui" : "non") << "\n"
        << "numéros de pages : " << (doc.Settings().pageNumbers ? "oui" : "non") << "\n"
        << "titre de haut de page : " << (doc.Settings().headerTitle ? "oui" : "non") << "\n"
        << "onglets : " << (doc.Settings().useTabs ? "oui" : "non") << "\n"
        << "mot de passe : " << (doc.Settings().password.empty() ? "non" : "oui") << "\n"
        << "pages : " << doc.PageCount() << "\n";
    for (int i = 0; i < kAlbumFontCount; ++i) {
        const TextFont& f = doc.Settings().fonts[i];
        out << "police " << kFontNames[i] << " : " << f.faceName << ", hauteur " << f.height
            << ", graisse " << f.weight << (f.italic ? ", italique" : "") << "\n";
    }
    for (size_t i = 0; i < doc.TabCount(); ++i)
        out << "onglet " << i << " : " << doc.Tabs()[i]->name << ", couleur "
            << Hex(doc.Tabs()[i]->tabColor) << ", texte " << Hex(doc.Tabs()[i]->nameColor)
            << ", première page " << doc.Tabs()[i]->firstPage << "\n";
    for (size_t i = 0; i < doc.ItemCount(); ++i) {
        const AlbumItem& item = *doc.Items()[i];
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

}  // namespace

int RunAlbumInfo(Arguments args)
{
    const bool json = args.TakeFlag("--json");
    if (const auto unknown = args.FirstUnknownOption())
        return Fail(kExitUsage, "option inconnue : " + *unknown);
    if (args.Positionals().size() != 1)
        return Fail(kExitUsage, "usage : lumora-cli album info FICHIER [--json]");
    AlbumDocument doc;
    if (!OpenAlbumFile(doc, args.Positionals()[0]))
        return kExitFailed;
    doc.Paginate();
    if (json)
        PrintJson(doc);
    else
        PrintText(doc);
    return kExitOk;
}

}  // namespace lumora::cli
