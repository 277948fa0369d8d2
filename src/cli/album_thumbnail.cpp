#include "cli/album_thumbnail.h"
#include "cli/album_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <algorithm>
#include <array>
#include <cmath>

#include "cli/album_options.h"
#include "cli/offscreen_gui.h"
#include "core/album/album_document.h"
#include "core/album/album_heading.h"
#include "core/layout/book_geometry.h"
#include "core/layout/spread.h"
#include "core/platform/atomic_file.h"
#include "gui/album/album_picture.h"
#include "gui/album/book_pictures.h"

namespace lumora::cli {
namespace {

constexpr const char* kUsage = "usage : lumora-cli thumbnail ALBUM SORTIE.png [--size N] [--spread 0]";

// The closed cover and the open book in the window's frame.
constexpr QRect kCoverArea(140, 10, 265, 372);
constexpr QRect kOpenBookArea(10, 10, 560, 372);
// No item is marked as selected on a thumbnail.
constexpr int kNoSelection = -1;

// The album's fields for the picture: the heading alone for the cover (a
// large album costs no more than a small one), the whole file for a spread.
// The user is told why when it cannot be drawn.
bool ReadForThumbnail(const std::string& path, bool cover, AlbumDocument& doc)
{
    if (cover) {
        switch (doc.OpenHeading(path)) {
        case HeadingResult::Read:
            break;
        case HeadingResult::CannotOpen:
            Fail(kExitFailed, path + " : ouverture impossible");
            return false;
        case HeadingResult::NotAnAlbum:
            Fail(kExitFailed, path + " n'est pas un album Lumora");
            return false;
        case HeadingResult::Damaged:
            Fail(kExitFailed, path + " : album endommagé");
            return false;
        }
    } else if (!OpenAlbumFile(doc, path)) {
        return false;  // the reason is already on stderr
    }
    if (!doc.Settings().password.empty()) {
        // A protected album shows nothing of itself before its password.
        Fail(kExitFailed, path + " est protégé par un mot de passe : pas de vignette");
        return false;
    }
    return true;
}

// The book pieces built into the program: no file beside it is looked at.
std::optional<BookPictures> BuiltInBook()
{
    std::array<Picture, kBookPieceCount> pieces;
    for (int i = 0; i < kBookPieceCount; ++i)
        pieces[static_cast<size_t>(i)] = ReadProgramPicture(i + 1);
    return ComposeFromPieces(pieces);
}

// Drawn at a whole multiple of the window's size large enough for `side`,
// so that text stays sharp, then reduced smoothly to fit side x side.
QImage DrawThumbnail(const AlbumDocument& doc, const BookPictures& book, bool cover, int side)
{
    const QRect area = cover ? kCoverArea : kOpenBookArea;
    const int longest = std::max(area.width(), area.height());
    const int scale = std::max(1, static_cast<int>(std::ceil(static_cast<double>(side) / longest)));
    const QImage window = DrawAlbumPicture(doc, book, {false, false}, QSize(kBookSize.width, kBookSize.height),
                                           {cover ? kCoverPosition : 0, kNoSelection}, scale);
    const QImage picture = window.copy(area.x() * scale, area.y() * scale, area.width() * scale, area.height() * scale);
    if (picture.width() <= side && picture.height() <= side)
        return picture;
    return picture.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

int RunThumbnail(Arguments args)
{
    OptionReader options(std::move(args));
    const int side = options.Number("--size", 16, 1024).value_or(256);
    const int spread = options.Number("--spread", 0, 0).value_or(kCoverPosition);
    if (!options.Finish(2, 2, kUsage))
        return kExitUsage;
    const std::string& album = options.Words()[0];
    const std::string& out = options.Words()[1];
    const bool cover = spread == kCoverPosition;

    OffscreenGui gui;
    AlbumDocument doc;
    if (!ReadForThumbnail(album, cover, doc))
        return kExitFailed;
    const auto book = BuiltInBook();
    if (!book)
        return Fail(kExitFailed, "images du livre illisibles");
    const QImage image = DrawThumbnail(doc, *book, cover, side);

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    // Light compression: a file manager's thumbnail is small and wanted now.
    constexpr int kFastPngQuality = 90;
    if (!image.save(&buffer, "PNG", kFastPngQuality))
        return Fail(kExitFailed, "écriture impossible : " + out);
    if (const WriteFailure failure = WriteFileAtomically(out, png.constData(), static_cast<size_t>(png.size())))
        return Fail(kExitFailed, DescribeWriteFailure(failure, out));
    return kExitOk;
}

}  // namespace lumora::cli
