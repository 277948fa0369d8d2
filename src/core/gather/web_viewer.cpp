#include "core/gather/web_viewer.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <cstdio>
#include <sys/stat.h>

#include "core/album/album_document.h"
#include "core/album/album_layout.h"
#include "core/formats/jpeg_writer.h"
#include "core/picture/area_reduce.h"
#include "core/album/find_album_file.h"
#include "core/layout/book_geometry.h"
#include "core/layout/book_hits.h"
#include "core/layout/page_queries.h"
#include "core/layout/spread.h"
#include "core/layout/tab_columns.h"
#include "core/platform/file.h"
#include "core/platform/file_uri.h"
#include "core/platform/services.h"
#include "core/gather/web_viewer_files.h"
#include "core/res/strings.h"

namespace lumora {
namespace {

constexpr int kPageQuality = 90;
// Our page is far smaller; a larger index.html is the user's own.
constexpr size_t kLargestViewerPage = 64 * 1024;
constexpr int kPreviewQuality = 85;

std::string LowerExtension(const std::string& name)
{
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || name.find('/', dot) != std::string::npos)
        return {};
    std::string ext = name.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// Length of the UTF-8 sequence starting at `text[i]`, or 0 when invalid.
size_t Utf8Length(const std::string& text, size_t i)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                                        : lead >= 0xF0 && lead < 0xF5           ? 4
                                                                                                : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (size_t k = 1; k < length; ++k)
        if ((byte(i + k) & 0xC0) != 0x80)
            return 0;
    return length;
}

std::string Rect4(const Rect& r)
{
    return "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.Width()) + "," +
           std::to_string(r.bottom - r.top) + "]";
}

std::string LocationLabel(int position, int pageCount)
{
    if (position == kCoverPosition)
        return LoadString(kStrCover);
    if (position == kFlyleafPosition)
        return LoadString(kStrFlyleaf);
    if (position == 0)
        return FormatString(kStrPage, 1);
    if (position >= pageCount)
        return FormatString(kStrPage, position);
    return FormatString(kStrPagesRange, position, position + 1);
}

// "pages/003.jpg" (the spread at twice the book's size), "pages/003-1x.jpg"
// (at its size); a page alone "pages/003-l.jpg" and "pages/003-l-2x.jpg"
// (left), "-r" (right) or "-c" (the cover's middle).
std::string PagePictureName(size_t spread, const std::string& suffix = {})
{
    char name[32];
    std::snprintf(name, sizeof name, "pages/%03zu", spread);
    return name + suffix + ".jpg";
}

constexpr int kHalfWidth = kBookSize.width / 2;

std::string PageSide(const ViewerPage& page)
{
    return page.page < 0 && page.left != 0 && page.left != kHalfWidth ? "-c"
           : page.left == 0                                         ? "-l"
                                                                    : "-r";
}

// A srcset as [name, width, height] triples, smallest first.
struct Candidate {
    std::string name;
    int width, height;
};
std::string CandidatesJson(const std::vector<Candidate>& candidates)
{
    std::string json = "[";
    for (const Candidate& c : candidates)
        json += std::string(json.size() > 1 ? "," : "") + "[" + JsonQuoted(c.name) + "," + std::to_string(c.width) +
                "," + std::to_string(c.height) + "]";
    return json + "]";
}

std::string InFolder(const std::string& name) { return std::string(kViewerFolder) + "/" + name; }

std::vector<Candidate> SpreadCandidates(size_t index)
{
    return {{InFolder(PagePictureName(index, "-1x")), kBookSize.width, kBookSize.height},
            {InFolder(PagePictureName(index)), kBookSize.width * kViewerScale, kBookSize.height * kViewerScale}};
}

std::vector<Candidate> PageCandidates(size_t index, const ViewerPage& page)
{
    return {{InFolder(PagePictureName(index, PageSide(page) + "-2x")), kHalfWidth * kViewerScale,
             kBookSize.height * kViewerScale},
            {InFolder(PagePictureName(index, PageSide(page))), kHalfWidth * kViewerPageScale,
             kBookSize.height * kViewerPageScale}};
}

std::string PagesJson(const std::vector<int>& positions, size_t index, int pageCount)
{
    std::string json;
    for (const ViewerPage& page : ViewerPagesOf(positions[index], pageCount))
        json += std::string(json.empty() ? "" : ",") + "{\"left\":" + std::to_string(page.left) +
                ",\"page\":" + std::to_string(page.page) + ",\"label\":" +
                JsonQuoted(page.page >= 0 ? FormatString(kStrPage, page.page + 1)
                                          : LocationLabel(positions[index], pageCount)) +
                ",\"srcset\":" + CandidatesJson(PageCandidates(index, page)) + "}";
    return "[" + json + "]";
}

std::string PreviewName(int item)
{
    char name[32];
    std::snprintf(name, sizeof name, "previews/%04d.jpg", item);
    return name;
}

int SpreadIndexOf(const std::vector<int>& positions, int position)
{
    for (size_t i = 0; i < positions.size(); ++i)
        if (positions[i] == position)
            return static_cast<int>(i);
    return 0;
}

// The photo areas and tabs that can be clicked on one spread.
std::string SpreadJson(AlbumLayout& layout, const AlbumDocument& doc, const std::vector<int>& positions,
                       size_t index, const std::vector<int>& photoOfItem)
{
    const int position = positions[index];
    std::string photos, tabs;
    if (position >= 0) {
        for (const int page : {LeftPageOf(position), RightPageOf(position, doc.PageCount())}) {
            if (page < 0)
                continue;
            for (const int item : ItemsOnPage(layout, page)) {
                const int photo = photoOfItem[static_cast<size_t>(item)];
                if (photo < 0)
                    continue;
                const auto& r = doc.Items()[static_cast<size_t>(item)]->displayRect;
                photos += std::string(photos.empty() ? "" : ",") + "{\"photo\":" + std::to_string(photo) +
                          ",\"rect\":" + Rect4(Rect{r.left, r.top, r.right, r.bottom}.Offset(kPageAreaOffset)) + "}";
            }
        }
        if (doc.Settings().useTabs) {
            for (const auto& column : {LeftTabColumn(layout, position), RightTabColumn(layout, position)})
                for (const TabPlacement& placement : column) {
                    const int target = SpreadOfPage(doc.Tabs()[static_cast<size_t>(placement.tab)]->firstPage);
                    tabs += std::string(tabs.empty() ? "" : ",") + "{\"rect\":" + Rect4(TabSlotRect(placement.slot)) +
                            ",\"spread\":" + std::to_string(SpreadIndexOf(positions, target)) + ",\"name\":" +
                            JsonQuoted(doc.Tabs()[static_cast<size_t>(placement.tab)]->name) + "}";
                }
        }
    }
    return "{\"position\":" + std::to_string(position) + ",\"label\":" +
           JsonQuoted(LocationLabel(position, doc.PageCount())) + ",\"picture\":" +
           JsonQuoted(InFolder(PagePictureName(index))) + ",\"srcset\":" + CandidatesJson(SpreadCandidates(index)) +
           ",\"pages\":" + PagesJson(positions, index, doc.PageCount()) + ",\"photos\":[" + photos +
           "],\"tabs\":[" + tabs + "]}";
}

// A gathered file as the page reaches it: its address, percent-encoded
// from its bytes whatever they are, and its name as the page shows it.
std::string FileJson(const char* field, const std::string& name, bool usable)
{
    const std::string shown = usable ? name : std::string();
    return "\"" + std::string(field) + "\":" + JsonQuoted(PercentEncoded(shown)) + ",\"" + field +
           "Name\":" + JsonQuoted(shown);
}

std::string PhotoJson(const AlbumDocument& doc, const ViewerPhoto& photo, int spread)
{
    const AlbumItem& item = *doc.Items()[static_cast<size_t>(photo.item)];
    const bool showable = !photo.picture.empty() && IsWebPicture(photo.picture);
    const bool audible = !photo.sound.empty() && IsWebSound(photo.sound);
    std::vector<Candidate> sizes;
    for (const WebSize& size : photo.sizes)
        sizes.push_back({size.name, size.width, size.height});
    return "{\"item\":" + std::to_string(photo.item) + "," + FileJson("picture", photo.picture, showable) +
           ",\"original\":" + JsonQuoted(PercentEncoded(photo.picture)) + ",\"sizes\":" + CandidatesJson(sizes) +
           ",\"name\":" + JsonQuoted(StoredFileName(item.imagePath)) +
           ",\"preview\":" + JsonQuoted(std::string(kViewerFolder) + "/" + PreviewName(photo.item)) +
           ",\"description\":" + JsonQuoted(item.description) + "," + FileJson("sound", photo.sound, audible) +
           ",\"spread\":" + std::to_string(spread) + "}";
}

std::string ZoneJson(const char* name, const Rect& r) { return std::string("\"") + name + "\":" + Rect4(r); }

void MakeDirectory(const std::string& path) { ::mkdir(path.c_str(), 0777); }

// `width` columns of a 24-bit picture from column `left`.
Picture CropColumns(const Picture& picture, int left, int width)
{
    if (!picture || picture.BitCount() != 24)
        return {};
    const int height = static_cast<int>(picture.Height());
    const int fullWidth = static_cast<int>(picture.Width());
    left = std::clamp(left, 0, std::max(fullWidth - width, 0));
    width = std::min(width, fullWidth);
    Picture part = Picture::Make(width, height, 24, {ColourTable::Black, false});
    if (!part)
        return {};
    const uint64_t fromStride = PictureRowBytes(static_cast<uint64_t>(fullWidth), 24);
    const uint64_t toStride = PictureRowBytes(static_cast<uint64_t>(width), 24);
    const uint8_t* from = picture.Pixels();
    uint8_t* to = part.Pixels();
    for (int y = 0; y < height; ++y)
        std::memcpy(to + toStride * static_cast<uint64_t>(y),
                    from + fromStride * static_cast<uint64_t>(y) + static_cast<uint64_t>(left) * 3, toStride);
    return part;
}

struct SpreadPicture {
    std::string name;
    Picture picture;
};

// Every picture of one spread: whole at twice and once the book's size,
// each page alone at twice and three times.
std::vector<SpreadPicture> SpreadPictures(const AlbumDocument& doc, int position, size_t index,
                                          SpreadRenderer& renderer)
{
    std::vector<SpreadPicture> pictures;
    Picture twice = renderer.RenderSpread(doc, position, kViewerScale);
    if (!twice)
        return pictures;
    const std::vector<ViewerPage> pages = ViewerPagesOf(position, doc.PageCount());
    Picture thrice = renderer.RenderSpread(doc, position, kViewerPageScale);
    for (const ViewerPage& page : pages) {
        const std::string side = PageSide(page);
        pictures.push_back({PagePictureName(index, side + "-2x"),
                            CropColumns(twice, page.left * kViewerScale, kHalfWidth * kViewerScale)});
        if (thrice)
            pictures.push_back({PagePictureName(index, side),
                                CropColumns(thrice, page.left * kViewerPageScale, kHalfWidth * kViewerPageScale)});
    }
    pictures.push_back({PagePictureName(index, "-1x"), ReduceToTrueColor(twice, kBookSize.width, kBookSize.height)});
    pictures.push_back({PagePictureName(index), std::move(twice)});
    return pictures;
}

}  // namespace

bool IsWebPicture(const std::string& name)
{
    const std::string ext = LowerExtension(name);
    return ext == "jpg" || ext == "jpeg" || ext == "jfif" || ext == "png" || ext == "gif" || ext == "webp" ||
           ext == "bmp";
}

bool IsWebSound(const std::string& name)
{
    const std::string ext = LowerExtension(name);
    return ext != "mid" && ext != "midi" && ext != "rmi" && !ext.empty();
}

std::string JsonQuoted(const std::string& text)
{
    std::string out = "\"";
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        const size_t length = Utf8Length(text, i);
        if (length == 0) {
            out += "\\ufffd";
            ++i;
            continue;
        }
        if (length == 3 && c == 0xE2 && static_cast<unsigned char>(text[i + 1]) == 0x80 &&
            (static_cast<unsigned char>(text[i + 2]) & 0xFE) == 0xA8) {
            // U+2028 and U+2029 end a line in older JavaScript.
            out += static_cast<unsigned char>(text[i + 2]) == 0xA8 ? "\\u2028" : "\\u2029";
        } else if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c == '<' || c == '>') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        } else {
            out.append(text, i, length);
        }
        i += length;
    }
    return out + "\"";
}

std::string ViewerPagePath(const std::string& destination)
{
    const std::string page = destination + "/" + kViewerPage;
    struct stat facts {};
    if (::lstat(page.c_str(), &facts) != 0)
        return page;
    // A page of ours loads the viewer's script; anything else is the
    // user's, and so is whatever is not a plain file (opened without
    // blocking: a FIFO would wait for a writer).
    File existing;
    std::string text(kLargestViewerPage, '\0');
    text.resize(existing.Open(page, File::Mode::Read) ? existing.Read(text.data(), text.size()) : 0);
    const bool ours = text.find(std::string(kViewerFolder) + "/viewer.js") != std::string::npos;
    return ours ? page : destination + "/" + kViewerSparePage;
}

std::vector<ViewerPage> ViewerPagesOf(int position, int pageCount)
{
    if (position == kCoverPosition)
        return {{(kCoverZone.left + kCoverZone.right) / 2 - kHalfWidth / 2, -1}};
    if (position == kFlyleafPosition)
        return {{kHalfWidth, -1}};
    std::vector<ViewerPage> pages;
    if (const int left = LeftPageOf(position); left >= 0)
        pages.push_back({0, left});
    if (const int right = RightPageOf(position, pageCount); right >= 0)
        pages.push_back({kHalfWidth, right});
    return pages;
}

std::vector<int> ViewerPositions(const AlbumDocument& doc)
{
    std::vector<int> positions{kCoverPosition};
    if (doc.Settings().flyleaf)
        positions.push_back(kFlyleafPosition);
    for (int position = 0; position <= std::max(doc.PageCount(), 0); position += 2)
        positions.push_back(position);
    return positions;
}

std::string ViewerAlbumScript(const AlbumDocument& doc, const std::vector<ViewerPhoto>& photos)
{
    AlbumLayout layout(doc);
    const std::vector<int> positions = ViewerPositions(doc);
    std::vector<int> photoOfItem(doc.ItemCount(), -1);
    for (size_t i = 0; i < photos.size(); ++i)
        photoOfItem[static_cast<size_t>(photos[i].item)] = static_cast<int>(i);

    std::string spreads;
    for (size_t i = 0; i < positions.size(); ++i)
        spreads += (i ? ",\n" : "\n") + SpreadJson(layout, doc, positions, i, photoOfItem);
    std::string photoList;
    for (size_t i = 0; i < photos.size(); ++i) {
        const int page = doc.Items()[static_cast<size_t>(photos[i].item)]->pageIndex;
        photoList += (i ? ",\n" : "\n") + PhotoJson(doc, photos[i], SpreadIndexOf(positions, SpreadOfPage(page)));
    }
    const Preferences& prefs = CurrentPreferences();
    return "var LUMORA_ALBUM = {\"title\":" + JsonQuoted(doc.Settings().title) + ",\"description\":" +
           JsonQuoted(doc.Settings().description) + ",\"book\":[" + std::to_string(kBookSize.width) + "," +
           std::to_string(kBookSize.height) + "],\"scale\":" + std::to_string(kViewerScale) + ",\"zones\":{" +
           ZoneJson("cover", kCoverZone) + "," + ZoneJson("close", kCloseBookZone) + "," +
           ZoneJson("previous", kPreviousPageZone) + "," + ZoneJson("next", kNextPageZone) +
           "},\"slideshow\":{\"pause\":" + std::to_string(std::max(prefs.slideshowPause, 1)) +
           ",\"automatic\":" + (prefs.slideshowAuto ? "true" : "false") +
           ",\"soundIsMaster\":" + (prefs.soundIsMaster ? "true" : "false") +
           ",\"loop\":" + (prefs.slideshowLoop ? "true" : "false") + "},\"spreads\":[" + spreads +
           "],\"photos\":[" + photoList + "]};\n";
}

GatherFileResult WriteWebViewer(const AlbumDocument& doc, const std::string& destination,
                                const std::vector<ViewerPhoto>& photos, SpreadRenderer& renderer,
                                const GatherCancel& cancelled,
                                const std::function<void(const std::string&)>& written, const AlbumOwnFiles* own)
{
    const std::string folder = destination + "/" + kViewerFolder;
    MakeDirectory(folder);
    MakeDirectory(folder + "/pages");
    MakeDirectory(folder + "/previews");
    const auto write = [&](std::string_view bytes, const std::string& path) {
        const GatherFileResult result =
            WriteGatherFile(bytes, path, kStrTargetWriteFailed, LoadString(kStrCopyingLabel) + path, cancelled, own);
        if (result == GatherFileResult::Written && written)
            written(path);
        return result;
    };
    const auto asText = [](const std::vector<uint8_t>& bytes) {
        return std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    };

    for (const WebViewerFile& file : WebViewerFiles()) {
        const std::string path =
            file.name == kViewerPage ? ViewerPagePath(destination) : folder + "/" + std::string(file.name);
        if (const auto result = write(file.bytes, path); result != GatherFileResult::Written)
            return result;
    }
    if (const auto result = write(ViewerAlbumScript(doc, photos), folder + "/album.js");
        result != GatherFileResult::Written)
        return result;
    const std::vector<int> positions = ViewerPositions(doc);
    for (size_t i = 0; i < positions.size(); ++i) {
        if (cancelled && cancelled())
            return GatherFileResult::Interrupted;
        for (const SpreadPicture& picture : SpreadPictures(doc, positions[i], i, renderer)) {
            const auto jpeg = EncodeJPEG(picture.picture, kPageQuality);
            if (!jpeg)
                continue;  // a spread that cannot be drawn shows as a blank page
            if (const auto result = write(asText(*jpeg), folder + "/" + picture.name);
                result != GatherFileResult::Written)
                return result;
        }
    }
    for (const ViewerPhoto& photo : photos) {
        const auto jpeg = EncodeJPEG(doc.Items()[static_cast<size_t>(photo.item)]->preview.Image(), kPreviewQuality);
        if (!jpeg)
            continue;
        if (const auto result = write(asText(*jpeg), folder + "/" + PreviewName(photo.item));
            result != GatherFileResult::Written)
            return result;
    }
    return GatherFileResult::Written;
}

}  // namespace lumora
