#pragma once
// A picture printed as a poster: each sheet carries one tile of the picture
// at the poster's scale, from the printable area's top-left corner, so that
// trimmed sheets laid side by side make the whole picture.
#include <QImage>
#include <functional>

#include "core/print/poster_tiling.h"

class QPainter;
class QPagedPaintDevice;

namespace lumora {

// Draws sheet `n` (from 1) of `picture` tiled as `tiling` says.
void DrawPosterSheet(QPainter& painter, const QImage& picture, const PosterTiling& tiling, int n);

// How many sheets the poster `widthCm` centimetres wide takes on `device`.
int PosterSheetCount(const QPagedPaintDevice& device, const QImage& picture, int widthCm);

// Prints sheets `first` to `last` (from 1, clamped to the poster) of the
// poster `widthCm` centimetres wide on `device`, so that one spoilt sheet
// can be printed again alone. `progress(done, total)` after each sheet may
// stop the rest by answering false. False when nothing could be printed or
// printing was stopped.
bool PrintPosterSheets(QPagedPaintDevice& device, const QImage& picture, int widthCm, int first, int last,
                       const std::function<bool(int done, int total)>& progress = {});

// Every sheet of the poster.
bool PrintPoster(QPagedPaintDevice& device, const QImage& picture, int widthCm,
                 const std::function<bool(int done, int total)>& progress = {});

}  // namespace lumora
