#include "core/album/clipboard_block.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>

#include "core/album/album_item.h"
#include "core/album/text_codec.h"
#include "core/picture/byte_order.h"
#include "core/picture/picture.h"

namespace lumora {
namespace {

// Offsets of the header's fields.
constexpr size_t kMagicAt = 0;
constexpr size_t kKindAt = 3;
constexpr size_t kPathAt = 4;
constexpr size_t kWidthAt = 132;
constexpr size_t kHeightAt = 134;
constexpr size_t kBitsAt = 136;
constexpr size_t kFileSizeAt = 138;
constexpr size_t kDescriptionAt = 142;
constexpr size_t kTextAt = 398;
constexpr size_t kColorAt = 2398;
constexpr size_t kFontHeightAt = 2402;
constexpr size_t kFontWeightAt = 2404;
constexpr size_t kFontItalicAt = 2406;
constexpr size_t kFaceNameAt = 2407;
// The face name is read over 100 bytes, as the block was always read.
constexpr size_t kFaceNameReadBytes = 100;

constexpr std::array<uint8_t, 3> kMagic = {'Q', 'Z', 'A'};
constexpr std::array<uint8_t, 4> kStringsMagic = {'Q', 'Z', 'U', '8'};

// Windows-1252 bytes of a UTF-8 string, "?" for what the code page lacks.
std::string SingleByte(const std::string& utf8)
{
    if (auto bytes = Utf8ToWindows1252(utf8))
        return *bytes;
    std::string bytes;
    for (char16_t unit : Utf8ToUtf16(utf8)) {
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            continue;  // the second half of a pair, or an undecodable byte
        const std::u16string one(1, unit);
        const auto byte = Utf8ToWindows1252(Utf16ToUtf8(one));
        bytes += byte && byte->size() == 1 ? *byte : std::string("?");
    }
    return bytes;
}

// Writes up to `field - 1` bytes of the string; the zero fill ends it.
void PutString(std::vector<uint8_t>& block, size_t at, size_t field, const std::string& utf8)
{
    const std::string bytes = SingleByte(utf8);
    std::memcpy(block.data() + at, bytes.data(), std::min(bytes.size(), field - 1));
}

// The UTF-8 text of a zero-terminated single-byte field.
std::string GetString(std::span<const uint8_t> block, size_t at, size_t field)
{
    const auto* begin = reinterpret_cast<const char*>(block.data() + at);
    return Windows1252ToUtf8(std::string(begin, strnlen(begin, field)));
}

struct ItemStrings {
    std::string path, description, text, faceName;
};

void PutLengthAndBytes(std::vector<uint8_t>& out, const std::string& text)
{
    const size_t at = out.size();
    out.resize(at + 4 + text.size());
    WriteLE32(out.data() + at, static_cast<uint32_t>(text.size()));
    std::memcpy(out.data() + at + 4, text.data(), text.size());
}

std::optional<ItemStrings> ReadStrings(std::span<const uint8_t> block)
{
    if (block.size() < kStringsMagic.size() ||
        !std::equal(kStringsMagic.begin(), kStringsMagic.end(), block.begin()))
        return std::nullopt;
    size_t at = kStringsMagic.size();
    auto next = [&](std::string& text) {
        if (block.size() - at < 4)
            return false;
        const uint32_t length = ReadLE32(block.data() + at);
        at += 4;
        if (block.size() - at < length)
            return false;
        text.assign(reinterpret_cast<const char*>(block.data() + at), length);
        at += length;
        return true;
    };
    ItemStrings strings;
    if (!next(strings.path) || !next(strings.description) || !next(strings.text) ||
        !next(strings.faceName))
        return std::nullopt;
    return strings;
}

}  // namespace

std::vector<uint8_t> ToClipboardBlock(const AlbumItem& item)
{
    const std::span<const uint8_t> preview =
        item.IsPhoto() ? item.preview.Image().Bytes() : std::span<const uint8_t>();
    std::vector<uint8_t> block(kClipboardHeaderSize + preview.size(), 0);
    std::copy(kMagic.begin(), kMagic.end(), block.begin() + kMagicAt);
    block[kKindAt] = item.IsPhoto() ? 0 : 1;
    PutString(block, kPathAt, kClipboardPathBytes, item.imagePath);
    WriteLE16(block.data() + kWidthAt, static_cast<uint16_t>(item.imageWidth));
    WriteLE16(block.data() + kHeightAt, static_cast<uint16_t>(item.imageHeight));
    WriteLE16(block.data() + kBitsAt, static_cast<uint16_t>(item.bitsPerPixel));
    WriteLE32(block.data() + kFileSizeAt, item.imageFileSize);
    PutString(block, kDescriptionAt, kClipboardDescriptionBytes, item.description);
    WriteLE32(block.data() + kColorAt, item.textColor);
    if (!item.IsPhoto()) {
        PutString(block, kTextAt, kClipboardTextBytes, item.text);
        const LogFont font = RecordOf(item.font.value_or(TextFont{}));
        WriteLE16(block.data() + kFontHeightAt, static_cast<uint16_t>(font.height));
        WriteLE16(block.data() + kFontWeightAt, static_cast<uint16_t>(font.weight));
        block[kFontItalicAt] = font.italic;
        PutString(block, kFaceNameAt, kClipboardFaceNameBytes, font.faceName);
    }
    std::copy(preview.begin(), preview.end(), block.begin() + kClipboardHeaderSize);
    return block;
}

std::vector<uint8_t> ToClipboardStrings(const AlbumItem& item)
{
    std::vector<uint8_t> out(kStringsMagic.begin(), kStringsMagic.end());
    PutLengthAndBytes(out, item.imagePath);
    PutLengthAndBytes(out, item.description);
    PutLengthAndBytes(out, item.IsPhoto() ? std::string() : item.text);
    PutLengthAndBytes(out, item.font ? item.font->faceName : std::string());
    return out;
}

std::unique_ptr<AlbumItem> FromClipboardBlock(std::span<const uint8_t> block,
                                              std::span<const uint8_t> strings)
{
    if (block.size() < kClipboardHeaderSize ||
        !std::equal(kMagic.begin(), kMagic.end(), block.begin() + kMagicAt))
        return nullptr;
    auto item = std::make_unique<AlbumItem>();
    item->kind = block[kKindAt] == 0 ? kPhotoItem : kTextItem;
    if (item->IsPhoto()) {
        const auto preview = block.subspan(kClipboardHeaderSize);
        if (!IsValidPicture(preview))
            return nullptr;
        item->preview.Attach(Picture::FromBytes(preview));
        if (!item->preview.Image())
            return nullptr;
    }
    item->imagePath = GetString(block, kPathAt, kClipboardPathBytes);
    item->imageWidth = static_cast<int16_t>(ReadLE16(block.data() + kWidthAt));
    item->imageHeight = static_cast<int16_t>(ReadLE16(block.data() + kHeightAt));
    item->bitsPerPixel = static_cast<int16_t>(ReadLE16(block.data() + kBitsAt));
    item->imageFileSize = ReadLE32(block.data() + kFileSizeAt);
    item->description = GetString(block, kDescriptionAt, kClipboardDescriptionBytes);
    if (!item->IsPhoto()) {
        item->text = GetString(block, kTextAt, kClipboardTextBytes);
        item->textColor = ReadLE32(block.data() + kColorAt);
        LogFont font{};
        font.height = static_cast<int16_t>(ReadLE16(block.data() + kFontHeightAt));
        font.weight = static_cast<int16_t>(ReadLE16(block.data() + kFontWeightAt));
        font.italic = block[kFontItalicAt];
        font.faceName = GetString(block, kFaceNameAt, kFaceNameReadBytes);
        item->font = FontOfRecord(font);
    }
    if (const auto utf8 = ReadStrings(strings)) {
        item->imagePath = utf8->path;
        item->description = utf8->description;
        if (!item->IsPhoto()) {
            item->text = utf8->text;
            item->font->faceName = utf8->faceName;
        }
    }
    return item;
}

}  // namespace lumora
