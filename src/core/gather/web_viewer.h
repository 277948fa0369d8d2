#pragma once
// The web viewer a gather writes beside the album: "index.html" and the
// folder "lumora-web" (style, script, the album's data, a picture of every
// spread and a small copy of every photo). It opens from the file system in
// any current browser, with no server and nothing fetched from elsewhere.
// The spreads are drawn by the program's own album painter, reached through
// SpreadRenderer, so that the viewer shows the album as the program does.
#include <functional>
#include <string>
#include <vector>

#include "core/picture/picture.h"
#include "core/gather/gather_copy.h"
#include "core/gather/gather_plan.h"
#include "core/gather/web_sizes.h"

namespace lumora {

class AlbumDocument;

class SpreadRenderer {
public:
    virtual ~SpreadRenderer() = default;
    // The album at spread `position` (kCoverPosition, kFlyleafPosition, 0,
    // 2...) as its window shows it, with no selection mark, `scale` times
    // the book's size; a 24-bit picture, empty on failure. Called on the
    // gathering thread.
    virtual Picture RenderSpread(const AlbumDocument& doc, int position, int scale) = 0;
};

// A photo as the viewer finds it in the folder: names relative to the
// folder, empty when not gathered (no picture written, no sound).
struct ViewerPhoto {
    int item = -1;
    std::string picture;
    std::string sound;
    std::vector<WebSize> sizes;  // the copies for the screen, smallest first
};

// The viewer's folder and its page.
inline constexpr const char* kViewerFolder = "lumora-web";
inline constexpr const char* kViewerPage = "index.html";
// The page's name when the folder already holds an "index.html" of its
// own (not a viewer's): that file is kept.
inline constexpr const char* kViewerSparePage = "lumora-album.html";
// Spreads are drawn at twice the book's size for sharp high-density screens
// (and reduced to its size for the others); a page alone, as a phone held
// upright shows it, at three times, its width filling the screen's.
inline constexpr int kViewerScale = 2;
inline constexpr int kViewerPageScale = 3;

// The part of a spread shown alone on a narrow screen, in book
// coordinates: half the book's width from `left`. `page` is the album page
// (from 0), -1 for the cover and the flyleaf.
struct ViewerPage {
    int left = 0;
    int page = -1;
};
// The pages of the spread at `position`, left to right: the cover's middle,
// the flyleaf, then each album page the spread shows.
std::vector<ViewerPage> ViewerPagesOf(int position, int pageCount);

// The path of the viewer's page in `destination`: "index.html", unless the
// folder holds an "index.html" that is not a viewer's page.
std::string ViewerPagePath(const std::string& destination);

// The spreads the viewer turns through, in order: the cover, the flyleaf
// when the album has one, then 0, 2... up to the page count (the back cover).
std::vector<int> ViewerPositions(const AlbumDocument& doc);

// The album's data for the script: a JavaScript file that sets
// LUMORA_ALBUM to the title, the spreads (picture, photo and tab areas in
// book coordinates), the photos and the slideshow settings. A photo's
// "picture" and "sound" are addresses relative to the folder, percent-
// encoded from the files' bytes, so that the browser finds a file whatever
// its name; "pictureName" and "soundName" are those names to show.
std::string ViewerAlbumScript(const AlbumDocument& doc, const std::vector<ViewerPhoto>& photos);

// Writes the whole viewer into `destination` (no trailing slash), each file
// through WriteGatherFile, never over one of `own`; `written` receives each
// path. Stops at the first file that is not Written.
GatherFileResult WriteWebViewer(const AlbumDocument& doc, const std::string& destination,
                                const std::vector<ViewerPhoto>& photos, SpreadRenderer& renderer,
                                const GatherCancel& cancelled,
                                const std::function<void(const std::string&)>& written,
                                const AlbumOwnFiles* own = nullptr);

// A photo file the browsers show as it is (JPEG, PNG, GIF, WebP, BMP).
bool IsWebPicture(const std::string& name);
// A sound the browsers play (not MIDI).
bool IsWebSound(const std::string& name);


// `text` as a JSON string literal that is also safe inside an HTML script
// element and in any JavaScript: bytes that are not UTF-8 become U+FFFD;
// controls, "<", ">", U+2028 and U+2029 are escaped.
std::string JsonQuoted(const std::string& text);

}  // namespace lumora
