#include "artwork/compose.h"

#include <gif_lib.h>

#include <memory>

namespace lumora::art {

namespace {

}  // namespace

Image ReadGif(const std::string& path)
{
    int error = 0;
    GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
    if (!gif)
        return {};
    std::unique_ptr<GifFileType, void (*)(GifFileType*)> closer(gif, [](GifFileType* g) {
        int e = 0;
        DGifCloseFile(g, &e);
    });
    if (DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1 || !gif->SColorMap)
        return {};
    const SavedImage& frame = gif->SavedImages[0];
    const int w = frame.ImageDesc.Width, h = frame.ImageDesc.Height;
    Image out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int index = frame.RasterBits[static_cast<size_t>(y) * w + x];
            if (index >= gif->SColorMap->ColorCount)
                return {};
            const GifColorType& c = gif->SColorMap->Colors[index];
            out.At(x, y) = Rgb8(c.Red, c.Green, c.Blue);
        }
    return out;
}

namespace {

// One 1:1 copy between inclusive rectangles given from the top; a
// destination whose right is left of its left receives the copy mirrored.
void Copy(Image& dst, int dl, int dt, int dr, const Image& src, int sl, int st, int sr, int sb)
{
    const bool mirrored = dr < dl;
    for (int y = st; y <= sb; ++y)
        for (int x = sl; x <= sr; ++x) {
            const int tx = mirrored ? dl - (x - sl) : dl + (x - sl);
            const int ty = dt + (y - st);
            if (dst.Contains(tx, ty) && src.Contains(x, y))
                dst.At(tx, ty) = src.At(x, y);
        }
}

// The table's source rows are counted from the bottom; every piece is cut
// at full height, so the rows below are simply 0..height-1.
constexpr int kH = 371;

const Color kDesk = Rgb8(46, 84, 78);

Image Desk()
{
    Image scene(600, 420, kDesk);
    return scene;
}

void DeskShadow(Image& scene, int left, int top, int right, int bottom)
{
    const Color shadow = Rgb8(0, 20, 14);
    for (int y = top + 5; y <= bottom + 5; ++y)
        for (int x = left + 5; x <= right + 5; ++x)
            if (x > right || y > bottom)
                scene.At(x, y) = shadow;
}

void LeftStrips(Image& scene, const BookPictures& b)
{
    Copy(scene, 10, 10, 282, b.openBook, 0, 0, 272, 7);
    Copy(scene, 10, 18, 25, b.openBook, 0, 8, 15, 363);
    Copy(scene, 10, 374, 282, b.openBook, 0, 364, 272, 371);
}

void RightStrips(Image& scene, const BookPictures& b)
{
    Copy(scene, 297, 10, 569, b.openBook, 287, 0, 559, 7);
    Copy(scene, 554, 18, 569, b.openBook, 544, 8, 559, 363);
    Copy(scene, 297, 374, 569, b.openBook, 287, 364, 559, 371);
}

}  // namespace

bool LoadBookPieces(const std::string& dir, int first, BookPieces& pieces)
{
    Image* targets[] = {&pieces.leather, &pieces.spine, &pieces.page, &pieces.edge, &pieces.plate};
    for (int i = 0; i < 5; ++i) {
        *targets[i] = ReadGif(dir + "/" + std::to_string(first + i) + ".gif");
        if (targets[i]->Width() == 0)
            return false;
    }
    return true;
}

BookPictures ComposeBook(const BookPieces& p)
{
    BookPictures b{Image(265, 372), Image(560, 372), Image(257, 356), Image(257, 356)};
    Copy(b.cover, 0, 0, 11, p.edge, 0, 0, 11, kH);
    Copy(b.cover, 12, 0, 261, p.leather, 0, 0, 249, kH);
    Copy(b.cover, 262, 0, 264, p.edge, 19, 0, 21, kH);
    Copy(b.cover, 55, 55, 220, p.plate, 0, 0, 165, 121);

    Copy(b.openBook, 0, 0, 2, p.edge, 14, 0, 16, kH);
    Copy(b.openBook, 3, 0, 252, p.leather, 0, 0, 249, kH);
    Copy(b.openBook, 253, 0, 306, p.spine, 0, 0, 53, kH);
    Copy(b.openBook, 307, 0, 556, p.leather, 0, 0, 249, kH);
    Copy(b.openBook, 557, 0, 559, p.edge, 19, 0, 21, kH);

    Copy(b.leftPage, 0, 0, 256, p.page, 0, 0, 256, 355);
    Copy(b.rightPage, 256, 0, -2, p.page, 0, 0, 256, 355);
    Copy(b.rightPage, 0, 0, 22, p.page, 259, 0, 281, 355);
    return b;
}

Image CoverScene(const BookPictures& b)
{
    Image scene = Desk();
    DeskShadow(scene, 140, 10, 404, 381);
    Copy(scene, 140, 10, 404, b.cover, 0, 0, 264, kH);
    return scene;
}

Image FlyleafScene(const BookPictures& b)
{
    Image scene = Desk();
    DeskShadow(scene, 10, 10, 569, 381);
    Copy(scene, 10, 10, 296, b.openBook, 0, 0, 286, kH);
    RightStrips(scene, b);
    Copy(scene, 297, 18, 553, b.rightPage, 0, 0, 256, 355);
    return scene;
}

Image SpreadScene(const BookPictures& b)
{
    Image scene = Desk();
    DeskShadow(scene, 10, 10, 569, 381);
    LeftStrips(scene, b);
    Copy(scene, 26, 18, 282, b.leftPage, 0, 0, 256, 355);
    Copy(scene, 283, 10, 296, b.openBook, 273, 0, 286, kH);
    RightStrips(scene, b);
    Copy(scene, 297, 18, 553, b.rightPage, 0, 0, 256, 355);
    return scene;
}

Image Enlarge(const Image& image, int factor)
{
    Image out(image.Width() * factor, image.Height() * factor);
    for (int y = 0; y < out.Height(); ++y)
        for (int x = 0; x < out.Width(); ++x)
            out.At(x, y) = image.At(x / factor, y / factor);
    return out;
}

}  // namespace lumora::art
