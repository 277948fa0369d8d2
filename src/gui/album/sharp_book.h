#pragma once
// The book's artwork for paintings of more device pixels than book pixels
// (a zoomed book, a screen of pixel ratio 2, a printer): the program's own
// five pieces, drawn in true colour at kSharpBookScale times their size when
// the program is built (lumora-artwork --sharp-book, into the resources as
// JPEG files), are decoded at the level a painting needs - the JPEG reader's
// DCT scaling gives any eighth of them - and put together by the classic
// pictures' cutting table. At one device pixel per book pixel the classic
// pictures are drawn, unchanged.
#include <QByteArray>
#include <array>
#include <list>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "gui/album/book_pictures.h"

namespace lumora {

// How many times the classic size the built pieces are.
inline constexpr int kSharpBookScale = 8;

// The level of artwork to draw with at `deviceScale` device pixels per book
// pixel: 1 (the classic pictures) up to 1, else the next whole number, so
// that a picture is only ever reduced when drawn, never enlarged, up to
// kSharpBookScale.
int BookLevelForScale(double deviceScale);

// The pictures `book` draws with at `deviceScale`: its finer pictures at
// their level when it has them and they can be made, else `book` itself.
const BookPictures& PicturesForScale(const BookPictures& book, double deviceScale);

class SharpBook {
public:
    // The pieces' JPEG files, in BookPiece order.
    using Pieces = std::array<QByteArray, kBookPieceCount>;
    explicit SharpBook(Pieces pieces) : pieces_(std::move(pieces)) {}

    // From the program's resources; none when a piece is missing.
    static std::shared_ptr<SharpBook> FromResources();

    // The pictures at `level` (2 to kSharpBookScale) device pixels per book
    // pixel, put together at their first use; the two levels used last are
    // kept (two windows at two zooms do not make them again at every
    // painting), others are let go. Null when a piece cannot be decoded.
    const BookPictures* AtLevel(int level);

    // The levels held, the most recently used first.
    std::vector<int> LevelsHeld() const;

private:
    static constexpr size_t kLevelsKept = 2;

    Pieces pieces_;
    std::list<std::pair<int, std::unique_ptr<BookPictures>>> levels_;  // most recently used first
    std::set<int> failed_;
};

}  // namespace lumora
