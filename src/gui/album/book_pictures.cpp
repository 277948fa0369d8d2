#include "gui/album/book_pictures.h"

#include <QFile>

#include "core/formats/bmp_reader.h"
#include "core/formats/gif_reader.h"
#include "core/platform/file.h"
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

BookPictures BlankPictures()
{
    return {BlankScreenBitmap(265, 372), BlankScreenBitmap(560, 372), BlankScreenBitmap(257, 356),
            BlankScreenBitmap(257, 356)};
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

// A source rectangle must lie inside its picture, or the copy would show
// whatever was beside it.
bool Covers(const Picture& dib, const InclusiveRect& r)
{
    return dib && IsValidPicture(dib.Bytes()) && r.left >= 0 && r.top >= 0 &&
           r.right < static_cast<int>(dib.Width()) &&
           r.bottom < static_cast<int>(dib.Height());
}

template <typename SourceOf, size_t N>
std::optional<BookPictures> Compose(const Copy (&copies)[N], SourceOf sourceOf)
{
    BookPictures pictures = BlankPictures();
    for (const Copy& copy : copies) {
        const Picture& source = sourceOf(copy.source);
        if (!Covers(source, copy.from) ||
            !RenderDIBInto(source, TargetOf(pictures, copy.target), nullptr, copy.from, copy.to))
            return std::nullopt;
    }
    return pictures;
}

}  // namespace

std::optional<BookPictures> ComposeFromPieces(const std::array<Picture, kBookPieceCount>& pieces)
{
    return Compose(kPieceCopies, [&](int piece) -> const Picture& { return pieces[static_cast<size_t>(piece)]; });
}

std::optional<BookPictures> ComposeFromTexture(const Picture& texture)
{
    return Compose(kTextureCopies, [&](int) -> const Picture& { return texture; });
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
        const Picture texture = ReadDIBFromFile(texturePath);
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
    step(kStages, kStages);
    return pictures;
}

}  // namespace lumora
