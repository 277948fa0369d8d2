// Album files from anywhere, turned into the web viewer's data script: the
// titles, descriptions, tab names and file names they hold must come out as
// valid JSON strings, whatever their bytes, with nothing a browser could
// take for markup, the end of a string or of a line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/album/album_document.h"
#include "fuzz_album_bytes.h"
#include "core/gather/web_viewer.h"

namespace {

bool IsValidUtf8(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    AlbumDocument doc;
    if (!fuzz::ReadAlbumBytes(data, size, doc))
        return 0;
    doc.Paginate();
    std::vector<ViewerPhoto> photos;
    for (size_t i = 0; i < doc.items.size(); ++i)
        if (doc.items[i]->IsPhoto())
            photos.push_back({static_cast<int>(i), doc.items[i]->imagePath, doc.items[i]->soundPath});
    const std::string script = ViewerAlbumScript(doc, photos);
    if (!IsValidUtf8(script))
        __builtin_trap();
    for (const char c : script)
        if (c == '<' || c == '>' || (static_cast<unsigned char>(c) < 0x20 && c != '\n'))
            __builtin_trap();
    // U+2028 and U+2029 end a line inside older engines' strings.
    if (script.find("\xE2\x80\xA8") != std::string::npos || script.find("\xE2\x80\xA9") != std::string::npos)
        __builtin_trap();
    return 0;
}
