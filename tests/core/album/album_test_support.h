#pragma once
// Building albums and album bytes for the album tests.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/album/album_document.h"

namespace lumora::test {

// Album bytes put together by hand, independent of the writer.
struct Bytes {
    std::vector<uint8_t> data;
    Bytes& U8(uint8_t v)
    {
        data.push_back(v);
        return *this;
    }
    Bytes& U16(uint16_t v) { return U8(v & 0xFF).U8(v >> 8); }
    Bytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    // Characters below 255 with their one-byte prefix.
    Bytes& Short(const std::string& s)
    {
        U8(static_cast<uint8_t>(s.size()));
        return Raw(s);
    }
    Bytes& Raw(const std::string& s)
    {
        data.insert(data.end(), s.begin(), s.end());
        return *this;
    }
};

// What the writer produces for `doc`.
std::vector<uint8_t> StoreToBytes(AlbumDocument& doc);
// Reads bytes into a fresh document through Serialize (may throw
// ArchiveError).
void LoadFromBytes(AlbumDocument& doc, const std::vector<uint8_t>& bytes);

// Building an album through its real edits, as a test's starting point:
// the items are appended as one insertion step (each keeping the tab index
// it was given), a tab is appended without moving any item. Afterwards the
// history is empty again and the modified mark as it was before, so that
// the test starts from the album as built.
void AppendItems(AlbumDocument& doc, std::vector<std::unique_ptr<AlbumItem>> items);
void AppendItem(AlbumDocument& doc, std::unique_ptr<AlbumItem> item);
void AppendTab(AlbumDocument& doc, std::unique_ptr<SectionTab> tab);
// The same for an item in place `index`.
void InsertItemAt(AlbumDocument& doc, size_t index, std::unique_ptr<AlbumItem> item);
// An item's text, font, colour, sound or description changed by a content
// edit; a photo's file by a file edit; a tab's name. Then forgotten, as
// above.
void ChangeContent(AlbumDocument& doc, size_t index, const std::function<void(ItemContent&)>& change);
void ChangePhotoFile(AlbumDocument& doc, size_t index, const std::string& imagePath);
void RenameTab(AlbumDocument& doc, size_t position, const std::string& name);
// Items removed from `first` on, tabs kept (one step, then forgotten).
void RemoveItemsFrom(AlbumDocument& doc, size_t first);

// A small 8-bit picture on the application palette.
Picture SmallPreview(int32_t width, int32_t height, uint8_t fill);

// A new album holding two tabs, two photos with small previews and a text.
void FillSampleAlbum(AlbumDocument& doc);

// Each item's tab index, in album order.
std::vector<int16_t> TabIndices(const AlbumDocument& doc);

// Every field of two documents, items and tabs included, compared with
// gtest expectations.
void ExpectSameAlbum(const AlbumDocument& a, const AlbumDocument& b);

}  // namespace lumora::test
