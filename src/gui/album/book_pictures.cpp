#include "gui/album/book_pictures.h"

#include <QFile>
#include <QPainter>

#include "core/formats/bmp_reader.h"
#include "core/formats/gif_reader.h"
#include "core/platform/file.h"
#include "gui/album/sharp_book.h"
#include "gui/platform/dib_painter.h"

namespace lumora {
namespace {

enum Target { kCover, kOpenBook, kLeftPage, kRightPage };

// One stretch-copy of the composition: a rectangle of a source picture into
// a rectangle of a target (inclusive; source rows from the bottom).
struct Copy {
    Target target;
    int source;  // a BookPiece, or 0 for the texture sheet
    InclusiveRect from;
    InclusiveRect to;
};

// Cut from the pieces of artwork.
constexpr Copy kPieceCopies[] = {
    {kCover, kEdge, {0, 0, 11, 371}, {0, 0, 11, 371}},
    {kCover, kLeather, {0, 0, 249, 371}, {12, 0, 261, 371}},
    {kCover, kEdge, {19, 0, 21, 371}, {262, 0, 264, 371}},
    {kCover, kTitlePlate, {0, 0, 165, 121}, {55, 55, 220, 176}},
    {kOpenBook, kEdge, {14, 0, 16, 371}, {0, 0, 2, 371}},
    {kOpenBook, kLeather, {0, 0, 249, 371}, {3, 0, 252, 371}},
    {kOpenBook, kSpine, {0, 0, 53, 371}, {253, 0, 306, 371}},
    {kOpenBook, kLeather, {0, 0, 249, 371}, {307, 0, 556, 371}},
    {kOpenBook, kEdge, {19, 0, 21, 371}, {557, 0, 559, 371}},
    {kLeftPage, kPage, {0, 0, 256, 355}, {0, 0, 256, 355}},
    {kRightPage, kPage, {0, 0, 256, 355}, {256, 0, -2, 355}},  // mirrored
    {kRightPage, kPage, {259, 0, 281, 355}, {0, 0, 22, 355}},   // ring ends
};

// Cut from the sprite sheet.
constexpr Copy kTextureCopies[] = {
    {kCover, 0, {0, 128, 11, 499}, {0, 0, 11, 371}},
    {kCover, 0, {80, 128, 329, 499}, {12, 0, 261, 371}},
    {kCover, 0, {19, 128, 21, 499}, {262, 0, 264, 371}},
    {kCover, 0, {0, 4, 165, 125}, {55, 55, 220, 176}},
    {kOpenBook, 0, {14, 128, 16, 499}, {0, 0, 2, 371}},
    {kOpenBook, 0, {80, 128, 329, 499}, {3, 0, 252, 371}},
    {kOpenBook, 0, {24, 128, 77, 499}, {253, 0, 306, 371}},
    {kOpenBook, 0, {80, 128, 329, 499}, {307, 0, 556, 371}},
    {kOpenBook, 0, {19, 128, 21, 499}, {557, 0, 559, 371}},
    {kLeftPage, 0, {332, 144, 588, 499}, {0, 0, 256, 355}},
    {kRightPage, 0, {332, 144, 588, 499}, {256, 0, -2, 355}},
    {kRightPage, 0, {591, 144, 613, 499}, {0, 0, 22, 355}},
};

BookPictures BlankPictures(int scale)
{
    return {BlankScreenBitmap(265 * scale, 372 * scale), BlankScreenBitmap(560 * scale, 372 * scale),
            BlankScreenBitmap(257 * scale, 356 * scale), BlankScreenBitmap(257 * scale, 356 * scale), {}};
}

QPixmap& TargetOf(BookPictures& pictures, Target target)
{
    switch (target) {
    case kCover: return pictures.cover;
    case kOpenBook: return pictures.openBook;
    case kLeftPage: return pictures.leftPage;
    case kRightPage: break;
    }
    return pictures.rightPage;
}

// A span of whole pixels of an inclusive rectangle's side, reversed when
// it runs from right to left (a mirrored copy), `scale` times longer.
struct ScaledSpan {
    int start, length;
    bool mirrored;
};
ScaledSpan SpanOf(int from, int to, int scale)
{
    const int size = to - from + 1;
    if (size >= 0)
        return {from * scale, size * scale, false};
    return {(from + size + 1) * scale, -size * scale, true};
}

// One copy of the table at `scale`: the source rectangle, its rows counted
// from the bottom, must lie inside its picture, or the copy would show
// whatever was beside it.
bool CopyInto(QPixmap& target, const QImage& source, const Copy& copy, int scale)
{
    const ScaledSpan xs = SpanOf(copy.from.left, copy.from.right, scale);
    const ScaledSpan ys = SpanOf(copy.from.top, copy.from.bottom, scale);
    const QRect from(xs.start, source.height() - ys.start - ys.length, xs.length, ys.length);
    if (source.isNull() || target.isNull() || xs.mirrored || ys.mirrored || !source.rect().contains(from))
        return false;
    const ScaledSpan tx = SpanOf(copy.to.left, copy.to.right, scale);
    const ScaledSpan ty = SpanOf(copy.to.top, copy.to.bottom, scale);
    QImage piece = source.copy(from);
    if (tx.mirrored || ty.mirrored)
        piece = piece.mirrored(tx.mirrored, ty.mirrored);
    QPainter painter(&target);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(QRect(tx.start, ty.start, tx.length, ty.length), piece);
    return true;
}

template <typename SourceOf, size_t N>
std::optional<BookPictures> Compose(const Copy (&copies)[N], SourceOf sourceOf, int scale)
{
    BookPictures pictures = BlankPictures(scale);
    for (const Copy& copy : copies)
        if (!CopyInto(TargetOf(pictures, copy.target), sourceOf(copy.source), copy, scale))
            return std::nullopt;
    for (QPixmap* picture : {&pictures.cover, &pictures.openBook, &pictures.leftPage, &pictures.rightPage})
        picture->setDevicePixelRatio(scale);
    return pictures;
}

QImage ImageOf(const Picture& dib) { return dib && IsValidPicture(dib.Bytes()) ? DIBToQImage(dib) : QImage(); }

}  // namespace

std::optional<BookPictures> ComposeFromPieces(const std::array<Picture, kBookPieceCount>& pieces)
{
    std::array<QImage, kBookPieceCount> images;
    for (size_t i = 0; i < images.size(); ++i)
        images[i] = ImageOf(pieces[i]);
    return ComposeFromPieces(images, 1);
}

std::optional<BookPictures> ComposeFromPieces(const std::array<QImage, kBookPieceCount>& pieces, int scale)
{
    if (scale < 1)
        return std::nullopt;
    return Compose(kPieceCopies, [&](int piece) -> const QImage& { return pieces[static_cast<size_t>(piece)]; },
                   scale);
}

std::optional<BookPictures> ComposeFromTexture(const Picture& texture)
{
    const QImage image = ImageOf(texture);
    return Compose(kTextureCopies, [&](int) -> const QImage& { return image; }, 1);
}

Picture ReadProgramPicture(int number)
{
    QFile resource(QString(":/artwork/%1.gif").arg(number));
    if (!resource.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = resource.readAll();
    return ReadGIFResource({reinterpret_cast<const uint8_t*>(bytes.constData()),
                            static_cast<size_t>(bytes.size())});
}

std::optional<BookPictures> LoadBookPictures(const QString& programDirectory, int screenDepth,
                                             const std::function<void(int, int)>& progress)
{
    const auto step = [&progress](int done, int total) {
        if (progress)
            progress(done, total);
    };
    const std::string texturePath = (programDirectory + "TEXTURE.BMP").toStdString();
    if (screenDepth > 4 && IsRegularFile(texturePath)) {
        constexpr int kStages = 5;
        step(1, kStages);
        ReadResult read = ReadDIBFromFile(texturePath);
        ShowHeldMessages(ReadMessages(read));
        const Picture texture = std::move(read.picture);
        step(3, kStages);
        if (texture) {
            auto pictures = ComposeFromTexture(texture);
            step(kStages, kStages);
            if (pictures)
                return pictures;
        }
    }
    // The program's own pieces: 1-5 for 256 colours and more, 6-10 for 16.
    constexpr int kStages = 8;
    const int first = screenDepth > 4 ? 1 : 6;
    std::array<Picture, kBookPieceCount> pieces;
    for (int i = 0; i < kBookPieceCount; ++i) {
        pieces[static_cast<size_t>(i)] = ReadProgramPicture(first + i);
        step(i + 1, kStages);
    }
    auto pictures = ComposeFromPieces(pieces);
    // The finer pieces exist for the 256-colour set only.
    if (pictures && screenDepth > 4)
        pictures->sharper = SharpBook::FromResources();
    step(kStages, kStages);
    return pictures;
}

}  // namespace lumora
