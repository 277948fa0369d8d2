#pragma once
// One item of an album: a photo (an image file on disk with a reduced copy,
// the preview, kept inside the album) or a text with its font and colour.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/album/album_preview.h"
#include "core/album/archive.h"
#include "core/album/text_font.h"
#include "core/album/section_tab.h"
#include "core/picture_document/dib_object.h"
#include "core/colour/palette.h"

namespace lumora {

struct ItemRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    friend bool operator==(const ItemRect&, const ItemRect&) = default;
};

enum ItemKind : int32_t { kPhotoItem = 0, kTextItem = 1 };

// The size a w x h picture takes in a W x H box, proportions kept, touching
// the box on at least one side (never below one pixel).
struct FittedSize {
    int32_t width = 0, height = 0;
};
FittedSize FitPreview(uint32_t boxWidth, uint32_t boxHeight, uint32_t width, uint32_t height);

class AlbumItem {
public:
    static const ArchiveClass kClass;  // "CMyObject", schema 2

    // An empty item, filled from a file.
    AlbumItem() = default;
    // A photo item; LoadPreview fills its facts and preview.
    explicit AlbumItem(std::string imagePathIn);
    // A text item with its own copy of the font.
    AlbumItem(std::string textIn, const TextFont& fontIn, Rgb colorIn);

    AlbumItem(const AlbumItem&) = default;
    AlbumItem& operator=(const AlbumItem&) = default;

    // Any kind other than 0 is a text item.
    bool IsPhoto() const { return kind == kPhotoItem; }

    // The item record. Reading advances the album's load progress.
    void Serialize(Archive& ar);

    // (Re)makes the preview for a box of the given size from the image
    // file, asking the load-error handler for another path while the file
    // cannot be read. False when the user gave up or the reduction failed.
    bool LoadPreview(uint16_t boxWidth, uint16_t boxHeight, const Palette& palette);
    // The same from a preview already made from the item's image path (on a
    // worker thread): shows what its reading reported, and asks for
    // another path only when the file could not be read.
    bool FinishPreview(PreviewPicture made, uint16_t boxWidth, uint16_t boxHeight,
                       const Palette& palette);

    // Replaces the screen-format copy of the preview (made by the GUI).
    void MakeFastBitmap();

    int32_t kind = kPhotoItem;
    std::string text;
    std::optional<TextFont> font;  // text items only
    Rgb textColor = 0;
    std::string soundPath;
    std::string imagePath;
    std::string description;
    int16_t imageWidth = 0;
    int16_t imageHeight = 0;
    int16_t bitsPerPixel = 0;
    uint32_t imageFileSize = 0;
    std::shared_ptr<const void> fastBitmap;  // owned by whatever the GUI made
    Dib preview;
    int16_t tabIndex = 0;
    // Where pagination put the item; not stored.
    int32_t pageIndex = 0;
    ItemRect displayRect;

private:
    bool AdoptPreview(const std::string& path, PreviewPicture&& made);
};

// The colour-depth word of the properties ("mono", "16", "256", "64K",
// "16,8M"), empty for other depths.
std::string ColorDepthName(int bitsPerPixel);

// The part of a stored path after its last separator. Albums made on other
// systems carry paths such as C:\PHOTOS\A.BMP, so both \ and / count.
std::string FileNamePart(const std::string& path);

}  // namespace lumora
