// Album files from anywhere, turned into the web viewer's data script: the
// titles, descriptions, tab names and file names they hold must come out as
// valid JSON strings, whatever their bytes, with nothing a browser could
// take for markup, the end of a string or of a line. The first byte gives the length
// of a gathered file name that follows, any bytes at all as Linux allows:
// its address must bring back exactly those bytes.
#include <cstddef>
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "core/album/album_document.h"
#include "fuzz_album_bytes.h"
#include "core/gather/web_viewer.h"
#include "core/platform/file_uri.h"

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

int HexValue(char c)
{
    return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// The bytes an address made by PercentEncoded stands for; traps on any
// character an address of ours may not hold.
std::string Decoded(const std::string& address)
{
    std::string bytes;
    for (size_t i = 0; i < address.size(); ++i) {
        const char c = address[i];
        if (c == '%') {
            if (i + 2 >= address.size())
                __builtin_trap();
            const int high = HexValue(address[i + 1]), low = HexValue(address[i + 2]);
            if (high < 0 || low < 0)
                __builtin_trap();
            bytes += static_cast<char>(high * 16 + low);
            i += 2;
        } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_' || c == '~') {
            bytes += c;
        } else {
            __builtin_trap();
        }
    }
    return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace lumora;
    if (size == 0)
        return 0;
    const size_t nameLength = std::min<size_t>(data[0], size - 1);
    const std::string rawName(reinterpret_cast<const char*>(data + 1), nameLength);
    if (Decoded(PercentEncoded(rawName)) != rawName)
        __builtin_trap();
    data += 1 + nameLength;
    size -= 1 + nameLength;
    AlbumDocument doc;
    if (!fuzz::ReadAlbumBytes(data, size, doc))
        return 0;
    doc.Paginate();
    std::vector<ViewerPhoto> photos;
    for (size_t i = 0; i < doc.ItemCount(); ++i) {
        if (!doc.Items()[i]->IsPhoto())
            continue;
        const bool raw = photos.size() % 2 == 0;
        photos.push_back({static_cast<int>(i), raw ? rawName + ".jpg" : doc.Items()[i]->imagePath,
                          raw ? rawName + ".wav" : doc.Items()[i]->soundPath, {}});
    }
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
