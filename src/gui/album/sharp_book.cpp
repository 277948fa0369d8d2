#include "gui/album/sharp_book.h"

#include <QFile>
#include <QString>
#include <algorithm>
#include <cmath>
#include <span>

#include "core/formats/jpeg_reader.h"
#include "gui/platform/dib_painter.h"

namespace lumora {
namespace {

// The pieces' sizes in book pixels, in BookPiece order: leather, spine,
// page sheet, edge, title plate.
constexpr std::array<std::pair<int, int>, kBookPieceCount> kPieceSizes = {
    {{250, 372}, {54, 372}, {282, 356}, {24, 372}, {166, 122}}};
constexpr std::array<const char*, kBookPieceCount> kPieceNames = {"leather", "spine", "page", "edge", "plate"};

// A piece decoded at `level` times its classic size; null unless the file
// is exactly kSharpBookScale times that size.
QImage DecodePiece(const QByteArray& file, std::pair<int, int> classic, int level)
{
    const auto width = static_cast<uint32_t>(classic.first * level);
    const auto height = static_cast<uint32_t>(classic.second * level);
    const JpegBoxRead read = ReadJPEGForBox(
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(file.constData()), static_cast<size_t>(file.size())),
        [&](uint32_t, uint32_t) { return NeededSize{width, height, true}; });
    if (!read.picture || read.fullWidth != static_cast<uint32_t>(classic.first * kSharpBookScale) ||
        read.fullHeight != static_cast<uint32_t>(classic.second * kSharpBookScale))
        return {};
    QImage image = DIBToQImage(read.picture);
    if (image.width() != static_cast<int>(width) || image.height() != static_cast<int>(height))
        return {};
    return image;
}

}  // namespace

int BookLevelForScale(double deviceScale)
{
    // A painting within a rounding error of a whole number of device
    // pixels per book pixel takes that level.
    constexpr double kTolerance = 1e-3;
    if (!(deviceScale > 1 + kTolerance))
        return 1;
    const int level = static_cast<int>(std::ceil(deviceScale - kTolerance));
    return std::min(level, kSharpBookScale);
}

const BookPictures& PicturesForScale(const BookPictures& book, double deviceScale)
{
    const int level = BookLevelForScale(deviceScale);
    if (level == 1 || !book.sharper)
        return book;
    const BookPictures* finer = book.sharper->AtLevel(level);
    return finer ? *finer : book;
}

std::shared_ptr<SharpBook> SharpBook::FromResources()
{
    Pieces pieces;
    for (size_t i = 0; i < pieces.size(); ++i) {
        QFile file(QString(":/sharp-book/%1.jpg").arg(kPieceNames[i]));
        if (!file.open(QIODevice::ReadOnly))
            return nullptr;
        pieces[i] = file.readAll();
    }
    return std::make_shared<SharpBook>(std::move(pieces));
}

const BookPictures* SharpBook::AtLevel(int level)
{
    if (level < 2 || level > kSharpBookScale || failed_.count(level))
        return nullptr;
    const auto held = std::find_if(levels_.begin(), levels_.end(), [&](const auto& entry) { return entry.first == level; });
    if (held != levels_.end()) {
        levels_.splice(levels_.begin(), levels_, held);
        return levels_.front().second.get();
    }
    std::array<QImage, kBookPieceCount> images;
    for (size_t i = 0; i < images.size(); ++i)
        images[i] = DecodePiece(pieces_[i], kPieceSizes[i], level);
    std::optional<BookPictures> composed = ComposeFromPieces(images, level);
    if (!composed) {
        failed_.insert(level);
        return nullptr;
    }
    levels_.emplace_front(level, std::make_unique<BookPictures>(std::move(*composed)));
    while (levels_.size() > kLevelsKept)
        levels_.pop_back();
    return levels_.front().second.get();
}

std::vector<int> SharpBook::LevelsHeld() const
{
    std::vector<int> levels;
    for (const auto& entry : levels_)
        levels.push_back(entry.first);
    return levels;
}

}  // namespace lumora
