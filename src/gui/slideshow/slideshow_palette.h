#pragma once
// The slideshow's floating palette: a small top-most window with a caption
// strip (title, close box, dragged to move the palette) and a row of five
// buttons: quit, first, previous, next, last. Clicking it never takes the
// activation from the slideshow window.
#include <QPixmap>
#include <QPoint>
#include <QWidget>
#include <array>

namespace lumora {

class SlideshowPalette : public QWidget {
    Q_OBJECT
public:
    enum Button { Quit, First, Previous, Next, Last, kButtonCount };

    static constexpr int kLeftBorder = 7;
    static constexpr int kRightBorder = 7;
    static constexpr int kBottomBorder = 7;
    static constexpr int kTopBorder = 23;  // the caption strip
    static constexpr int kButtonWidth = 16;
    static constexpr int kButtonHeight = 15;
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

    QPixmap buttons_;
    std::array<bool, kButtonCount> enabled_{true, true, true, true, true};
    int pressed_ = -1;
    bool dragging_ = false;
    QPoint dragStart_;
};

}  // namespace lumora
