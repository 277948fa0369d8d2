#pragma once
// The slideshow's floating palette: a small top-most window with a caption
// strip (title, close box, dragged to move the palette) and a row of five
// buttons: quit, first, previous, next, last. Clicking it never takes the
// activation from the slideshow window.
#include <QPixmap>
#include <QPoint>
#include <QWidget>
#include <array>

class QPainter;

namespace lumora {

class SlideshowPalette : public QWidget {
    Q_OBJECT
public:
    enum Button { Quit, First, Previous, Next, Last, kButtonCount };

    static constexpr int kLeftBorder = 7;
    static constexpr int kRightBorder = 7;
    static constexpr int kBottomBorder = 7;
    static constexpr int kTopBorder = 23;  // the caption strip
    // Buttons the size of the toolbar's, so that five of them fill the
    // 125 pixels the palette is given at the screen's right edge; the 16 x
    // 15 pictures stand in their middle.
    static constexpr int kButtonWidth = 23;
    static constexpr int kButtonHeight = 22;
    static constexpr int kGlyphWidth = 16;
    static constexpr int kGlyphHeight = 15;
    static constexpr int kCloseBoxSize = 11;

    explicit SlideshowPalette(QWidget* owner);

    // The size the buttons need in `columns` columns.
    static QSize SizeFor(int buttons, int columns);
    // Where button `index` sits, and the close box, in the palette.
    QRect ButtonRect(int index) const;
    QRect CloseBox() const;

    void SetButtonEnabled(Button button, bool enabled);
    bool IsButtonEnabled(Button button) const { return enabled_[button]; }

signals:
    void Clicked(int button);
    // The close box hid the palette.
    void Hidden();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int ButtonAt(QPoint point) const;

    void PaintGlyph(QPainter& painter, int index, QPoint topLeft) const;

    QPixmap buttons_;
    QPixmap sharpButtons_;  // the same pictures at twice the pixels
    std::array<bool, kButtonCount> enabled_{true, true, true, true, true};
    int pressed_ = -1;
    bool dragging_ = false;
    QPoint dragStart_;
};

}  // namespace lumora
