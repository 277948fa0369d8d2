#pragma once
// The mark that shows, while something is dragged over the book, where it
// would go: a bar before an item (or after the last one of a page), or a
// frame round the photo that would take a dropped sound. It is a child of
// the view's viewport painted over the book, and the mouse goes through it.
#include <QRect>
#include <QWidget>

#include "core/layout/geometry.h"

namespace lumora {

class AlbumView;

class DropMark final : public QWidget {
public:
    explicit DropMark(AlbumView& view);

    // `mark` in book coordinates, drawn where the zoomed book stands.
    void ShowBar(const Rect& mark);
    void ShowFrame(const Rect& photo);

protected:
    void paintEvent(QPaintEvent*) override;

private:
    void ShowAt(const Rect& mark, bool frame);

    AlbumView& view_;
    QRect mark_;
    bool frame_ = false;
};

}  // namespace lumora
