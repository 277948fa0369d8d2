#pragma once
// Putting the book together the way the album painter does, to look at the
// artwork in place: the same cut-and-place table, the same mirrored copy.
#include <string>

#include "artwork/raster.h"

namespace lumora::art {

// The first image of a GIF file through its global colour table; an empty
// picture when the file cannot be decoded.
Image ReadGif(const std::string& path);

struct BookPieces {
    Image leather, spine, page, edge, plate;
};

// Reads the five GIF pieces numbered from `firstNumber` back from `dir`.
bool LoadBookPieces(const std::string& dir, int firstNumber, BookPieces& pieces);

struct BookPictures {
    Image cover, openBook, leftPage, rightPage;
};
BookPictures ComposeBook(const BookPieces& pieces);

// Desk scenes as the album view paints them: the closed cover, the flyleaf
// spread and an ordinary spread with two pages.
Image CoverScene(const BookPictures& book);
Image FlyleafScene(const BookPictures& book);
Image SpreadScene(const BookPictures& book);

// Nearest-neighbour enlargement for looking at small pictures.
Image Enlarge(const Image& image, int factor);

}  // namespace lumora::art
