#pragma once
// The four pictures every album view draws the book with: the closed cover,
// the open binder and the two pages. They are cut from the program's own
// pieces of artwork (leather, spine, page, edge, title plate), or from a
// sprite sheet "TEXTURE.BMP" beside the program when there is one. The
// program's own pieces also come drawn finer (sharp_book.h), for books
// drawn larger than the classic size.
#include <QImage>
#include <QPixmap>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "core/picture/picture.h"

namespace lumora {

class SharpBook;

// Sizes in book pixels: a picture drawn finer has that many times the
// pixels and its device pixel ratio says how many.
struct BookPictures {
    QPixmap cover;      // 265 x 372
    QPixmap openBook;   // 560 x 372
    QPixmap leftPage;   // 257 x 356
    QPixmap rightPage;  // 257 x 356
    // The same pictures drawn finer, for a painting of more device pixels
    // per book pixel (PicturesForScale); none for a texture sheet or the
    // 16-colour pieces, which are drawn smoothed instead.
    std::shared_ptr<SharpBook> sharper;
};

enum BookPiece { kLeather, kSpine, kPage, kEdge, kTitlePlate, kBookPieceCount };

// From the five pieces; nothing when a piece is missing.
std::optional<BookPictures> ComposeFromPieces(const std::array<Picture, kBookPieceCount>& pieces);
// From pieces drawn `scale` times their classic size, cut by the same
// table scaled; the pictures' device pixel ratio is `scale`.
std::optional<BookPictures> ComposeFromPieces(const std::array<QImage, kBookPieceCount>& pieces, int scale);
// From the sprite sheet.
std::optional<BookPictures> ComposeFromTexture(const Picture& texture);

// The start-up rule: the texture beside the program on screens of more than
// 4 bits per pixel, else the program's pieces for the screen's depth (GIF
// pictures 1-5, or 6-10 in 16 colours). `step`, when given, is called
// after each stage.
std::optional<BookPictures> LoadBookPictures(const QString& programDirectory, int screenDepth,
                                             const std::function<void(int done, int total)>& step);

// Reads one of the program's own GIF pictures (1 to 11) from its resources.
Picture ReadProgramPicture(int number);

}  // namespace lumora
