#pragma once
// The web viewer's spreads drawn by the album painter. The book pictures
// are pixmaps, which only the GUI thread may touch: a gather running on
// another thread has each spread drawn on the GUI thread and waits for it.
#include "core/gather/web_viewer.h"
#include "gui/album/album_painter.h"

namespace lumora {

class PainterSpreadRenderer final : public SpreadRenderer {
public:
    PainterSpreadRenderer(const BookPictures& book, AlbumDrawOptions options) : book_(book), options_(options) {}
    Picture RenderSpread(const AlbumDocument& doc, int position, int scale) override;

private:
    const BookPictures& book_;
    AlbumDrawOptions options_;
};

}  // namespace lumora
