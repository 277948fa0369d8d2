#include "core/album/album_item.h"

#include "core/album/preview_retry.h"
#include "core/platform/services.h"
#include "core/album/load_progress.h"
#include "core/album/album_preview.h"

namespace lumora {

const ArchiveClass AlbumItem::kClass = {"CMyObject", 2};

FittedSize FitPreview(uint32_t boxWidth, uint32_t boxHeight, uint32_t width, uint32_t height)
{
    if (width == 0 || height == 0)
        return {};
    const uint64_t W = boxWidth, H = boxHeight, w = width, h = height;
    const uint64_t t = W * h / w;
    FittedSize size;
    if (H < t)
        size = {static_cast<int32_t>(H * w / h), static_cast<int32_t>(H)};
    else
        size = {static_cast<int32_t>(W), static_cast<int32_t>(t)};
    // A sliver of a picture still gets one pixel rather than no preview.
    size.width = std::max(size.width, 1);
    size.height = std::max(size.height, 1);
    return size;
}

AlbumItem::AlbumItem(std::string imagePathIn) : imagePath(std::move(imagePathIn)) {}

AlbumItem::AlbumItem(std::string textIn, const TextFont& fontIn, Rgb colorIn)
    : kind(kTextItem), text(std::move(textIn)), font(fontIn), textColor(colorIn)
{
}

void AlbumItem::Serialize(Archive& ar)
{
    if (ar.IsStoring()) {
        ar.Write16(static_cast<uint16_t>(kind));
        ar.WriteString(imagePath);
        ar.WriteString(description);
        ar.Write16(static_cast<uint16_t>(tabIndex));
        ar.Write16(static_cast<uint16_t>(imageWidth));
        ar.Write16(static_cast<uint16_t>(imageHeight));
        ar.Write16(static_cast<uint16_t>(bitsPerPixel));
        ar.Write32(imageFileSize);
        ar.WriteString(soundPath);
        ar.WriteString(text);
        ar.Write32(textColor);
        if (!IsPhoto()) {
            LogFont written = RecordOf(font.value_or(TextFont{}));
            SerializeFont(ar, written);
        } else {
            preview.Serialize(ar);
        }
        return;
    }
    kind = static_cast<int16_t>(ar.Read16());
    imagePath = ar.ReadString();
    description = ar.ReadString();
    tabIndex = static_cast<int16_t>(ar.Read16());
    imageWidth = static_cast<int16_t>(ar.Read16());
    imageHeight = static_cast<int16_t>(ar.Read16());
    bitsPerPixel = static_cast<int16_t>(ar.Read16());
    imageFileSize = ar.Read32();
    soundPath = ar.ReadString();
    text = ar.ReadString();
    textColor = ar.Read32();
    if (!IsPhoto()) {
        LogFont read;
        SerializeFont(ar, read);
        font = FontOfRecord(read);
    } else {
        preview.Serialize(ar);
    }
    AdvanceLoadProgress();
}

bool AlbumItem::AdoptPreview(const std::string& path, PreviewPicture&& made)
{
    imagePath = path;
    imageWidth = made.imageWidth;
    imageHeight = made.imageHeight;
    bitsPerPixel = made.bitsPerPixel;
    imageFileSize = made.imageFileSize;
    if (!made.preview)
        return false;
    preview.Attach(std::move(made.preview));
    return true;
}

bool AlbumItem::LoadPreview(uint16_t boxWidth, uint16_t boxHeight, const Palette& palette)
{
    return FinishPreview(
        MakePreviewPicture(imagePath, boxWidth, boxHeight, palette, PreferredPreviewColors()),
        boxWidth, boxHeight, palette);
}

bool AlbumItem::FinishPreview(PreviewPicture made, uint16_t boxWidth, uint16_t boxHeight,
                              const Palette& palette)
{
    PreviewRetryHandler* handler = CurrentPreviewRetryHandler();
    std::string path = imagePath;
    while (!made.fileRead) {
        const auto retry =
            handler ? handler->AskRetry({path, made.readError, std::move(made.messages)}) : std::nullopt;
        if (!retry)
            return false;
        path = *retry;
        made = MakePreviewPicture(path, boxWidth, boxHeight, palette, PreferredPreviewColors());
    }
    if (handler && !made.messages.empty())
        handler->Tell(made.messages);
    // A picture that was read but could not be reduced gives up.
    if (!AdoptPreview(path, std::move(made)))
        return false;
    if (CurrentFastBitmapMaker())
        MakeFastBitmap();
    return true;
}

void AlbumItem::MakeFastBitmap()
{
    fastBitmap.reset();
    if (const FastBitmapMaker& maker = CurrentFastBitmapMaker())
        maker(*this);
}

std::string ColorDepthName(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1: return "mono";  // the text of kStrMono
    case 4: return "16";
    case 8: return "256";
    case 16: return "64K";
    case 24: return "16,8M";
    default: return {};
    }
}

std::string FileNamePart(const std::string& path)
{
    const auto separator = path.find_last_of("\\/");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace lumora
